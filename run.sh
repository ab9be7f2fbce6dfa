#!/usr/bin/env bash
# Builds the client and runs it in the sample installation, against the
# sample shard (tools/sampleshard) on 127.0.0.1.  With no display, it runs
# under its own Xvfb at depth 16.
#
#   TW_SERVER=host:port  log in to that login server instead; no shard
#   TW_RUN_SECONDS=N     end the client after N seconds (a bounded run
#                        without a player, for CI); the run succeeds when
#                        the client was still running then or ended with 0
#   TW_BUILD_DIR=DIR     take the programs of that build as they are,
#                        without installing or building (default: build
#                        and use build/run)
#   TW_SAMPLE_DIR=DIR    the sample installation (default: build/run/sample,
#                        made when missing)
set -euo pipefail
cd "$(dirname "$0")"

build=${TW_BUILD_DIR:-}
if [ -z "$build" ]; then
    source tools/deps.sh
    tw_install_missing "${TW_RUN_PACKAGES[@]}"
    build=build/run
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" -j "$(nproc)" --target twclient tidemend mkinstall sampleshard
fi
build=$(cd "$build" && pwd)

# The sample installation: generated data files (a few MB, no real game data)
# made once under the build folder.  Remove it to make it anew.
sample=${TW_SAMPLE_DIR:-build/run/sample}
if [ ! -f "$sample/version.dat" ]; then
    "$build/tools/mkinstall/mkinstall" "$sample"
fi
sample=$(cd "$sample" && pwd)

shard=""
stop_shard() {
    if [ -n "$shard" ]; then
        kill -TERM "$shard" 2>/dev/null || true
        wait "$shard" 2>/dev/null || true
        shard=""
    fi
}
trap stop_shard EXIT

if [ -n "${TW_SERVER:-}" ]; then
    host=${TW_SERVER%:*}
    port=${TW_SERVER##*:}
    printf 'LoginServer=%s,%s\n' "$host" "$port" >"$sample/login.cfg"
else
    # The shard picks two free ports and writes its login port into
    # "login.cfg"; the client starts once the shard says it is listening.
    rm -f "$sample/sampleshard.out"
    "$build/tools/sampleshard/sampleshard" "$sample" >"$sample/sampleshard.out" 2>&1 &
    shard=$!
    for _ in $(seq 100); do
        grep -q "login server on" "$sample/sampleshard.out" 2>/dev/null && break
        if ! kill -0 "$shard" 2>/dev/null; then
            cat "$sample/sampleshard.out" >&2
            echo "run.sh: the sample shard did not start" >&2
            exit 1
        fi
        sleep 0.1
    done
    if ! grep -q "login server on" "$sample/sampleshard.out"; then
        echo "run.sh: the sample shard did not start" >&2
        exit 1
    fi
    cat "$sample/sampleshard.out"
fi

client=("$build/ar_unix/base/twclient")
if [ -n "${TW_RUN_SECONDS:-}" ]; then
    client=(timeout --signal=TERM "$TW_RUN_SECONDS" "${client[@]}")
fi
if [ -z "${DISPLAY:-}" ]; then
    # -noreset: the client connects once for each depth it tries, and a
    # server that resets whenever its last client leaves would start over
    # in between.
    client=(xvfb-run -a -s "-screen 0 640x480x16 -noreset" "${client[@]}")
fi

cd "$sample"
status=0
"${client[@]}" || status=$?
stop_shard
# timeout's status: the client was still running when the time was up.
if [ -n "${TW_RUN_SECONDS:-}" ] && [ "$status" -eq 124 ]; then
    echo "run.sh: the client ran for ${TW_RUN_SECONDS}s"
    status=0
fi
exit "$status"

#!/usr/bin/env bash
# Builds the client and runs it.  With no display, it runs under its own
# Xvfb at depth 16.
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
tw_install_missing "${TW_RUN_PACKAGES[@]}"

cmake -S . -B build/run -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/run -j "$(nproc)" --target twclient tidemend mkinstall

# The sample installation: generated data files (a few MB, no real game data)
# made once under the build folder.  Remove build/run/sample to make it anew.
sample=build/run/sample
if [ ! -f "$sample/version.dat" ]; then
    build/run/tools/mkinstall/mkinstall "$sample"
fi
cd "$sample"
if [ -z "${DISPLAY:-}" ]; then
    # -noreset: the client connects once for each depth it tries, and a
    # server that resets whenever its last client leaves would start over
    # in between.
    exec xvfb-run -a -s "-screen 0 640x480x16 -noreset" ../ar_unix/base/twclient
fi
exec ../ar_unix/base/twclient

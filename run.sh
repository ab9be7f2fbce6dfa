#!/usr/bin/env bash
# Builds the client and runs it.  With no display, it runs under its own
# Xvfb at depth 16.
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
tw_install_missing "${TW_RUN_PACKAGES[@]}"

cmake -S . -B build/run -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/run -j "$(nproc)" --target twclient tidemend

mkdir -p sample
if [ -x build/run/tools/mkinstall/mkinstall ]; then
    build/run/tools/mkinstall/mkinstall sample
else
    [ -f sample/tw.cfg ] || printf '; sample configuration\n' >sample/tw.cfg
    [ -f sample/version.dat ] || printf '1\n' >sample/version.dat
fi
cd sample
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 640x480x16" ../build/run/ar_unix/base/twclient
fi
exec ../build/run/ar_unix/base/twclient

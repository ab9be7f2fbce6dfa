#!/usr/bin/env bash
# Writes the seed inputs of the application module's fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/corpus"
mkdir -p fuzz_config_keys
printf 'Sound=on\r\nSoundVol = 12\nLoginServer=10.0.0.1,2593\nLoginServer=host.example,25\n' \
    >fuzz_config_keys/keys
printf 'ChatColorText=#FF00zz\nHighlightColorEnemy=-4\nPassword=nop\nOrderCache=a,startup\nMusic=on' \
    >fuzz_config_keys/values

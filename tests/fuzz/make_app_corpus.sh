#!/usr/bin/env bash
# Writes the seed inputs of the application module's fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/corpus"
mkdir -p fuzz_config_keys
printf 'Sound=on\r\nSoundVol = 12\nLoginServer=10.0.0.1,2593\nLoginServer=host.example,25\n' \
    >fuzz_config_keys/keys
printf 'ChatColorText=#FF00zz\nHighlightColorEnemy=-4\nPassword=nop\nOrderCache=a,startup\nMusic=on' \
    >fuzz_config_keys/values
mkdir -p fuzz_app_files
# "ab" and "c" as word-list entries (units + 13, then 23).
printf '\x6e\x00\x6f\x00\x17\x00\x70\x00\x17\x00' >fuzz_app_files/words
# One ignore record: a 30-byte name and a serial.
printf 'Bob\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x34\x12\0\0' \
    >fuzz_app_files/ignore

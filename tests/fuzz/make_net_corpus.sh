#!/usr/bin/env bash
# Writes the seed inputs of the network fuzz targets (run from anywhere).
set -euo pipefail
cd "$(dirname "$0")/corpus"
mkdir -p fuzz_packet_fields
# Four op bytes, then a message.
printf '\x00\x55\xaa\xff\x1c\x00\x0a\x12\x34\x56\x78\x9a\xbc\xde' >fuzz_packet_fields/variable
printf '\x1b\x2e\x01\x10\x1d\x40\x00\x00\x01' >fuzz_packet_fields/fixed

#!/usr/bin/env bash
# Writes the seed inputs of the network fuzz targets (run from anywhere).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/corpus"
mkdir -p fuzz_packet_fields
# Four op bytes, then a message.
printf '\x00\x55\xaa\xff\x1c\x00\x0a\x12\x34\x56\x78\x9a\xbc\xde' >fuzz_packet_fields/variable
printf '\x1b\x2e\x01\x10\x1d\x40\x00\x00\x01' >fuzz_packet_fields/fixed

mkdir -p fuzz_net_input
# Login mode (first byte even; reads of 8 bytes): messages, a split variable
# message, holding and release.
printf '\x0e\x1d\x40\x00\x00\x01\x1c\x00\x07abc\x00\x33\x01\x4f\x05\x33\x01\x1d\x40\x00\x00\x02\x33\x00\x55\x16' \
    >fuzz_net_input/login_hold
# Game mode (first byte odd): the same messages, each one compressed with the
# client's own code table.
python3 - "$here/../../shared/base/net/Huffman.cpp" >fuzz_net_input/game_hold <<'PY'
import re, sys
codes = [(int(b), int(c, 16)) for b, c in re.findall(r"\{(\d+), 0x([0-9A-F]+)\}", open(sys.argv[1]).read())]
assert len(codes) == 257
def pack(message):
    bits = "".join(format(codes[s][1], "0%db" % codes[s][0]) for s in list(message) + [256])
    bits += "0" * (-len(bits) % 8)
    return bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8))
messages = [b"\x1d\x40\x00\x00\x01", b"\x1c\x00\x07abc\x00", b"\x33\x01", b"\x4f\x05", b"\x33\x00", b"\x55"]
sys.stdout.buffer.write(b"\x05" + b"".join(pack(m) for m in messages))
PY

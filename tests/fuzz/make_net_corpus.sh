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

mkdir -p fuzz_login_road
# Flags, then (id choice, length low, length high, body) per message: a shard
# list of two, a character list with one character and one city, a refusal.
python3 - >fuzz_login_road/road <<'PY'
import struct, sys
def msg(choice, body):
    return bytes([choice]) + struct.pack("<H", len(body)) + body
def field(text, width):
    return text.encode().ljust(width, b"\0")[:width]
shards = b"\x07" + struct.pack(">H", 2)
for sid, name, tz in ((1, "First", 1), (0xFE, "Second 5", 50)):
    shards += struct.pack(">H", sid) + field(name, 32) + bytes([0, tz & 0xFF]) + b"\x7f\0\0\1"
slots = field("Ann", 30) + field("pw", 30) + b"\0" * 240
cities = b"\x01" + b"\x00" + field("Port", 31) + field("Docks", 31)
out = b"\x03" + msg(1, shards) + msg(4, b"\x01" + slots + cities)
out += msg(5, b"\x01" + slots) + msg(0, b"\x01") + msg(2, b"\x01") + msg(6, b"\x02")
out += msg(3, b"\x01\x05" + slots + b"\x01" + b"\x01" + field("Shard 3", 16) + cities)
sys.stdout.buffer.write(out)
PY

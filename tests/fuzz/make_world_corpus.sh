#!/usr/bin/env bash
# Writes the seed inputs of the world-model fuzz targets (run from anywhere).
set -euo pipefail
cd "$(dirname "$0")/corpus"
mkdir -p fuzz_tiledata fuzz_world_placement
# A land group header, one land record (flags 0x4000, texture 3, a name with
# a plural segment), then tile words, a group number and a short group.
{
    printf '\x00\x00\x00\x00\x00\x40\x00\x00\x03\x00'
    printf 'loa%%ves/f%%\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00'
    printf '\x01\x00\x20\x00\x00\x04\xff\x3f'
    printf '\x01\x03'
    head -c 200 /dev/zero | tr '\0' '\021'
} >fuzz_tiledata/land_and_group
printf 'bottle%%s%%' >fuzz_tiledata/name_only
# Tile seed, then operations: player, items, a bag, a mobile, moves,
# equipment, containers, links, frames and the final release.
printf '\x01\x10\x04\x04'                                      >fuzz_world_placement/scene
printf '\x00\x01\x10\x00\x05\x00\x04\x04\x00\x00\x00\x00\x00' >>fuzz_world_placement/scene
printf '\x00\x02\x11\x00\x01\x00\x05\x05\x00\x00\x00\x00\x00' >>fuzz_world_placement/scene
printf '\x01\x03\x90\x01\x05\x06\x00\x02\x00\x00\x00'         >>fuzz_world_placement/scene
printf '\x02\x01\x03\x21\x02\x0a\x0b\x00\x02\x00\x00'         >>fuzz_world_placement/scene
printf '\x03\x02\x03\x0d\x05\x20\x05\x40\x05\x20\x0d\x01\x02\x05\x06' >>fuzz_world_placement/scene
printf '\x06\x03\x04\x01\x07\x01\x04\x00\x00\x05\xff\x04\x01\x0e' >>fuzz_world_placement/scene
printf '\x10\x04\x04\x00\x00\x00\x10\x00\x00\x04\x04\x00\x00\x00\x00\x00\x11\x00\x07\x05\x10' >fuzz_world_placement/multi

#!/usr/bin/env bash
# Writes the seed inputs of the macro file's fuzz target.
set -euo pipefail
cd "$(dirname "$0")/corpus"
mkdir -p fuzz_macro_file
printf 'F1 0 1 0\nSay hello there\nWalk NE\nOpen Backpack\nUseSkill Animal Lore\nCastSpell Mend\nArm/Disarm LeftHand\nDelay 20\n########\na 1 0 1\nMinimize Mail\nLastTarget \n########\n' \
    >fuzz_macro_file/macros
printf 'Home 0 1\nSay x\n########\n\r\n0 0 0\n#\nA 0 0 1\r\nBow \r\n#\nNoSuchKey 1 1 1\nF2 1 1 1\nSay last' \
    >fuzz_macro_file/headers

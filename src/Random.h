// Random numbers for the client's dice (idle animations, sound variants).
#pragma once

// rand() % n; 0 for n of 0 or less.
int RandomNumber(int n);

// Tests replace the dice; null restores rand().
using RandomSource = int (*)(int n);
void SetRandomSourceForTests(RandomSource source);

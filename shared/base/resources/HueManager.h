// The hue manager: 3000 colour ramps of 32 15-bit pixels by which art, fonts
// and gumps are recoloured.  Only what its callers use so far is declared
// here.
#pragma once

#include "TWTypes.h"

struct Hue {
    M_WORD colors[32];  // index 0 darkest
    M_WORD startColor;
    M_WORD endColor;
    char name[20];
};

class HueManager {
public:
    static constexpr int kNumHues = 3000;
    static void startup();
    static void shutdown();
    // The hue of that number, or null when the number names no hue.
    static const Hue* GetHue(int number);
};

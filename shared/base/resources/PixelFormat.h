// The pixel-format constants that the blitters, the graphic manager and the
// hue manager read at each pixel.  Composition and blending are always done
// in 5-5-5 (red bits 14-10, green 9-5, blue 4-0); a 5-6-5 display converts
// afterwards.  Process-wide; the configuration stores the same values again
// when it applies its display key.
#pragma once

#include "TWTypes.h"

extern int PixelRedShift;        // 10
extern int PixelGrayShift;       // 5
extern M_WORD PixelHalfMask;     // 0x7BDE: (p & mask) >> 1 halves each channel
extern M_WORD PixelQuarterMask;  // 0x739C

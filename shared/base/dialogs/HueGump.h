// The hue picker and its colour functions.  Only what its callers use so far
// is declared here; the resources reach the conversion through
// ColourConversions (resources/ViewHooks.h), which the hue picker
// implements.
#pragma once

#include "resources/ViewHooks.h"

// 8-bit components to hue (degrees), lightness and saturation.
inline void RGBToHSV(int r, int g, int b, double* hue, double* lightness, double* saturation) {
    tw::Service<ColourConversions>::Get().RGBToHSV(r, g, b, hue, lightness, saturation);
}

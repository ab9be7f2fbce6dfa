// The hue picker and its colour functions.  Only what its callers use so far
// is declared here.
#pragma once

// 8-bit components to hue (degrees), lightness and saturation.
void RGBToHSV(int r, int g, int b, double* hue, double* lightness, double* saturation);

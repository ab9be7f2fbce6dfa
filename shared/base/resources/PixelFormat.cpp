#include "resources/PixelFormat.h"

int PixelRedShift = 10;
int PixelGrayShift = 5;
M_WORD PixelHalfMask = 0x7BDE;
M_WORD PixelQuarterMask = 0x739C;

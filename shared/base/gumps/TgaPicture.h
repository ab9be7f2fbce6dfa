// Pictures in the TGA format, loaded into a gump's 16-bit bitmap (the
// tutorial pages and the pictures two buttons show).
#pragma once

#include <cstddef>

#include "TWTypes.h"

// Loads the file into the bitmap of width x height pixels, rows pitch pixels
// apart (0: width).  FALSE, and the bitmap untouched, when the file is
// missing, has another size, or is not a picture this reader takes (then
// "Invalid TGA file." is reported).
BOOL LoadTGAIntoBitmap(const char* fileName, M_WORD* pixels, int width, int height, int pitch = 0);

// The same over the bytes of a file already read.
BOOL DecodeTGA(const M_BYTE* data, size_t size, M_WORD* pixels, int width, int height,
               int pitch = 0);

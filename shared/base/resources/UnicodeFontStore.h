// Internal to the Unicode fonts: a glyph of the current font as the bounded
// lookup found it.
#pragma once

#include "TWTypes.h"

struct UnicodeGlyph {
    int xOffset = 0;
    int yOffset = 0;
    int width = 0;
    int height = 0;
    int rowBytes = 0;
    const M_BYTE* rows = nullptr;
};

// The glyph of c in the current font (loading the fonts first when needed);
// false when it has none or its bytes do not lie inside the file.
bool FindUnicodeGlyph(M_WORD c, UnicodeGlyph* glyph);
// The style's extra pixels per character: 1 for thick, 1 for slant.
int UnicodeStyleExtra();

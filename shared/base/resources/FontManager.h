// The bitmap and Unicode fonts.  Only what their callers use so far is
// declared here.
#pragma once

#include "TWTypes.h"

class FontManager {
public:
    static constexpr int MAX_FONTS = 25;

    static void startup();
    static void shutdown();
    // Replaces font `font` (0-24) by the glyphs of a version patch: 224 glyph
    // records one after another, each u8 width, u8 height, u8 header byte,
    // then width x height u16 pixels; length bytes in all.
    static void PatchFont(int font, const M_BYTE* glyphs, int length);
};

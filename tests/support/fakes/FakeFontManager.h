// Stand-in of the font manager: records the font patches it is handed.
#pragma once

#include <vector>

#include "resources/FontManager.h"

namespace tw::fake {

struct FontPatch {
    int font;
    std::vector<M_BYTE> glyphs;
};
std::vector<FontPatch>& FontPatches();

}  // namespace tw::fake

// The blend tables and their selection by blend mode.
#include <algorithm>

#include "resources/SpanHandlers.h"

M_WORD BlendTables[BLEND_TABLE_COUNT][BLEND_TABLE_SIZE];
// Table 0 until a mode is selected: never a null pointer to follow.
const M_WORD* CurrentBlendTable = BlendTables[0];

void BuildBlendTables() {
    for (int s = 0; s < 32; ++s) {
        for (int d = 0; d < 32; ++d) {
            const int i = s + 32 * d;
            const int product = (s * d) >> 5;
            BlendTables[0][i] = 0;
            BlendTables[1][i] = static_cast<M_WORD>(product);
            BlendTables[2][i] = static_cast<M_WORD>(std::min(s + d, 31));
            BlendTables[3][i] = static_cast<M_WORD>(std::min(s + d + product, 31));
            BlendTables[4][i] = static_cast<M_WORD>(std::min(((s + d) >> 1) + product, 31));
            BlendTables[5][i] = static_cast<M_WORD>(std::min(((s + d) >> 2) + product, 31));
            BlendTables[6][i] = static_cast<M_WORD>(std::max(d - s, 0));
            BlendTables[7][i] = static_cast<M_WORD>(std::max(s - d, 0));
        }
    }
}

namespace {
[[maybe_unused]] const bool g_blendTablesBuilt = (BuildBlendTables(), true);
}  // namespace

void SelectBlendTable(int mode) {
    const int table = mode & 15;
    // Modes 8-15 have no table of their own and mix like mode 1.
    CurrentBlendTable = BlendTables[(table == 1 || table >= BLEND_TABLE_COUNT) ? 1 : table];
}

BOOL IsBlendModeNone(int mode) {
    return (mode & 15) == 0;
}

int GetBlendMode(int mode) {
    return mode & 15;
}

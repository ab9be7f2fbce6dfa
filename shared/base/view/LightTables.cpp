#include "view/LightTables.h"

#include "config/Config.h"
#include "resources/SpanHandlers.h"
#include "view/Light.h"

M_DWORD LightRedTable[32][LIGHT_LEVELS];
M_DWORD LightGreenTable[32][LIGHT_LEVELS];
M_DWORD LightBlueTable[32][LIGHT_LEVELS];
BOOL LightTablesFor565 = FALSE;

const M_BYTE LightCurveA[32] = {0, 0, 0, 0, 0, 0,  0,  0,  1,  1,  2,  2,  3,  3,  4,  4,
                                5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 17, 19, 21, 23, 25, 27};
const M_BYTE LightCurveB[32] = {0, 0, 0, 0, 0, 0, 0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
                                1, 2, 3, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28};
const M_BYTE LightCurveC[32] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};

int LandRowOffset[LAND_TILE_SIDE];
int LandRowWidth[LAND_TILE_SIDE];
int LandRowStart[LAND_TILE_SIDE];
int LandRowEnd[LAND_TILE_SIDE];

void BuildTileRowTables() {
    int stored = 0;
    for (int r = 0; r < LAND_TILE_SIDE; ++r) {
        const bool upper = r < 22;
        LandRowOffset[r] = stored + (upper ? 0 : 1);
        LandRowWidth[r] = upper ? 2 * (r + 1) : 2 * (43 - r);
        LandRowStart[r] = upper ? 21 - r : r - 21;
        LandRowEnd[r] = LandRowStart[r] + LandRowWidth[r];
        stored += upper ? 2 * (r + 1) : 2 * (44 - r);
    }
}

namespace {
// The row tables are ready before any drawing, as the light module's
// static set-up.
const bool rowTablesBuilt = [] {
    BuildTileRowTables();
    return true;
}();
}  // namespace

void thelightthingie::BuildLightTables() {
    const int redShift = use565 ? 11 : 10;
    const int greenShift = use565 ? 6 : 5;
    for (int level = 0; level < LIGHT_LEVELS; ++level)
        for (int c = 0; c < 32; ++c) {
            const M_DWORD scaled = static_cast<M_DWORD>((c * (32 - level)) >> 5);
            ChannelScaleTable[level][c] = static_cast<M_BYTE>(scaled);
            LightRedTable[c][level] = scaled << redShift;
            LightGreenTable[c][level] = scaled << greenShift;
            LightBlueTable[c][level] = scaled;
        }
    LightTablesFor565 = use565 ? TRUE : FALSE;
}

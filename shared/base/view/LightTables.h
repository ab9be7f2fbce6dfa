// The light module's tables: the darkening of a 5-bit channel by a level,
// the per-channel output tables of the light pass, the curves of the
// coloured light, and the row tables of the land-tile diamond.
#pragma once

#include "TWTypes.h"

// A 5-bit channel c at darkness level L (0 brightest .. 31 black) becomes
// (c * (32 - L)) >> 5.  The scale table itself is the span handlers'
// ChannelScaleTable[L][c] (resources/SpanHandlers.h).
constexpr int LIGHT_LEVELS = 32;

// The darkened channel c at level L, shifted to its place in the display's
// pixel format (red at 10 or 11, green at 5 or 6, blue at 0); a darkened
// pixel is the OR of the three.  Indexed [c][L].
extern M_DWORD LightRedTable[32][LIGHT_LEVELS];
extern M_DWORD LightGreenTable[32][LIGHT_LEVELS];
extern M_DWORD LightBlueTable[32][LIGHT_LEVELS];
// TRUE when the three tables above were built for 5-6-5 output.
extern BOOL LightTablesFor565;

// How much a light-map value v (0..31) lowers a channel, by curve.
extern const M_BYTE LightCurveA[32];
extern const M_BYTE LightCurveB[32];
extern const M_BYTE LightCurveC[32];

// The land-tile diamond: the art stores 44 rows of 2, 4, ... 44, 44, ... 2
// pixels (1012 in all); row r of the drawn diamond starts at column
// LandRowStart[r], is LandRowWidth[r] pixels wide, ends before
// LandRowEnd[r] and takes its pixels from art pixel LandRowOffset[r].  The
// lower half is drawn one pixel narrower on each side than it is stored, so
// the drawn diamond is 43 rows high and neighbouring tiles meet without
// overlap.
constexpr int LAND_TILE_SIDE = 44;
constexpr int LAND_TILE_PIXELS = 1012;
extern int LandRowOffset[LAND_TILE_SIDE];
extern int LandRowWidth[LAND_TILE_SIDE];
extern int LandRowStart[LAND_TILE_SIDE];
extern int LandRowEnd[LAND_TILE_SIDE];
void BuildTileRowTables();

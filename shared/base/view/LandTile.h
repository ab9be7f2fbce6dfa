// The land-tile blitters: the 44 x 44 diamond of a land art drawn into the
// world's draw target (Light.h), clipped to a play-area rectangle.
#pragma once

#include "TWTypes.h"

// The 1012 pixels of land art `id` (0..16383), or null when the art is
// missing or shorter than the diamond.  A missing art is logged once.
const M_BYTE* GetLandArt(int id);
// Test support: missing art is logged again.
void ForgetLandArtReports();
// ... and textures that cannot be drawn (LandDraw.cpp).
void ForgetTextureReports();

// Draws land art `id` with the diamond's top-left corner at (x, y).
void DrawLandTile(int id, int x, int y, const RECT& clip);
// The same through the ghost view's grey table.
void DrawLandTileShaded(int id, int x, int y, const RECT& clip);

// A vertical strip of gump art of any height: a top piece, middle pieces
// repeated below it, and a bottom piece (the list boxes' column).
#pragma once

#include "TWTypes.h"

// Paints into a frame block (u16 width, u16 height, rows of
// FramePitch(width) pixels): art at (0, topMargin); the middle pieces art + 1
// to art + middleCount, cycled, downward from the top piece's bottom,
// centred when narrower than the top piece, the last one clipped at the
// bottom piece; the bottom piece art + middleCount + 1 ending at the block's
// height less bottomMargin.  Pixel 0 of a piece is transparent; a middle
// piece of height 0 stops the repetition.
void DrawArtColumn(int art, int middleCount, M_WORD* bitmap, int topMargin, int bottomMargin);
// The x at which the column's middle pieces stand.
int ArtColumnMiddleX(int art);

// Gumps of any size painted from small gump-art pieces laid side by side:
// the nine-piece frame with its ornaments, the three-piece bar, one art
// repeated over an area, and the translucent highlight row.
//
// A bitmap here is a gump frame block: u16 width, u16 height, then rows of
// FramePitch(width) pixels (Gump.h).  Every piece is clipped to the bitmap;
// a piece of size 0 is skipped.  Pixel 0 of a piece is transparent, except in
// the ornaments, which are copied whole.  Main thread only.
#pragma once

#include "TWTypes.h"

// The nine pieces art + 0 .. art + 8 (top-left, top, top-right, left, centre,
// right, bottom-left, bottom, bottom-right) over the whole bitmap, and unless
// noOrnaments, the ornament pairs art + 11/12 (top), 13/14 (left), 15/16
// (right) and 17/18 (bottom) at random places along long enough edges.
void DrawTiledFrame(int art, M_WORD* bitmap, BOOL noOrnaments);
// The same frame into the rectangle (x, y, width, height) of the bitmap.
void DrawTiledFrameAt(int x, int y, int width, int height, int art, M_WORD* bitmap,
                      BOOL noOrnaments);
// art (left), art + 1 (middle, repeated) and art + 2 (right) across the
// bitmap's width; nothing when a piece is missing.
void DrawTiledBar(int art, M_WORD* bitmap);
// The art repeated over the whole bitmap, the copies at the right and bottom
// edges clipped.
void DrawTiledArt(int art, M_WORD* bitmap);
// The same over bare pixels (rows pitch pixels apart; 0: width).
void DrawTiledArtPixels(int art, M_WORD* pixels, int width, int height, int pitch = 0);
// Darkens a row as high as the art towards the highlight tint: on the left
// the shape of art, on the right that of art + 1, a full rectangle between.
// Nothing for a negative width.
void DrawTiledRow(int x, int y, int width, int art, M_WORD* bitmap);

// The random source of the ornament places (rand by default; tests seed
// their own).
using TiledRandom = int (*)();
void SetTiledFrameRandom(TiledRandom source);

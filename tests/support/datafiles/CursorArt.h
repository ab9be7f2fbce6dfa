// The cursor arts: static art 24659-24697, one picture per art number.
//
// Each picture marks its hot spot with pixels of value 992 (pure green):
// one in row 0 at the hot spot's column, one in column 0 at its row.  Each
// is 25 x 25; the client keeps columns 1 to 22 and rows 1 to 23 of it (the
// width rounded down to even, less the marker row and column and the last
// column and row), where the picture lies.  Arts 0-7 and 23-30 (of the 39) are arrows
// pointing in the eight directions from the centre, tip at the hot spot;
// 12 and 35 (the target) are a cross and 13 and 36 (busy) a box, both held
// at their centre; the rest are pointers with the tip at (1, 1).  The first
// 23 are war-mode red, the others peace-mode gold, each with a dark outline
// and a white tip.
#pragma once

#include "support/datafiles/ArtFormats.h"

namespace tw::datafiles {

constexpr int kFirstCursorArt = 24659;
constexpr int kCursorArtCount = 39;
constexpr M_WORD kHotSpotMarker = 992;

// Picture `index` (0-38, art number 24659 + index).
Image CursorArt(int index);
// Its hot spot, as the markers give it.
void CursorHotSpot(int index, int* x, int* y);
// Adds all 39 to an art pair.
void AddCursorArt(IndexedPair& art);

}  // namespace tw::datafiles

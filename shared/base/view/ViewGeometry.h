// Small geometry of the world view: rectangles, screen positions of map
// cells and the step cell of a walking mobile.
#pragma once

#include "TWTypes.h"

class CDrawItem;

// TRUE when the rectangles share a pixel: touching edges do not count.
BOOL RectsOverlap(const RECT& a, const RECT& b);
// TRUE when the point lies strictly inside the rectangle (no edge counts).
BOOL PointInRect(int x, int y, const RECT& r);
// TRUE unless the item's rectangle, less the view offset, lies wholly
// inside clip.
BOOL NeedsClip(const CDrawItem* item, const RECT& clip);
// The cell a mobile stepping in direction (0 north .. 7 north-west) is
// filed in: the larger x and y of the two cells it walks between.
void StepCellAdjust(int direction, int* x, int* y);

// The item's rectangle less the view offset: play-area pixels.
RECT ScreenRectOf(const CDrawItem* item);
// A rectangle moved by (dx, dy).
inline RECT Offset(const RECT& r, int dx, int dy) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}
inline BOOL IsEmptyRect(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

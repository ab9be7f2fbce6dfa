#include "view/ViewGeometry.h"

#include "view/WorldView.h"
#include "world/Obj.h"

BOOL RectsOverlap(const RECT& a, const RECT& b) {
    return a.right > b.left && a.left < b.right && a.bottom > b.top && a.top < b.bottom;
}

BOOL PointInRect(int x, int y, const RECT& r) {
    return r.left < x && x < r.right && r.top < y && y < r.bottom;
}

RECT ScreenRectOf(const CDrawItem* item) {
    return Offset(item->rect, -g_viewOffsetX, -g_viewOffsetY);
}

BOOL NeedsClip(const CDrawItem* item, const RECT& clip) {
    const RECT r = ScreenRectOf(item);
    return !(clip.left <= r.left && r.right <= clip.right && clip.top <= r.top &&
             r.bottom <= clip.bottom);
}

void StepCellAdjust(int direction, int* x, int* y) {
    switch (direction & 7) {
        case 0:
        case 1:
            ++*y;
            break;
        case 5:
        case 6:
            ++*x;
            break;
        case 7:
            ++*x;
            ++*y;
            break;
        default:
            break;
    }
}

// Rectangle helpers.
#include <algorithm>

#include "gumps/Gump.h"

BOOL RectsIntersect(const RECT& a, const RECT& b) {
    return a.right > b.left && a.left < b.right && a.bottom > b.top && a.top < b.bottom;
}

void IntersectRect(const RECT& a, const RECT& b, RECT* out) {
    // Each edge of a that lies inside b is kept, else b's edge is taken: the
    // intersection whenever the two meet (callers test that first).
    out->left = (b.left <= a.left && a.left < b.right) ? a.left : b.left;
    out->top = (b.top <= a.top && a.top < b.bottom) ? a.top : b.top;
    out->right = (b.left < a.right && a.right <= b.right) ? a.right : b.right;
    out->bottom = (b.top < a.bottom && a.bottom <= b.bottom) ? a.bottom : b.bottom;
}

BOOL RectIsEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

void UnionRect(RECT& r, const RECT& add) {
    if (RectIsEmpty(add)) return;
    if (r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0) {
        r = add;
        return;
    }
    r.left = std::min(r.left, add.left);
    r.top = std::min(r.top, add.top);
    r.right = std::max(r.right, add.right);
    r.bottom = std::max(r.bottom, add.bottom);
}

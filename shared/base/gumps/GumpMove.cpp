// Moving a gump with its children and the speech gumps it owns.
#include <algorithm>

#include "FrameBuf.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"

namespace {

RECT shifted(const RECT& r, int dx, int dy) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// Keeps a top-level gump on the screen after a move by (dx, dy).
void clampToScreen(CGump* gump, int dx, int dy) {
    const int screenWidth = g_displayWidth;
    const int screenHeight = g_displayHeight;
    const int w = gump->DrawWidth();
    const int h = gump->DrawHeight();
    int left = 0, right = 0, top = 0, bottom = 0;
    if (gump->IsStatusGump() && gump->GetBarBorders(&left, &right, &top, &bottom)) {
        // The status bar's borders, taken before the move, keep the bar in.
        if (right + dx > screenWidth - 51) gump->x -= (right + dx) - (screenWidth - 51);
        if (left + dx < 50 - w) gump->x += 50 - (left + dx) - w;
        if (bottom + dy > screenHeight - 51) gump->y -= (bottom + dy) - (screenHeight - 51);
        if (top + dy < 50 - h) gump->y += 50 - (top + dy) - h;
        return;
    }
    // At least min(size, 50) pixels stay on the screen on each axis.
    const int w50 = std::min(w, 50);
    const int h50 = std::min(h, 50);
    gump->x = std::clamp(gump->x, w50 - w, std::max(w50 - w, screenWidth - w50));
    gump->y = std::clamp(gump->y, h50 - h, std::max(h50 - h, screenHeight - h50));
}

}  // namespace

void CGump::MoveBy(int dx, int dy, BOOL top, RECT& rect, BOOL clamp) {
    int moveX = dx, moveY = dy;
    if (top) {
        const int oldX = x, oldY = y;
        UnionRect(rect, ScreenRect());
        x += dx;
        y += dy;
        if (clamp) clampToScreen(this, dx, dy);
        moveX = x - oldX;
        moveY = y - oldY;
    } else {
        // Carried along: the parent has moved already, so the old place is
        // the new one less the parent's displacement.
        UnionRect(rect, shifted(ScreenRect(), -dx, -dy));
    }

    for (CGump* c = firstChild; c; c = c->next) c->MoveBy(moveX, moveY, FALSE, rect, clamp);

    if (moveX || moveY) {
        for (CGump* g = g_gumpList; g; g = g->next) {
            if (g == this || !g->IsBarkGump() || g->ownerGump != this) continue;
            UnionRect(rect, g->ScreenRect());
            g->x += moveX;
            g->y += moveY;
            UnionRect(rect, g->ScreenRect());
        }
    }

    UnionRect(rect, ScreenRect());
    // Only the real screen is ever repainted.
    rect.left = std::clamp(rect.left, 0, g_displayWidth);
    rect.right = std::clamp(rect.right, 0, g_displayWidth);
    rect.top = std::clamp(rect.top, 0, g_displayHeight);
    rect.bottom = std::clamp(rect.bottom, 0, g_displayHeight);
}

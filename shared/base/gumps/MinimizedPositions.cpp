#include "gumps/MinimizedPositions.h"

#include <utility>
#include <vector>

#include "FrameBuf.h"
#include "config/Config.h"
#include "gumps/Gump.h"

namespace {

std::vector<std::pair<int, int>>& Table() {
    static std::vector<std::pair<int, int>> table;
    return table;
}

bool Taken(int x, int y) {
    for (const auto& p : Table())
        if (p.first == x && p.second == y) return true;
    return false;
}

void Remove(int x, int y) {
    auto& table = Table();
    for (auto it = table.begin(); it != table.end(); ++it) {
        if (it->first == x && it->second == y) {
            table.erase(it);
            return;
        }
    }
}

void MoveTo(CGump* gump, int x, int y) {
    RECT moved{0, 0, 0, 0};
    gump->MoveBy(x - gump->x, y - gump->y, TRUE, moved, FALSE);
}

}  // namespace

BOOL AllocMinimizedPosition(int* x, int* y) {
    for (int px = 16; px < g_displayWidth - 112; px += 96) {
        for (int py = 16; py < g_displayHeight - 80; py += 64) {
            if (Taken(px, py)) continue;
            Table().emplace_back(px, py);
            *x = px;
            *y = py;
            return TRUE;
        }
    }
    return FALSE;
}

void ReleaseMinimizedPosition(CGump* gump) {
    if (gump && (gump->iconSlotX || gump->iconSlotY)) Remove(gump->iconSlotX, gump->iconSlotY);
}

void ResetMinimizedPositions() {
    Table().clear();
}

void CGump::Minimize(CGump* gump) {
    if (!gump) return;
    if (!gump->iconSlotX && !gump->iconSlotY && AutoArrangeMinimized) {
        int px = 0, py = 0;
        if (AllocMinimizedPosition(&px, &py)) {
            gump->iconSlotX = gump->iconX = px;
            gump->iconSlotY = gump->iconY = py;
        }
    }
    gump->minimized = TRUE;
    gump->restoreX = gump->x;
    gump->restoreY = gump->y;
    MoveTo(gump, gump->iconX, gump->iconY);
}

void CGump::Restore(CGump* gump) {
    if (!gump) return;
    gump->minimized = FALSE;
    // A moved icon is remembered for the next minimize.
    gump->iconX = gump->x;
    gump->iconY = gump->y;
    MoveTo(gump, gump->restoreX, gump->restoreY);
    ReleaseMinimizedPosition(gump);
}

// The minimize and restore buttons store these members and call them on the
// window that holds them.
void CGump::Minimize() {
    Minimize(this);
}

void CGump::Restore() {
    Restore(this);
}

// The draw table's window: it follows the view centre, and the cells that
// leave it are flushed.
//
// The table is a ring of 64 x 64 cells indexed by the low six bits of the
// map cell, so only the 64 x 64 window whose corner is the last corner is
// valid at a time.  When the centre moves, the columns and rows that leave
// the window are flushed: land cells and dynamic objects there are released
// (the client forgets objects that leave its surroundings), map statics
// stay for the map code to release by block.
#include <cstdlib>

#include "view/BigMobComponent.h"
#include "view/DrawManager.h"
#include "view/MapManager.h"
#include "view/WorldView.h"
#include "world/Mobile.h"
#include "world/Player.h"

CDrawItem* DrawMapThingie::table[DrawMapThingie::SIZE][DrawMapThingie::SIZE];

int DrawManager::lastCornerX = -128;
int DrawManager::lastCornerY = -128;
int DrawManager::ringBaseX = 0;
int DrawManager::ringBaseY = 0;

namespace {

constexpr int kMask = DrawMapThingie::SIZE - 1;

// Takes the dynamic objects and land out of one table cell and releases
// them; the player is filed again once the whole flush is done.  Releasing
// an object may release others (its slices, its contents), so the walk
// starts again at the head after each release instead of holding a link.
void FlushTableCell(int cx, int cy, bool* playerOut) {
    for (;;) {
        CDrawItem* item = DrawMapThingie::table[cy][cx];
        while (item && !(item->IsDynamic() || item->IsTerrain())) item = item->next;
        if (!item) return;
        if (item->prev)
            item->prev->next = item->next;
        else
            DrawMapThingie::table[cy][cx] = item->next;
        if (item->next) item->next->prev = item->prev;
        item->next = item->prev = nullptr;
        item->inList = FALSE;
        // Mobiles and corpses take their slices with them.
        if (item->IsContainer()) ReleaseSlices(static_cast<CContainerObj*>(item));
        if (item == pPlayerObject) {
            *playerOut = true;
            InvalidateScreen();
            continue;
        }
        item->Release();
    }
}

void RefilePlayer(bool flushed) {
    if (flushed && pPlayerObject && !pPlayerObject->inList && !pPlayerObject->inVoid)
        pPlayerObject->AddToDrawList();
}

}  // namespace

void DrawManager::ClearTable() {
    for (auto& row : DrawMapThingie::table)
        for (CDrawItem*& head : row) head = nullptr;
    ringBaseX = ringBaseY = 0;
    lastCornerX = lastCornerY = -128;
}

CDrawItem* DrawManager::GetTopItemAt(int x, int y) {
    CDrawItem* item = DrawMapThingie::table[y & kMask][x & kMask];
    if (!item) return nullptr;
    while (item->next) item = item->next;
    return item;
}

void DrawManager::FlushCell(int x, int y) {
    bool player = false;
    FlushTableCell(x & kMask, y & kMask, &player);
    RefilePlayer(player);
}

void DrawManager::FlushColumn(int column) {
    bool player = false;
    for (int y = 0; y < DrawMapThingie::SIZE; ++y) FlushTableCell(column & kMask, y, &player);
    RefilePlayer(player);
}

void DrawManager::FlushRow(int row) {
    bool player = false;
    for (int x = 0; x < DrawMapThingie::SIZE; ++x) FlushTableCell(x, row & kMask, &player);
    RefilePlayer(player);
}

void DrawManager::FlushAll() {
    bool player = false;
    for (int y = 0; y < DrawMapThingie::SIZE; ++y)
        for (int x = 0; x < DrawMapThingie::SIZE; ++x) FlushTableCell(x, y, &player);
    RefilePlayer(player);
}

void DrawManager::RecenterTable() {
    const int newX = MapManager::centerX - 32;
    const int newY = MapManager::centerY - 32;
    if (newX == lastCornerX && newY == lastCornerY) return;

    // On the surface a jump across the seam is a short move the other way.
    if (lastCornerX + 32 < MapManager::WRAP_WIDTH) {
        if (lastCornerX >= MapManager::WRAP_WIDTH - 64 && newX < 0)
            lastCornerX -= MapManager::WRAP_WIDTH;
        else if (lastCornerX < 0 && newX > MapManager::WRAP_WIDTH - 64)
            lastCornerX += MapManager::WRAP_WIDTH;
        if (lastCornerY >= MapManager::WRAP_HEIGHT - 64 && newY < 0)
            lastCornerY -= MapManager::WRAP_HEIGHT;
        else if (lastCornerY < 0 && newY > MapManager::WRAP_HEIGHT - 64)
            lastCornerY += MapManager::WRAP_HEIGHT;
    }

    const int dx = newX - lastCornerX;
    const int dy = newY - lastCornerY;
    if (std::abs(dx) <= 63 && std::abs(dy) <= 63) {
        for (int c = dx > 0 ? lastCornerX : newX; c < (dx > 0 ? newX : lastCornerX); ++c)
            FlushColumn(c);
        for (int r = dy > 0 ? lastCornerY : newY; r < (dy > 0 ? newY : lastCornerY); ++r)
            FlushRow(r);
    } else {
        FlushAll();
    }
    lastCornerX = newX;
    lastCornerY = newY;
    ringBaseX = newX & kMask;
    ringBaseY = newY & kMask;
}

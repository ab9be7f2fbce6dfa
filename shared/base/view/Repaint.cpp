// The dirty list, full invalidation and the scrolling of the ring.
#include "view/Repaint.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "FrameBuf.h"
#include "TWReport.h"
#include "resources/GraphicManager.h"
#include "view/Light.h"
#include "view/ViewGeometry.h"
#include "view/WorldView.h"

RECT DirtyList::rects[DirtyList::LARGE_CAPACITY];
int DirtyList::count = 0;
BOOL DirtyList::largeList = FALSE;
BOOL DirtyList::fullRepaintPending = FALSE;

namespace {

long RingSize() {
    if (!g_backBuffer || g_displayWidth <= 0 || g_displayHeight <= 0) return 0;
    return static_cast<long>(g_displayWidth) * g_displayHeight;
}

// The ring start within 0 .. S * R - 1.
long RingStart() {
    const long total = RingSize();
    if (total == 0) return 0;
    long o = g_ringStart % total;
    return o < 0 ? o + total : o;
}

bool MissesPlayArea(const RECT& r) {
    return r.left >= PlayAreaWidth() || r.right <= 0 || r.top >= PlayAreaHeight() || r.bottom <= 0;
}

RECT ClampToPlayArea(RECT r) {
    r.left = std::max(r.left, 0);
    r.top = std::max(r.top, 0);
    r.right = std::min(r.right, PlayAreaWidth());
    r.bottom = std::min(r.bottom, PlayAreaHeight());
    return r;
}

bool Blocked() {
    return DirtyList::fullRepaintPending || GraphicManager::deathCounter != 0;
}

// Zeroes `count` pixels of play-area row y from column x, in the ring.
void ClearRingRun(int x, int y, int count) {
    const long total = RingSize();
    if (total == 0 || count <= 0) return;
    long at = (RingStart() + static_cast<long>(y) * g_displayWidth + x) % total;
    if (at < 0) at += total;
    const long first = std::min<long>(count, total - at);
    std::memset(g_backBuffer + at, 0, static_cast<size_t>(first) * sizeof(M_WORD));
    if (first < count)
        std::memset(g_backBuffer, 0, static_cast<size_t>(count - first) * sizeof(M_WORD));
}

void ClearPlayRect(int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y) ClearRingRun(left, y, right - left);
}

}  // namespace

int PlayAreaWidth() {
    const int room = g_backBuffer ? g_displayWidth - std::max(g_viewX, 0) : 0;
    return std::max(0, std::min(GraphicManager::getGameplayWindowPixelWidth(), room));
}

int PlayAreaHeight() {
    const int room = g_backBuffer ? g_displayHeight - std::max(g_viewY, 0) : 0;
    return std::max(0, std::min(GraphicManager::getGameplayWindowPixelHeight(), room));
}

int RingColumn() {
    return g_displayWidth > 0 ? static_cast<int>(RingStart() % g_displayWidth) : 0;
}

int RingRow() {
    return g_displayWidth > 0 ? static_cast<int>(RingStart() / g_displayWidth) : 0;
}

void DirtyRect_Internal(const RECT* r) {
    if (!r) {
        TWReport::error("DirtyRect_Internal: r == 0\n");
        return;
    }
    if (DirtyList::fullRepaintPending || MissesPlayArea(*r) || r->right <= r->left ||
        r->bottom <= r->top)
        return;
    const int capacity = DirtyList::largeList ? DirtyList::LARGE_CAPACITY : DirtyList::CAPACITY;
    // Full comes before covered: a full list repaints everything.
    if (DirtyList::count >= capacity) {
        InvalidateScreen();
        return;
    }
    for (int i = 0; i < DirtyList::count; ++i) {
        const RECT& e = DirtyList::rects[i];
        if (!(r->right > e.left && r->left < e.right && r->bottom > e.top && r->top < e.bottom))
            continue;
        // Only the parts outside the entry are still to add.
        const RECT rect = *r;
        const RECT entry = e;
        const int top = std::max(rect.top, entry.top);
        const int bottom = std::min(rect.bottom, entry.bottom);
        if (entry.left > rect.left) {
            const RECT part{rect.left, top, entry.left, bottom};
            DirtyRect_Internal(&part);
        }
        if (entry.right < rect.right) {
            const RECT part{entry.right, top, rect.right, bottom};
            DirtyRect_Internal(&part);
        }
        if (entry.top > rect.top) {
            const RECT part{rect.left, rect.top, rect.right, entry.top};
            DirtyRect_Internal(&part);
        }
        if (entry.bottom < rect.bottom) {
            const RECT part{rect.left, entry.bottom, rect.right, rect.bottom};
            DirtyRect_Internal(&part);
        }
        return;
    }
    DirtyList::rects[DirtyList::count++] = *r;
}

void DirtyRect(const RECT* r) {
    if (!r) {
        TWReport::error("DirtyRect: r == 0\n");
        return;
    }
    if (Blocked() || MissesPlayArea(*r)) return;
    const RECT c = ClampToPlayArea(*r);
    if (c.right <= c.left || c.bottom <= c.top) return;

    const long total = RingSize();
    const long s = g_displayWidth;
    const long wrap = total - RingStart();  // P: the first screen index at the ring's start
    const long first = static_cast<long>(c.top) * s + c.left;
    const long last = static_cast<long>(c.bottom - 1) * s + c.right - 1;
    if (total == 0 || (first < wrap) == (last < wrap)) {
        DirtyRect_Internal(&c);
        return;
    }
    const int y = static_cast<int>(wrap / s);
    const int x = static_cast<int>(wrap % s);
    if (c.left < x && x < c.right) {
        const RECT pieces[4] = {{c.left, c.top, x, y + 1},
                                {x, c.top, c.right, y},
                                {x, y, c.right, c.bottom},
                                {c.left, y + 1, x, c.bottom}};
        for (const RECT& p : pieces) DirtyRect_Internal(&p);
        return;
    }
    const int split = x >= c.right ? y + 1 : y;
    const RECT upper{c.left, c.top, c.right, split};
    const RECT lower{c.left, split, c.right, c.bottom};
    DirtyRect_Internal(&upper);
    DirtyRect_Internal(&lower);
}

void InvalidateScreen() {
    if (Blocked()) return;
    g_ringStart = 0;
    DirtyList::count = 0;
    const RECT whole{0, 0, PlayAreaWidth(), PlayAreaHeight()};
    DirtyRect(&whole);
    DirtyList::fullRepaintPending = TRUE;
    if (const long total = RingSize())
        std::memset(g_backBuffer, 0, static_cast<size_t>(total) * sizeof(M_WORD));
}

void thelightthingie::ResetScroll() {
    DirtyList::fullRepaintPending = FALSE;
    InvalidateScreen();
}

void thelightthingie::ScrollBackBuffer(int dx, int dy) {
    if (DirtyList::fullRepaintPending) return;
    const int w = PlayAreaWidth(), h = PlayAreaHeight();
    const int cx = std::min(std::abs(dx), w), cy = std::min(std::abs(dy), h);
    // The strips that leave the play area are cleared before the ring
    // start moves: the row strip over the whole width, the column strip
    // over the remaining rows.
    int rowTop = 0, rowBottom = h;
    if (dy > 0) {
        ClearPlayRect(0, h - cy, w, h);
        rowBottom = h - cy;
    } else if (dy < 0) {
        ClearPlayRect(0, 0, w, cy);
        rowTop = cy;
    }
    if (dx > 0)
        ClearPlayRect(w - cx, rowTop, w, rowBottom);
    else if (dx < 0)
        ClearPlayRect(0, rowTop, cx, rowBottom);

    const long total = RingSize();
    if (total > 0) {
        long o = (RingStart() - (static_cast<long>(dy) * g_displayWidth + dx)) % total;
        if (o < 0) o += total;
        g_ringStart = static_cast<int>(o);
    }
    for (int i = 0; i < DirtyList::count; ++i)
        DirtyList::rects[i] = ClampToPlayArea(Offset(DirtyList::rects[i], dx, dy));
}

void thelightthingie::ScrollView(int dx, int dy) {
    const int w = PlayAreaWidth(), h = PlayAreaHeight();
    // A step as wide as the play area uncovers all of it.
    if (std::abs(dx) >= w || std::abs(dy) >= h) {
        if (dx != 0 || dy != 0) InvalidateScreen();
        return;
    }
    ScrollBackBuffer(dx, dy);
    if (DirtyList::fullRepaintPending) return;
    RECT strips[2];
    int n = 0;
    if (dx < 0)
        strips[n++] = {w + dx, 0, w, h};
    else if (dx > 0)
        strips[n++] = {0, 0, dx, h};
    const int left = dx > 0 ? dx : 0;
    const int right = dx < 0 ? w + dx : w;
    if (dy < 0)
        strips[n++] = {left, h + dy, right, h};
    else if (dy > 0)
        strips[n++] = {left, 0, right, dy};
    for (int i = 0; i < n; ++i) DirtyRect(&strips[i]);
}

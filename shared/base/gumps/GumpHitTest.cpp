// Coordinates along the parent chain, the child hit search and the hit test.
#include "FrameBuf.h"
#include "TWReport.h"
#include "gumps/Gump.h"
#include "resources/GumpArt.h"
#include "resources/SkipDraw.h"

namespace {

// Sums the positions along the chain, and says whether a gump of the chain
// lies in the game area.
bool addChain(CGump* gump, int* x, int* y, const char* caller) {
    bool gameArea = false;
    for (CGump* g = gump; g; g = g->parent) {
        if (!TW_VALIDATE_OBJECT(g)) {
            TWReport::error(
                "%s: either pointer 'pGump' is not valid, or the data it points to is not "
                "valid. breaking out of loop.\n",
                caller);
            break;
        }
        *x += g->x;
        *y += g->y;
        if (g->IsInGameArea()) gameArea = true;
    }
    return gameArea;
}

}  // namespace

void CGump::GumpToScreenCoords(CGump* gump, int* x, int* y) {
    if (!gump) return;
    int dx = 0, dy = 0;
    if (addChain(gump, &dx, &dy, "CGump::GumpToScreenCoords")) {
        dx += g_viewX;
        dy += g_viewY;
    }
    *x += dx;
    *y += dy;
}

void CGump::ScreenToGumpCoords(CGump* gump, int* x, int* y) {
    if (!gump) return;
    int dx = 0, dy = 0;
    if (addChain(gump, &dx, &dy, "CGump::ScreenToGumpCoords")) {
        dx += g_viewX;
        dy += g_viewY;
    }
    *x -= dx;
    *y -= dy;
}

RECT CGump::ScreenRect() {
    int left = 0, top = 0;
    GumpToScreenCoords(this, &left, &top);
    return RECT{left, top, left + DrawWidth(), top + DrawHeight()};
}

CGump* CGump::GetGumpAt(int px, int py, CGump* excluded, int flag) {
    if (!HitTest(px, py)) return nullptr;
    int sx = px, sy = py;
    GumpToScreenCoords(this, &sx, &sy);
    for (CGump* c = firstChild; c; c = c->next) {
        if (!TW_VALIDATE_OBJECT(c)) {
            TWReport::error(
                "CGump::GetGumpAt: either pointer 'pGump' is not valid, or the data it points "
                "to is not valid. returning FALSE.\n");
            return nullptr;
        }
        if (!c->visible || c == excluded) continue;
        // A button serves either the normal or the minimized state.
        if (c->IsButtonGump() && !c->ServesMinimizedState() != !minimized) continue;
        if (c->page != 0 && c->page != page) continue;
        int cx = sx, cy = sy;
        ScreenToGumpCoords(c, &cx, &cy);
        if (c->HitTest(cx, cy)) return c->GetGumpAt(cx, cy, excluded, flag);
    }
    return this;
}

BOOL CGump::HitTest(int px, int py) {
    if (px < 0 || py < 0) return FALSE;
    if (ShowsItemArt()) {
        const int graphic = GetItemArtGraphic();
        if (graphic < 0) return FALSE;
        const SkipImage art = GetArtData(0x4000 + graphic);
        return px < art.Width() && py < art.Height() && GetArtPixel(art, px, py) != 0;
    }
    if (artId < 0) {
        if (px >= DrawWidth() || py >= DrawHeight()) return FALSE;
        if (!UsesPixelHitTest()) return TRUE;
        // The frame's pixel: rows are a pitch apart, and the point must lie
        // inside the block, which may be smaller than the gump.
        const M_WORD* pixels = FramePixels(currentFrame);
        const int blockWidth = FrameWidth(currentFrame);
        if (!pixels || px >= blockWidth || py >= FrameHeight(currentFrame)) return FALSE;
        return pixels[static_cast<size_t>(py) * FramePitch(blockWidth) + px] != 0;
    }
    int artWidth = 0, artHeight = 0;
    GetGumpArtSize(artId, &artWidth, &artHeight);
    return px < artWidth && py < artHeight && GumpArtHitTest(artId, px, py) != 0;
}

#include "gumps/SmallGumps.h"

#include <algorithm>
#include <vector>

#include "TWReport.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "resources/FontManager.h"
#include "resources/GumpArt.h"
#include "resources/SkipDraw.h"
#include "resources/SpanHandlers.h"

CDumbGump::CDumbGump(int xIn, int yIn, int, int widthIn, int heightIn, int staticArtIn,
                     const M_WORD* pixels, int gumpArt)
    : CGump(xIn, yIn, nullptr, nullptr, 1, widthIn, heightIn), staticArt(staticArtIn) {
    name = "dumb gump";
    M_WORD* frame = NewFrameBlock(0, width, height);
    if (!frame) return;
    if (pixels)
        for (int row = 0; row < height; ++row)
            std::copy_n(pixels + static_cast<size_t>(row) * width, width,
                        frame + static_cast<size_t>(row) * pitch);
    if (gumpArt != -1)
        DrawGumpPixels(CopySpan, gumpArt, 0, 0, BlitTarget(frame, pitch, width, height));
}

void CDumbGump::DrawContents(const RECT& dirty) {
    if (!visible) return;
    const RECT screen = ScreenRect();
    if (staticArtMode) {
        // The static art of the weather and the pictures, drawn where the
        // gump is.
        const GumpDrawTarget& target = CGumpManager::drawTarget;
        const SkipImage art = GetArtData(staticArt);
        if (!target.active() || !art) return;
        const RECT r{std::max({screen.left, dirty.left, 0}), std::max({screen.top, dirty.top, 0}),
                     std::min({screen.left + art.Width(), dirty.right, target.width}),
                     std::min({screen.top + art.Height(), dirty.bottom, target.height})};
        if (RectIsEmpty(r)) return;
        const int w = r.right - r.left, h = r.bottom - r.top;
        std::vector<M_WORD> area(static_cast<size_t>(w) * h);
        for (int row = 0; row < h; ++row)
            std::copy_n(target.pixels + target.Index(r.left, r.top + row), w,
                        area.data() + static_cast<size_t>(row) * w);
        SkipDrawClipped(CopySpanTransparent, art, BlitTarget(area.data(), w, w, h),
                        screen.left - r.left, screen.top - r.top);
        for (int row = 0; row < h; ++row)
            std::copy_n(area.data() + static_cast<size_t>(row) * w, w,
                        target.pixels + target.Index(r.left, r.top + row));
        return;
    }
    if (!translucent) {
        CGump::DrawContents(dirty);
        return;
    }
    // Three quarters picture, one quarter what lies behind.
    const GumpDrawTarget& target = CGumpManager::drawTarget;
    const M_WORD* frame = FramePixels(0);
    if (!target.active() || !frame) return;
    const RECT r{std::max({screen.left, dirty.left, 0}), std::max({screen.top, dirty.top, 0}),
                 std::min({screen.right, dirty.right, target.width}),
                 std::min({screen.bottom, dirty.bottom, target.height})};
    for (int row = r.top; row < r.bottom; ++row)
        Blend75SpanTransparent(
            target.pixels + target.Index(r.left, row),
            frame + static_cast<size_t>(row - screen.top) * pitch + (r.left - screen.left),
            r.right - r.left);
}

CSignGump::CSignGump(int xIn, int yIn, int, int widthIn, int heightIn)
    : CGump(xIn, yIn, nullptr, nullptr, 1, widthIn, heightIn) {
    name = "sign gump";
    NewFrameBlock(0, width, height);
}

CSignGump* CSignGump::Create(int x, int y, int gumpArt, const char*, const char* text,
                             CObj* owner) {
    int w = 0, h = 0;
    GetGumpArtSize(gumpArt, &w, &h);
    if (w <= 0 || h <= 0) {
        TWReport::error("CSignGump: the sign art %d has no size; no sign is shown.\n", gumpArt);
        return nullptr;
    }
    auto* sign = new CSignGump(x, y, 0, w, h);
    sign->owner = owner;
    M_WORD* pixels = sign->FramePixels(0);
    if (!pixels) return sign;
    DrawGumpPixels(CopySpanTransparent, gumpArt, 0, 0, BlitTarget(pixels, sign->pitch, w, h));
    if (text) {
        RECT area{0, 0, 0, 0};
        CGumpManager::GetContainerBounds(gumpArt, &area);
        FontManager::DrawstringBuf(
            area.left, area.top, 1, 902, text, area.right - area.left + 1,
            BlitTarget(pixels, sign->pitch, w, h)
                .Clipped(RECT{area.left, area.top, area.right + 1, area.bottom + 1}),
            0, 0, FALSE);
    }
    return sign;
}

BOOL CSignGump::HitTest(int px, int py) {
    const M_WORD* pixels = FramePixels(0);
    if (!pixels || px < 0 || py < 0 || px >= FrameWidth(0) || py >= FrameHeight(0)) return FALSE;
    return pixels[static_cast<size_t>(py) * pitch + px] != 0;
}

void CSignGump::HandleLButtonDown(int px, int py) {
    BringToFront(this, 1);
    held = TRUE;
    grabX = px;
    grabY = py;
}

void CSignGump::HandleLButtonUp(int, int) {
    held = FALSE;
    MouseManager::SetCapture(nullptr);
}

void CSignGump::HandleRButtonUp(int, int) {
    MouseManager::SetCapture(nullptr);
    delete this;
}

void CSignGump::HandleMouseDrag(int px, int py) {
    if (!held) return;
    RECT moved{0, 0, 0, 0};
    MoveBy(px - grabX, py - grabY, TRUE, moved, TRUE);
}

// The parchment windows' shared parts: the strip drawn down a frame, the
// minimise and resize buttons, the minimised icon, and the left button's
// press, drag, double click and auto-repeat.
#include "comm/Parchment.h"

#include <algorithm>
#include <cstdlib>

#include "Clock.h"
#include "FrameBuf.h"
#include "comm/TextGump.h"
#include "gumps/ButtonGump.h"
#include "gumps/MouseManager.h"
#include "resources/GumpArt.h"
#include "resources/SpanHandlers.h"

namespace {

constexpr int kBackgroundArt = 2080;  // top; 2081-2082 middle; 2083 bottom
constexpr int kMiddlePieces = 2;
constexpr int kMinimizeArt = 2093;
constexpr int kResizeArt = 2094;
constexpr int kResizeHoverArt = 2095;
constexpr int kDragDistance = 5;

}  // namespace

namespace parchment {

int ArtWidth(int art) {
    int w = 0, h = 0;
    GetGumpArtSize(art, &w, &h);
    return w;
}
int ArtHeight(int art) {
    int w = 0, h = 0;
    GetGumpArtSize(art, &w, &h);
    return h;
}
int TopGap() {
    return ArtHeight(kMinimizeArt) - 1;
}
int BottomGap() {
    return ArtHeight(kResizeArt);
}

}  // namespace parchment

using parchment::ArtHeight;
using parchment::ArtWidth;

// The strip: the top piece, the middle pieces in turn down to the last
// piece, each centred on the top piece.
void parchment::DrawArtColumn(const BlitTarget& target, int frameHeight) {
    const int topWidth = ArtWidth(kBackgroundArt);
    auto centred = [&](int art) { return (topWidth - ArtWidth(art)) / 2; };
    DrawGumpPixels(CopySpanTransparent, kBackgroundArt, 0, 0, target);
    const int last = kBackgroundArt + kMiddlePieces + 1;
    const int lastY = frameHeight - ArtHeight(last) - 1;
    if (ArtWidth(kBackgroundArt + 1) > 0) {
        const BlitTarget above = target.Clipped(RECT{0, 0, target.width, std::max(lastY, 0)});
        int y = ArtHeight(kBackgroundArt) - 1;
        for (int i = 0; y < lastY; i = (i + 1) % kMiddlePieces) {
            const int art = kBackgroundArt + 1 + i;
            const int h = ArtHeight(art);
            if (h <= 0) break;
            DrawGumpPixels(CopySpanTransparent, art, centred(art), y, above);
            y += h;
        }
    }
    DrawGumpPixels(CopySpanTransparent, last, centred(last), lastY, target);
}

CParchmentGump::CParchmentGump(int xIn, int yIn, int iconArt)
    : CGump(xIn, yIn, nullptr, nullptr, 2, (ArtWidth(kBackgroundArt) + 7) & ~7, INITIAL_HEIGHT) {
    int iw = 0, ih = 0;
    GetGumpArtSize(iconArt, &iw, &ih);
    minimizedWidth = iw;
    minimizedHeight = ih;
    if (M_WORD* icon = iw > 0 && ih > 0 ? NewFrameBlock(1, iw, ih) : nullptr)
        DrawGumpPixels(CopySpanTransparent, iconArt, 0, 0,
                       BlitTarget(icon, FramePitch(iw), iw, ih));
}

void CParchmentGump::AddFrameButtons() {
    auto* minimize = new CButtonGump(137, 0, this, CButtonGump::PUSH, CButtonGump::UP,
                                     &CGump::Minimize, kMinimizeArt, kMinimizeArt, 0);
    minimize->PutInGump(this);
    auto* resize = new CButtonGump(
        137, height - parchment::BottomGap() - 3, this, CButtonGump::PUSH, CButtonGump::UP,
        static_cast<GumpCallback>(&CParchmentGump::OpenResize), kResizeArt, kResizeArt, 0);
    resize->hoverArt = kResizeHoverArt;
    resize->PutInGump(this);
    resizeButton_ = resize;
}

void CParchmentGump::OpenResize() {
    // The rectangle starts where the resize button was pressed.
    if (resizeButton_) {
        grabX = resizeButton_->x + resizeButton_->grabX;
        grabY = resizeButton_->y + resizeButton_->grabY;
    }
    ResizeTextGump();
}

void CParchmentGump::TakeSize(int newWidth, int newHeight, CThumbGump* thumb, CGump* keepBoth) {
    newWidth = (std::max(newWidth, 8) + 7) & ~7;
    newHeight = std::max(newHeight, 1);
    const int dx = newWidth - width, dy = newHeight - height;
    for (CGump* c = firstChild; c; c = c->next) {
        if (c == thumb) {
            thumb->x += dx;
            thumb->minX += dx;
            thumb->maxX += dx;
            thumb->maxY += dy;
            thumb->y = std::min(thumb->y, thumb->maxY);
            continue;
        }
        if (c == keepBoth || c->x > width / 2) c->x += dx;
        if (c == keepBoth || c->y > height / 2) c->y += dy;
    }
    width = newWidth;
    height = newHeight;
    pitch = FramePitch(width);
}

void CParchmentGump::ChaseThumb(CThumbGump* thumb, int wanted, bool upward) {
    const bool short_ = upward ? thumb->y > wanted && thumb->y > thumb->minY : thumb->y < wanted;
    if (!short_) return;
    thumb->y = std::clamp(wanted, thumb->minY, thumb->maxY);
    HandleScroll(thumb->Position(), thumb->Range(), thumb);
}

void CParchmentGump::HandleLButtonDown(int px, int py) {
    BringToFront(this, 1);
    pressX_ = px;
    pressY_ = py;
    held_ = TRUE;
    repeat_ = 0;
    if (clickState_ == 0) {
        clickState_ = 1;
        firstClickTime_ = GetTimeMs();
    } else if (clickState_ == 1) {
        clickState_ = 2;
    }
    if (!minimized) ScrollBarClick(px, py);
}

void CParchmentGump::HandleMouseDrag(int px, int py) {
    if (!held_) return;
    if (!dragging_ && clickState_ == 1 &&
        (std::abs(px - pressX_) >= kDragDistance || std::abs(py - pressY_) >= kDragDistance)) {
        dragging_ = TRUE;
        clickState_ = 0;
    }
    if (dragging_) {
        RECT changed{0, 0, 0, 0};
        MoveBy(px - pressX_, py - pressY_, TRUE, changed, TRUE);
    }
}

void CParchmentGump::Tick() {
    if (held_ && !minimized && ++repeat_ % 2 == 0) ScrollBarClick(pressX_, pressY_);
    if (clickState_ == 1 &&
        GetTimeMs() - firstClickTime_ > static_cast<M_DWORD>(GetDoubleClickTime())) {
        clickState_ = 0;
        if (held_) dragging_ = TRUE;
    }
}

void CParchmentGump::HandleLButtonUp(int, int) {
    held_ = FALSE;
    MouseManager::SetCapture(nullptr);
    if (dragging_) {
        dragging_ = FALSE;
        clickState_ = 0;
    } else if (clickState_ == 2) {
        clickState_ = 0;
        if (minimized) CGump::Restore(this);
    }
}

void CParchmentGump::HandleRButtonUp(int, int) {
    MouseManager::SetCapture(nullptr);
    delete this;
}

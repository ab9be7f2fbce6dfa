#include "gumps/ButtonGump.h"

#include <algorithm>

#include "gumps/GumpHandle.h"
#include "gumps/MouseManager.h"
#include "gumps/TiledDraw.h"
#include "resources/FontManager.h"
#include "resources/GumpArt.h"
#include "resources/SpanHandlers.h"

namespace {

void copyDisabled(M_WORD* dst, const void* src, int count) {
    CopyPixelRowHued(dst, static_cast<const M_WORD*>(src), static_cast<unsigned>(count),
                     CButtonGump::DISABLED_HUE);
}

int artWidth(int art) {
    int w = 0;
    GetGumpArtSize(art, &w, nullptr);
    return w;
}

int artHeight(int art) {
    int h = 0;
    GetGumpArtSize(art, nullptr, &h);
    return h;
}

}  // namespace

CButtonGump::CButtonGump(int xIn, int yIn, CGump* owner, int typeIn, int state,
                         GumpCallback callbackIn, int upArt, int pressedArtIn, int pageIn)
    : CGump(xIn, yIn, owner, nullptr, 2, artWidth(upArt ? upArt : pressedArtIn),
            artHeight(upArt ? upArt : pressedArtIn)),
      type(typeIn),
      pressedArt(pressedArtIn),
      callback(callbackIn) {
    name = "Button gump";
    artId = upArt;
    page = static_cast<M_BYTE>(pageIn);
    SetState(state);
}

CButtonGump::CButtonGump(int left, int top, int right, int bottom, CGump* owner, int typeIn,
                         int state, GumpCallback callbackIn, int pageIn)
    : CGump(left, top, owner, nullptr, 2, (right - left + 1) + ((right - left + 1) & 1),
            bottom - top + 1),
      type(typeIn),
      artHitTest(FALSE),
      callback(callbackIn) {
    name = "Button gump";
    // No art to test against: the whole rectangle is the click area.
    artId = 0;
    page = static_cast<M_BYTE>(pageIn);
    SetState(state);
}

CButtonGump::CButtonGump(int xIn, int yIn, int widthIn, CGump* owner, int typeIn, int state,
                         GumpCallback callbackIn, int barArt, int pressedBarArt, const char* label,
                         int pageIn)
    : CGump(xIn, yIn, owner, nullptr, 2, widthIn, artHeight(barArt)),
      type(typeIn),
      prebuiltFrames(TRUE),
      callback(callbackIn) {
    name = "Button gump";
    page = static_cast<M_BYTE>(pageIn);
    SetState(state);
    int textWidth = 0, textHeight = 0, baseline = 0;
    if (label) FontManager::GetStringSize(1, label, &textWidth, &textHeight, &baseline);
    const int arts[2] = {barArt, pressedBarArt};
    for (int i = 0; i < 2; ++i) {
        M_WORD* pixels = NewFrameBlock(i, width, height);
        if (!pixels) continue;
        DrawTiledBar(arts[i], pixels - 2);
        if (label)
            FontManager::DrawString((width - textWidth) / 2,
                                    (height - textHeight) / 2 + baseline + 2, 1, 902, label,
                                    BlitTarget(pixels, pitch, width, height));
    }
}

void CButtonGump::DrawContents(const RECT& dirty) {
    if (!visible) return;
    const RECT screen = ScreenRect();
    if (!RectsIntersect(screen, dirty)) return;
    if (prebuiltFrames) {
        CGump::DrawContents(dirty);
        return;
    }
    int art = 0;
    SpanHandler copy = disabled ? copyDisabled : CopySpanTransparent;
    if (currentFrame == UP) {
        if (hovered && hoverArt && !disabled) {
            art = hoverArt;
            copy = CopySpanTransparent;
        } else if (artId > 0 && flashOn && flashArt) {
            art = flashArt;
            copy = CopySpanTransparent;
        } else {
            art = artId;
        }
    } else {
        art = pressedArt;
    }
    if (art > 0) DrawArtOnScreen(copy, art, screen.left, screen.top, dirty);
}

BOOL CButtonGump::HitTest(int px, int py) {
    if (!visible || px < 0 || py < 0 || px >= width || py >= height) return FALSE;
    if (!artHitTest || prebuiltFrames) return TRUE;
    return GumpArtHitTest(artId, px, py) != 0;
}

void CButtonGump::Activate() {
    CGump* owner = parent;
    if (!owner) return;
    if (setOwnerValue) owner->buttonValue = ownerValue;
    if (callback) (owner->*callback)();
}

void CButtonGump::HandleLButtonDown(int, int) {
    if (parent) {
        BringToFront(parent, 0);
        parent->clickField = 0;
    }
    tracking = TRUE;
    if (disabled) return;
    switch (type) {
        case PUSH:
            SetState(PRESSED);
            break;
        case AUTO_REPEAT:
            SetState(PRESSED);
            repeatCountdown = REPEAT_DELAY;
            Activate();
            break;
        default:
            break;
    }
}

void CButtonGump::HandleLButtonUp(int, int) {
    tracking = FALSE;
    MouseManager::SetCapture(nullptr);
    if (parent) parent->clickField = 0;
    if (disabled) return;
    switch (type) {
        case PUSH:
            SetState(UP);
            Activate();
            break;
        case TOGGLE: {
            SetState(currentFrame == UP ? PRESSED : UP);
            // The callback may close the owner, and this button with it.
            GumpHandle self(this);
            Activate();
            if (self && parent) parent->HandleButton(this);
            break;
        }
        case AUTO_REPEAT:
            SetState(UP);
            break;
        default:
            break;
    }
}

void CButtonGump::HandleRButtonDown(int px, int py) {
    if (parent) parent->HandleRButtonDown(px, py);
}

void CButtonGump::HandleRButtonUp(int px, int py) {
    if (parent) parent->HandleRButtonUp(px, py);
}

void CButtonGump::HandleMouseMove(int, int) {
    hovered = TRUE;
}

void CButtonGump::HandleMouseMoveAway() {
    hovered = FALSE;
}

void CButtonGump::Tick() {
    if (type != AUTO_REPEAT || disabled || !tracking) return;
    if (repeatCountdown > 0)
        --repeatCountdown;
    else
        Activate();
}

void CButtonGump::UpdateState() {
    flashOn = FALSE;
    ++flashCounter;
    if (flashCounter <= flashOffPeriod) return;
    flashOn = TRUE;
    if (flashCounter > flashOffPeriod + flashOnPeriod) flashCounter = 0;
}

// ---- The thumb ------------------------------------------------------------

CThumbGump::CThumbGump(int xIn, int yIn, BOOL verticalIn, int trackEnd, CGump* owner, int art)
    : CGump(xIn, yIn, owner, nullptr, 1, artWidth(art), artHeight(art)), vertical(verticalIn) {
    name = "Thumb gump";
    artId = art;
    minX = xIn;
    if (vertical) {
        maxX = xIn;
        minY = yIn;
        maxY = trackEnd - height;
    } else {
        maxX = trackEnd - width;
        minY = maxY = yIn;
    }
}

int CThumbGump::SetValue(int value, int range) {
    const int lo = vertical ? minY : minX, hi = vertical ? maxY : maxX;
    // An empty list has nothing to scroll.
    int position = range != 0 ? lo + (hi - lo + 1) * value / range : lo;
    position = std::min(position, hi);
    (vertical ? y : x) = position;
    return position;
}

void CThumbGump::UpdateFromText(int heightBefore, int offset, int totalHeight) {
    y = totalHeight > 0 ? minY + (heightBefore + offset) * (maxY - minY + 1) / totalHeight : minY;
}

void CThumbGump::DrawContents(const RECT& dirty) {
    if (!visible) return;
    const RECT screen = ScreenRect();
    if (!RectsIntersect(screen, dirty)) return;
    const int art = hovered && hoverArt ? hoverArt : artId;
    DrawArtOnScreen(CopySpanTransparent, art, screen.left + 1, screen.top, dirty);
}

BOOL CThumbGump::HitTest(int px, int py) {
    return px >= 0 && py >= 0 && px < width && py < height;
}

void CThumbGump::HandleLButtonDown(int px, int py) {
    dragging = TRUE;
    grabX = px;
    grabY = py;
}

void CThumbGump::HandleLButtonUp(int, int) {
    dragging = FALSE;
    MouseManager::SetCapture(nullptr);
    if (parent) parent->HandleScrollEnd(Position(), Range(), this);
}

void CThumbGump::HandleRButtonDown(int px, int py) {
    if (parent) parent->HandleRButtonDown(px, py);
}

void CThumbGump::HandleRButtonUp(int px, int py) {
    if (parent) parent->HandleRButtonUp(px, py);
}

void CThumbGump::HandleMouseMove(int, int) {
    hovered = TRUE;
}

void CThumbGump::HandleMouseMoveAway() {
    hovered = FALSE;
}

void CThumbGump::HandleMouseDrag(int px, int py) {
    if (!dragging) return;
    const int nx = std::clamp(x + px - grabX, minX, std::max(minX, maxX));
    const int ny = std::clamp(y + py - grabY, minY, std::max(minY, maxY));
    RECT moved{0, 0, 0, 0};
    MoveBy(nx - x, ny - y, TRUE, moved, FALSE);
    if (parent) parent->HandleScroll(Position(), Range(), this);
}

#include "gumps/WaitingGump.h"

#include <algorithm>
#include <cstring>

#include "TWReport.h"
#include "gumps/ButtonGump.h"
#include "gumps/GumpHooks.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "gumps/TiledDraw.h"
#include "resources/FontManager.h"
#include "resources/GraphicManager.h"
#include "resources/GumpArt.h"
#include "resources/UnicodeFont.h"

namespace {

constexpr int kTextX = 44, kTextY = 44;
constexpr int kTextHue = 902;
// The font of large boxes.
int g_messageFont = 2;

int frameWidth() {
    int w = 0;
    GetGumpArtSize(CWaitingGump::FRAME_ART, &w, nullptr);
    if (w == 0)
        TWReport::error("CWaitingGump: the frame art %d is missing.\n", CWaitingGump::FRAME_ART);
    return w;
}

int frameHeight() {
    int h = 0;
    GetGumpArtSize(CWaitingGump::FRAME_ART, nullptr, &h);
    return h;
}

}  // namespace

CWaitingGump::CWaitingGump(int, int, const void* textIn, CGump* owner, BOOL okButton, BOOL largeIn,
                           BOOL logoutIn, bool wideTextIn)
    : CGump(0, 0, nullptr, nullptr, 2, 2 * frameWidth() + (largeIn ? 268 : 115),
            2 * frameHeight() + (largeIn ? 124 : 33)),
      large(largeIn),
      logout(logoutIn),
      wideText(wideTextIn) {
    name = "waiting gump";
    ownerGump = owner;
    // Texts longer than the buffer are cut.
    if (textIn) {
        if (wideText) {
            const auto* src = static_cast<const M_WORD*>(textIn);
            auto* dst = reinterpret_cast<M_WORD*>(text);
            for (int i = 0; i < TEXT_BYTES / 2 - 1 && src[i]; ++i) dst[i] = src[i];
        } else {
            strncpy(reinterpret_cast<char*>(text), static_cast<const char*>(textIn),
                    TEXT_BYTES - 1);
        }
    }

    // Centred on the play window when it is up, else on the front end.
    const bool gameArea = GraphicManager::pMapGump != nullptr;
    const int cx = gameArea ? GraphicManager::getGameplayWindowCenterX() : 320;
    const int cy = gameArea ? GraphicManager::getGameplayWindowCenterY() : 240;
    x = restoreX = iconX = cx - width / 2;
    y = restoreY = iconY = cy - height / 2;

    // The box takes the keyboard.
    previousActive_.set(g_focusGump);
    if (g_focusGump != this) CGumpManager::SetActiveGump(this);

    // Frame 1: the frame; frame 0: the frame with the text.
    M_WORD* framed = NewFrameBlock(1, width, height);
    M_WORD* withText = NewFrameBlock(0, width, height);
    if (framed && withText) {
        DrawTiledFrame(FRAME_ART, framed - 2, FALSE);
        std::copy_n(framed, static_cast<size_t>(pitch) * height, withText);
        // Lines end inside the frame: with a narrow frame art the fixed
        // text width would run the last letters under the right edge.
        const int wrap = std::min(large ? 268 : 115, width - kTextX - frameWidth());
        // The text area, and never past the frame (the drawers know no
        // height of their own).
        const RECT clip{kTextX, kTextY, std::min(kTextX + wrap + 1, width),
                        std::min(kTextY + (large ? 124 : 33) + 1, height)};
        if (clip.right > clip.left && clip.bottom > clip.top) {
            if (wideText) {
                const int savedFont = UnicodeGetCurrentFont();
                const int savedSpace = UnicodeGetSpaceWidth();
                const M_DWORD savedStyle = UnicodeGetStyle();
                UnicodeSetCurrentFont(0);
                UnicodeSetSpaceWidth(6);
                UnicodeSetStyle(0);
                UnicodeDrawStringBuf(BlitTarget(withText, pitch, width, height).Clipped(clip), wrap,
                                     reinterpret_cast<const M_WORD*>(text), kTextX, kTextY, 1,
                                     FALSE);
                UnicodeSetCurrentFont(savedFont);
                UnicodeSetSpaceWidth(savedSpace);
                UnicodeSetStyle(savedStyle);
            } else {
                FontManager::DrawstringBuf(kTextX, kTextY, large ? g_messageFont : 1, kTextHue,
                                           reinterpret_cast<const char*>(text), wrap,
                                           BlitTarget(withText, pitch, width, height).Clipped(clip),
                                           0, 0, FALSE);
            }
        }
    }

    // The button, centred across near the bottom.
    const int up = okButton ? 1150 : 1153;
    int buttonWidth = 0, buttonHeight = 0;
    GetGumpArtSize(1150, nullptr, &buttonHeight);
    GetGumpArtSize(up, &buttonWidth, nullptr);
    auto* button = new CButtonGump((width - buttonWidth) / 2, height - 2 * buttonHeight, this,
                                   CButtonGump::PUSH, CButtonGump::UP,
                                   static_cast<GumpCallback>(&CWaitingGump::CloseOrLogout), up,
                                   okButton ? 1152 : 1155, 0);
    button->hoverArt = okButton ? 1151 : 1154;
    button->PutInGump(this);

    if (large && okButton) {
        MouseManager::BeginWait();
        MouseManager::SetCursorType(17);
        busyRaised = TRUE;
    }
}

CWaitingGump::~CWaitingGump() {
    if (busyRaised) {
        MouseManager::EndWait();
        MouseManager::SetCursorType(17);
    }
    // The keyboard goes back to the gump that had it.
    if (CGump* previous = previousActive_.get(); previous && previous != this)
        CGumpManager::SetActiveGump(previous);
    else if (g_focusGump == this)
        CGumpManager::DeactivateGump();
}

void CWaitingGump::CloseOrLogout() {
    if (ownerGump) {
        ownerGump->visible = TRUE;
        ownerGump->inputEnabled = TRUE;
    }
    if (CGumpManager::pWaitingGump == this) CGumpManager::pWaitingGump = nullptr;
    if (logout) {
        // Logging out closes every gump, this one with them.
        tw::Service<GumpSession>::Get().LogoutFromWorld();
        return;
    }
    delete this;
}

BOOL CWaitingGump::HitTest(int px, int py) {
    // A large box takes every click: nothing behind it is reachable.
    if (large) return TRUE;
    return CGump::HitTest(px, py);
}

void CWaitingGump::HandleLButtonDown(int px, int py) {
    if (CGumpManager::modalGump != this) BringToFront(this, 1);
    held = TRUE;
    grabX = px;
    grabY = py;
}

void CWaitingGump::HandleLButtonUp(int, int) {
    held = FALSE;
    MouseManager::SetCapture(nullptr);
}

void CWaitingGump::HandleMouseDrag(int px, int py) {
    if (!held || large) return;
    RECT moved{0, 0, 0, 0};
    MoveBy(px - grabX, py - grabY, TRUE, moved, TRUE);
}

int CWaitingGump::HandleKey(int code) {
    if (code != 13) return 0;
    // Enter is the button, whatever the button was given to do.
    GumpCallback action = static_cast<GumpCallback>(&CWaitingGump::CloseOrLogout);
    for (CGump* child = firstChild; child; child = child->next)
        if (child->IsButtonGump() && static_cast<CButtonGump*>(child)->callback) {
            action = static_cast<CButtonGump*>(child)->callback;
            break;
        }
    (this->*action)();
    return 1;
}

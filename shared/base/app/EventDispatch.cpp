// The queued input events reach the client: keys go to a key-capture field,
// then the macros, then as navigation codes to the focused gump, then to the
// speech line and the character handler; buttons and motion go to the mouse
// entry points; a resize request re-creates the window; a close request
// ends the run.
#include <algorithm>

#include "App.h"
#include "FrameBuf.h"
#include "InputEvents.h"
#include "Macros.h"
#include "Platform.h"
#include "config/Config.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"
#include "gumps/InputWindow.h"

namespace {

constexpr M_DWORD kTabCode = 9;
constexpr M_DWORD kExtendedBit = 0x40000000;
constexpr int kNavigationBase = 0xE000;
constexpr int kMinWidth = 640;
constexpr int kMinHeight = 480;
// The largest window the client makes, whatever the screen: a buffer of 128
// MB.
constexpr int kMaxWidth = 8192;
constexpr int kMaxHeight = 8192;
constexpr int kLeftButton = 1;

bool IsNavigationCode(M_DWORD code) {
    return (code >= 33 && code <= 40) || code == 46;
}

// The war mode in effect for the Tab hold: the pending request when there
// is one, else the player's own flag.
bool AtWarForTab() {
    int request = CApp::WarModeRequest();
    if (request == -1) return CApp::PlayerAtWar() != 0;
    return request == 1;
}

void HandleKeyRelease(const InputEvent& event) {
    if (TranslateKeySym(event.keysym) == kTabCode && HoldTabForCombat && AtWarForTab())
        CApp::SetWarMode(0);
}

void HandleKeyPress(const InputEvent& event) {
    const M_DWORD code = TranslateKeySym(event.keysym);
    const M_DWORD extended = event.keysym | kExtendedBit;

    if (code == kTabCode && HoldTabForCombat && !AtWarForTab()) CApp::SetWarMode(1);

    CGump* focus = g_focusGump;
    if (focus != nullptr && focus->parent != nullptr && focus->parent->CapturesKeys() &&
        focus->parent->GetKeyCaptureField() == focus) {
        g_lastCapturedKey = code;
        g_lastCapturedKeySym = extended;
        focus->parent->HandleButton(focus);
        return;
    }

    g_keyControl = (event.state & InputEvent::kControlBit) != 0;
    g_keyShift = (event.state & InputEvent::kShiftBit) != 0;
    // The pump found the alt modifier's number before it queued the key.
    g_keyAlt = g_altModNum >= 0 && g_altModNum <= 7 && (event.state & (1u << g_altModNum)) != 0;

    int index = 0;
    for (CMacro* macro = g_macroList; macro != nullptr; macro = macro->next, ++index) {
        if (macro->keyCode == code && macro->control == static_cast<M_DWORD>(g_keyControl) &&
            macro->alt == static_cast<M_DWORD>(g_keyAlt) &&
            macro->shift == static_cast<M_DWORD>(g_keyShift)) {
            CApp::RunMacro(index);
            return;
        }
    }

    if (focus != nullptr && IsNavigationCode(code)) {
        focus->HandleKey(kNavigationBase + static_cast<int>(code));
        return;
    }

    CInputWindow::HandleSpecialKey(static_cast<int>(code), extended);

    // Bytes above 127 arrive as negative values: -8 to -1 are the walking
    // codes of the character handler.
    for (const char c : event.text) CApp::OnChar(static_cast<signed char>(c));
}

void HandleResize(const InputEvent& event) {
    if (!AllowWindowResize) return;
    // The play view needs 640x480; a smaller request would leave the view
    // offset negative.  The width is kept even: a shared-memory image pads
    // its rows to whole 32-bit words, and the drawing code takes a row to be
    // width pixels long.  The platform has already held the size to the
    // screen.
    g_displayWidth = std::clamp(event.width, kMinWidth, kMaxWidth) & ~1;
    g_displayHeight = std::clamp(event.height, kMinHeight, kMaxHeight);
    ClampViewOffset();
    CGumpManager::RecreateMainBitmap();
}

}  // namespace

void CApp::DispatchInputEvents() {
    // One event at a time: what an event runs (the credits roll) may take
    // the rest of the queue itself.
    InputEvent event;
    while (PopInputEvent(&event)) {
        const short x = static_cast<short>(event.x);
        const short y = static_cast<short>(event.y);
        switch (event.kind) {
            case InputEvent::kButtonPress:
                if (event.button == kLeftButton)
                    OnLButtonDown(x, y);
                else
                    OnRButtonDown(x, y);
                break;
            case InputEvent::kButtonRelease:
                if (event.button == kLeftButton)
                    OnLButtonUp(x, y);
                else
                    OnRButtonUp(x, y);
                break;
            case InputEvent::kMotion:
                OnMouseMove(x, y);
                break;
            case InputEvent::kKeyPress:
                HandleKeyPress(event);
                break;
            case InputEvent::kKeyRelease:
                HandleKeyRelease(event);
                break;
            case InputEvent::kResize:
                HandleResize(event);
                break;
            case InputEvent::kClose:
                g_quitFlag = 1;
                return;
            case InputEvent::kExpose:
                // The next present shows the whole frame again.
                break;
        }
    }
}

// The event pump and the key path: X events become the client's mouse
// calls, macros, navigation codes and characters.
#include <X11/keysym.h>

#include <algorithm>
#include <cstring>

#include "Platform.h"
#include "X_FrameBuf.h"
#include "app/App.h"
#include "app/Macros.h"
#include "config/Config.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"
#include "gumps/InputWindow.h"
#include "gumps/X11Lock.h"

M_DWORD g_lastCapturedKey = 0;
M_DWORD g_lastCapturedKeySym = 0;
int g_keyControl = 0;
int g_keyAlt = 0;
int g_keyShift = 0;
int g_altModNum = -1;

namespace {

constexpr M_DWORD kTabCode = 9;
constexpr M_DWORD kExtendedBit = 0x40000000;
constexpr int kNavigationBase = 0xE000;
constexpr int kMinWidth = 640;
constexpr int kMinHeight = 480;

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

}  // namespace

int X_FrameBuf::FindAltModifier() {
    // A configured number wins; it must name one of the eight modifiers.
    if (AltKeyModNum >= 0 && AltKeyModNum < 8) return AltKeyModNum;
    int found = 3;
    X11Lock lock;
    XModifierKeymap* map = XGetModifierMapping(display_);
    if (map == nullptr) return found;
    const KeyCode altL = XKeysymToKeycode(display_, XK_Alt_L);
    const KeyCode altR = XKeysymToKeycode(display_, XK_Alt_R);
    const int entries = 8 * map->max_keypermod;
    for (int i = 0; i < entries; ++i) {
        const KeyCode code = map->modifiermap[i];
        // Empty slots hold 0, which is also what a keysym without a key
        // gives: never match on it.
        if (code != 0 && (code == altL || code == altR)) {
            found = i / map->max_keypermod;
            break;
        }
    }
    XFreeModifiermap(map);
    return found;
}

void X_FrameBuf::HandleKeyRelease(XKeyEvent& event) {
    KeySym keysym;
    {
        X11Lock lock;
        keysym = XLookupKeysym(&event, 0);
    }
    if (TranslateKeySym(keysym) == kTabCode && HoldTabForCombat && AtWarForTab())
        CApp::SetWarMode(0);
}

void X_FrameBuf::HandleKeyPress(XKeyEvent& event) {
    KeySym keysym;
    {
        X11Lock lock;
        keysym = XLookupKeysym(&event, 0);
    }
    const M_DWORD code = TranslateKeySym(keysym);
    const M_DWORD extended = static_cast<M_DWORD>(keysym) | kExtendedBit;

    if (code == kTabCode && HoldTabForCombat && !AtWarForTab()) CApp::SetWarMode(1);

    CGump* focus = g_focusGump;
    if (focus != nullptr && focus->parent != nullptr && focus->parent->CapturesKeys() &&
        focus->parent->GetKeyCaptureField() == focus) {
        g_lastCapturedKey = code;
        g_lastCapturedKeySym = extended;
        focus->parent->HandleButton(focus);
        return;
    }

    g_keyControl = (event.state & ControlMask) != 0;
    g_keyShift = (event.state & ShiftMask) != 0;
    if (g_altModNum < 0 || g_altModNum > 7) g_altModNum = FindAltModifier();
    g_keyAlt = (event.state & (1u << g_altModNum)) != 0;

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

    char text[256];
    int length;
    {
        X11Lock lock;
        KeySym ignored;
        length = XLookupString(&event, text, 255, &ignored, nullptr);
    }
    // Bytes above 127 arrive as negative values: -8 to -1 are the walking
    // codes of the character handler.
    for (int i = 0; i < length; ++i) CApp::OnChar(static_cast<signed char>(text[i]));
}

void X_FrameBuf::PumpEvents() {
    for (;;) {
        XEvent event;
        {
            X11Lock lock;
            if (!open_ || XPending(display_) == 0) return;
            XNextEvent(display_, &event);
        }
        switch (event.type) {
            case ButtonPress: {
                const short x = static_cast<short>(event.xbutton.x);
                const short y = static_cast<short>(event.xbutton.y);
                if (event.xbutton.button == Button1)
                    CApp::OnLButtonDown(x, y);
                else
                    CApp::OnRButtonDown(x, y);
                break;
            }
            case ButtonRelease: {
                const short x = static_cast<short>(event.xbutton.x);
                const short y = static_cast<short>(event.xbutton.y);
                if (event.xbutton.button == Button1)
                    CApp::OnLButtonUp(x, y);
                else
                    CApp::OnRButtonUp(x, y);
                break;
            }
            case MotionNotify:
                CApp::OnMouseMove(static_cast<short>(event.xmotion.x),
                                  static_cast<short>(event.xmotion.y));
                break;
            case ResizeRequest:
                if (AllowWindowResize) {
                    // The play view needs 640x480; a smaller request would leave
                    // the view offset negative.  The width is kept even: a
                    // shared-memory image pads its rows to whole 32-bit words,
                    // and the drawing code takes a row to be width pixels long.
                    g_displayWidth = std::max(kMinWidth, event.xresizerequest.width) & ~1;
                    g_displayHeight = std::max(kMinHeight, event.xresizerequest.height);
                    ClampViewOffset();
                    // This closes and re-opens the display: the rest of the old
                    // connection's queue is gone with it.
                    CGumpManager::RecreateMainBitmap();
                    return;
                }
                break;
            case ClientMessage:
                if (event.xclient.format == 32 &&
                    static_cast<Atom>(event.xclient.data.l[0]) == deleteWindowAtom_) {
                    g_quitFlag = 1;
                    return;
                }
                break;
            case KeyRelease:
                HandleKeyRelease(event.xkey);
                break;
            case KeyPress:
                HandleKeyPress(event.xkey);
                break;
            default:
                break;
        }
    }
}

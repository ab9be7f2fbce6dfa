// The event pump: every pending X event becomes one queued input event
// (InputEvents.h), with what only the window system can tell about it (the
// keysym, the text a key types, the alt modifier).  The main loop and the
// credits roll decide what the events do.
#include <X11/keysym.h>

#include <algorithm>

#include "InputEvents.h"
#include "X11Lock.h"
#include "X_FrameBuf.h"
#include "config/Config.h"

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

void X_FrameBuf::QueueKey(XKeyEvent& event, bool press) {
    InputEvent input;
    input.kind = press ? InputEvent::kKeyPress : InputEvent::kKeyRelease;
    input.state = event.state;
    {
        X11Lock lock;
        input.keysym = static_cast<M_DWORD>(XLookupKeysym(&event, 0));
        if (press) {
            char text[256];
            KeySym ignored;
            const int length = XLookupString(&event, text, 255, &ignored, nullptr);
            if (length > 0) input.text.assign(text, static_cast<size_t>(length));
        }
    }
    // The modifier map says which state bit is the alt key; it is read once,
    // before the first key press needs it.
    if (press && (g_altModNum < 0 || g_altModNum > 7)) g_altModNum = FindAltModifier();
    PushInputEvent(input);
}

void X_FrameBuf::PumpEvents() {
    for (;;) {
        XEvent event;
        {
            X11Lock lock;
            if (!open_ || XPending(display_) == 0) return;
            XNextEvent(display_, &event);
        }
        InputEvent input;
        switch (event.type) {
            case ButtonPress:
            case ButtonRelease:
                input.kind = event.type == ButtonPress ? InputEvent::kButtonPress
                                                       : InputEvent::kButtonRelease;
                input.x = event.xbutton.x;
                input.y = event.xbutton.y;
                input.button = event.xbutton.button;
                PushInputEvent(input);
                break;
            case MotionNotify:
                input.kind = InputEvent::kMotion;
                input.x = event.xmotion.x;
                input.y = event.xmotion.y;
                PushInputEvent(input);
                break;
            case Expose:
                input.kind = InputEvent::kExpose;
                PushInputEvent(input);
                break;
            case ResizeRequest:
                input.kind = InputEvent::kResize;
                // Any client of the display may ask; a window larger than
                // the screen shows nothing more and its image could be
                // gigabytes.
                input.width = std::min(event.xresizerequest.width, static_cast<int>(rootWidth_));
                input.height = std::min(event.xresizerequest.height, static_cast<int>(rootHeight_));
                PushInputEvent(input);
                // The reader may close and re-open the display: what is
                // still pending on this connection is left to it.
                return;
            case ClientMessage:
                if (event.xclient.format == 32 &&
                    static_cast<Atom>(event.xclient.data.l[0]) == deleteWindowAtom_) {
                    input.kind = InputEvent::kClose;
                    PushInputEvent(input);
                    // Nothing after the close request is taken.
                    return;
                }
                break;
            case KeyRelease:
                QueueKey(event.xkey, false);
                break;
            case KeyPress:
                QueueKey(event.xkey, true);
                break;
            default:
                break;
        }
    }
}

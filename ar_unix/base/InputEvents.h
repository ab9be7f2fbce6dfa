// The input-event queue: the window system's events as the client reads
// them.
//
// The platform's event pump (CFrameBuf::PumpEvents) turns every pending
// window event into one InputEvent at the back of the queue and calls
// nothing else; the main loop (CApp::DispatchInputEvents) and the credits
// roll take events from the front.  The pump and both readers run on the
// main thread, so the queue takes no lock.  It lives for the process and
// outlasts a display that is closed and opened again.
#pragma once

#include <cstddef>
#include <string>

#include "TWTypes.h"

struct InputEvent {
    enum Kind {
        kKeyPress,
        kKeyRelease,
        kButtonPress,
        kButtonRelease,
        kMotion,
        kExpose,  // part of the window needs drawing again
        kResize,  // the window manager asks for another window size
        kClose,   // the window manager asks the client to end
    };

    // Bits of state as the window system gives them: shift is bit 0,
    // control bit 2, the modifiers 1-5 bits 3-7 (which of them is the alt
    // key, g_altModNum of FrameBuf.h says).
    static constexpr unsigned int kShiftBit = 1u << 0;
    static constexpr unsigned int kControlBit = 1u << 2;

    Kind kind = kExpose;
    int x = 0;  // the pointer in the window (buttons, motion)
    int y = 0;
    int width = 0;  // the size asked for (resize)
    int height = 0;
    unsigned int button = 0;  // 1 is the left button
    unsigned int state = 0;   // the modifier bits (keys)
    M_DWORD keysym = 0;       // the key's unshifted keysym (keys)
    std::string text;         // what the key types with its modifiers (key presses)
};

void PushInputEvent(const InputEvent& event);
// Takes the oldest event; false when none waits.
bool PopInputEvent(InputEvent* event);
size_t PendingInputEvents();
// Drops every waiting event (test support, and nothing else).
void ClearInputEvents();

// The window's side of the software cursor: reading and writing a rectangle
// of the window's pixels and asking where the pointer is.  The cursor code
// (in the world view) saves what lies under the cursor on the window, puts
// the cursor over it and restores it when the cursor moves; the platform
// layer implements this with its window system and main installs it.
//
// Every operation is called with the X11 mutex held (X11Lock.h).  Pixels are
// 16-bit values at the window's depth, rows `width` pixels apart.
#pragma once

#include "TWTypes.h"

class CursorWindow {
public:
    static constexpr const char* kServiceName = "CursorWindow";
    virtual ~CursorWindow() = default;
    // Copies the window's rectangle into pixels; FALSE when there is no
    // window or the window system refused (the pixels are then undefined).
    virtual BOOL ReadWindow(int x, int y, int width, int height, M_WORD* pixels) = 0;
    // Puts the pixels on the window's rectangle.
    virtual void WriteWindow(int x, int y, int width, int height, const M_WORD* pixels) = 0;
    // The pointer's position in the window; FALSE without a window.
    virtual BOOL QueryPointer(int* x, int* y) = 0;
};

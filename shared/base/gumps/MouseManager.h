// The mouse manager: the software cursor, its thread-side drawing and the
// routing of button events.  It owns the X11 mutex (gumps/X11Lock.h).  Only
// what its callers use so far is declared here.
#pragma once

#include "TWTypes.h"

class CGump;

class MouseManager {
public:
    // The gump that holds the mouse (it gets the drags and the releases), or
    // null.  A gump that fails the pointer check is refused with a log line.
    // Main thread only; a closing gump releases it (CGumpManager::ForgetGump).
    static void SetCapture(CGump* gump);
    static CGump* GetCapture() { return pCapture; }
    static CGump* pCapture;

    static void startup();
    static void shutdown();
    static void LoadCursorArt();
    static void EnableCursor(BOOL on);
    // The held cursor position (its hot spot).
    static void GetMousePos(int* x, int* y);
    // The size of the cursor image last drawn (tool-tips go beside it).
    static void GetCursorSize(int* width, int* height);
    // TRUE while a new cursor shape waits to be drawn.
    static BOOL CursorNeedsRedraw();
    static void SetPos(int x, int y);
    // Redraws the cursor on the window; takes the X11 mutex itself.
    static void MoveCursor(BOOL force);
    // Draw the cursor into the back buffer before a present and restore the
    // pixels under it afterwards; called under the X11 mutex.
    static void DrawCursor();
    static void EraseCursor();
    static void OnLButtonDown(short x, short y);
    static void OnLButtonUp(short x, short y);
    static void OnRButtonDown(short x, short y);
    static void OnRButtonUp(short x, short y);
    static void Update();
    // 17 is the normal cursor, 19 the target cursor.
    static void SetCursorType(int kind);
    // Show and end the wait cursor.
    static void BeginWait();
    static void EndWait();
    // TRUE when the pointer lies near the play-area centre (walking) rather
    // than far from it (running).
    static BOOL IsMouseNearPlayer();
};

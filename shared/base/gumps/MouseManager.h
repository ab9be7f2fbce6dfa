// The mouse manager: the cursor's position, kind and shape, the mouse
// capture, and the routing of button, hover and drag events to gumps.
//
// Two threads use it.  The main thread dispatches events, runs Update once a
// frame and chooses the cursor's shape there (from war mode and where the
// pointer is); the cursor thread only moves the cursor (SetPos) and redraws
// it.  Position, shape, drawn size and kind each have a mutex; where more
// than one is held the order is position, shape, size, and shape before
// kind.  The capture, the busy count and the hovered gump belong to the main
// thread.
#pragma once

#include "Service.h"
#include "TWTypes.h"

class CGump;

// The software cursor: its pictures, their drawing on the window (cursor
// thread) and in the presented frame (main thread, inside the present), and
// the map cell under the pointer.  The world view implements it, since the
// frame's back buffer is its ring; the static functions of MouseManager of
// the same names reach the installed one.
class MouseCursorService {
public:
    static constexpr const char* kServiceName = "MouseManager cursor";
    virtual ~MouseCursorService() = default;
    virtual void LoadCursorArt() = 0;
    virtual void FreeCursorArt() = 0;
    virtual void EnableCursor(BOOL on) = 0;
    virtual void GetCursorSize(int* width, int* height) = 0;
    virtual void MoveCursor(BOOL takeDisplayLock) = 0;
    virtual void DrawCursor() = 0;
    virtual void EraseCursor() = 0;
    virtual void GetTileUnderPoint(int x, int y, int* cellX, int* cellY) = 0;
};

// What one redraw of the cursor draws: the image's top-left corner, the
// shape and the art shown (-1: none).
struct CursorSnapshot {
    int x = 0;
    int y = 0;
    int shape = -1;
    int art = -1;
};

class MouseManager {
public:
    // Cursor shapes: 0-7 directions far from the player, 8-15 near, 17 the
    // plain pointer, 19 the target, 20 busy; 23 more in peace.
    static constexpr int NUM_SHAPES = 46;
    static constexpr int FIRST_CURSOR_ART = 24659;
    static constexpr int PEACE_SHAPES = 23;
    static constexpr int NORMAL_CURSOR = 17;
    static constexpr int BUSY_CURSOR = 20;

    static void startup();
    static void shutdown();
    static void LoadCursorArt() { Cursor().LoadCursorArt(); }
    // Registered with atexit right after startup, so it may run before the
    // cursor was installed.
    static void FreeCursorArt() {
        if (tw::Service<MouseCursorService>::IsInstalled()) Cursor().FreeCursorArt();
    }
    static void EnableCursor(BOOL on) { Cursor().EnableCursor(on); }

    // ---- Position (any thread) ------------------------------------------------
    // The hot spot moves to (x, y).
    static void SetPos(int x, int y);
    // The hot spot.
    static void GetMousePos(int* x, int* y);
    // The size of the cursor image last drawn (tool-tips go beside it).
    static void GetCursorSize(int* width, int* height) { Cursor().GetCursorSize(width, height); }
    // TRUE while a new cursor shape waits to be drawn.
    static BOOL CursorNeedsRedraw();
    // Redraws the cursor on the window; takes the X11 mutex when asked to.
    static void MoveCursor(BOOL takeDisplayLock) { Cursor().MoveCursor(takeDisplayLock); }
    // Draw the cursor into the back buffer before a present and restore the
    // pixels under it afterwards; called under the X11 mutex.
    static void DrawCursor() { Cursor().DrawCursor(); }
    static void EraseCursor() { Cursor().EraseCursor(); }

    // ---- Kind and shape (main thread) ------------------------------------------
    // 0 chooses by direction; 17 is the normal cursor, 19 the target cursor,
    // 20 busy.  Outside the world the kind is always 17.
    static void SetCursorType(int kind);
    static int GetCursorType();
    // Raise and lower the busy count; while it is positive the kind is busy.
    static void BeginWait();
    static void EndWait();
    static int BusyCount();
    // Chooses the shape from the kind, the direction and war mode.
    static void SetMouseCursor();
    static int GetShape();

    // ---- The shape table, for the cursor's pictures ------------------------------
    // The first and last art of a shape (-1, -1 outside 0..45).
    static void GetShapeArts(int shape, int* firstArt, int* lastArt);
    // Records a shape's loaded pictures: the hot spot and the largest size.
    static void SetShapeArt(int shape, int hotX, int hotY, int width, int height);
    // Position, shape and art, read under their mutexes in their order.
    static CursorSnapshot TakeSnapshot();
    // The new shape has been drawn.
    static void ClearShapeChanged();

    // ---- The pointer and the player -----------------------------------------------
    // 0 (up the screen) .. 7 clockwise from the centre of the gameplay window,
    // or -1 outside it unless anyPosition.
    static int GetMouseDirection(BOOL anyPosition);
    // TRUE when the pointer lies near the play-area centre (walking) rather
    // than far from it (running).
    static BOOL IsMouseNearPlayer();
    // The map cell under a screen point, (-1, -1) when none.
    static void GetTileUnderPoint(int x, int y, int* cellX, int* cellY) {
        Cursor().GetTileUnderPoint(x, y, cellX, cellY);
    }

    // ---- Events (main thread) ---------------------------------------------------
    static void OnLButtonDown(short x, short y);
    static void OnLButtonUp(short x, short y);
    static void OnRButtonDown(short x, short y);
    static void OnRButtonUp(short x, short y);
    // Once a frame: help hovering, the cursor shape, drags, hover and ticks.
    static void Update();
    static void UpdateHelpHovering();

    // The gump that holds the mouse (it gets the drags and the button
    // releases), or null.  A gump that fails the pointer check is refused
    // with a log line.  A closing gump releases it (CGumpManager::ForgetGump).
    static void SetCapture(CGump* gump);
    static CGump* GetCapture() { return pCapture; }
    static CGump* pCapture;

    // Test support: the state startup leaves.
    static void reset();

private:
    static MouseCursorService& Cursor() { return tw::Service<MouseCursorService>::Get(); }
};

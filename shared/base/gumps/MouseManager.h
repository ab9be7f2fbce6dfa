// The mouse manager: the software cursor, its thread-side drawing and the
// routing of button events.  Only what its callers use so far is declared
// here.  It is not built yet: the static functions reach the installed
// MouseService.
#pragma once

#include "Service.h"
#include "TWTypes.h"

class MouseService {
public:
    static constexpr const char* kServiceName = "MouseManager";
    virtual ~MouseService() = default;
    virtual void startup() = 0;
    virtual void shutdown() = 0;
    virtual void LoadCursorArt() = 0;
    virtual void EnableCursor(BOOL on) = 0;
    virtual void GetMousePos(int* x, int* y) = 0;
    virtual BOOL CursorNeedsRedraw() = 0;
    virtual void SetPos(int x, int y) = 0;
    virtual void MoveCursor(BOOL force) = 0;
    virtual void DrawCursor() = 0;
    virtual void EraseCursor() = 0;
    virtual void OnLButtonDown(short x, short y) = 0;
    virtual void OnLButtonUp(short x, short y) = 0;
    virtual void OnRButtonDown(short x, short y) = 0;
    virtual void OnRButtonUp(short x, short y) = 0;
    virtual void Update() = 0;
    virtual void SetCursorType(int kind) = 0;
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;
    virtual BOOL IsMouseNearPlayer() = 0;
};

class MouseManager {
public:
    static void startup() { Service().startup(); }
    static void shutdown() { Service().shutdown(); }
    static void LoadCursorArt() { Service().LoadCursorArt(); }
    static void EnableCursor(BOOL on) { Service().EnableCursor(on); }
    // The held cursor position (its hot spot).
    static void GetMousePos(int* x, int* y) { Service().GetMousePos(x, y); }
    // TRUE while a new cursor shape waits to be drawn.
    static BOOL CursorNeedsRedraw() { return Service().CursorNeedsRedraw(); }
    static void SetPos(int x, int y) { Service().SetPos(x, y); }
    // Redraws the cursor on the window; takes the display lock itself.
    static void MoveCursor(BOOL force) { Service().MoveCursor(force); }
    // Draw the cursor into the back buffer before a present and restore the
    // pixels under it afterwards; called under the display lock.
    static void DrawCursor() { Service().DrawCursor(); }
    static void EraseCursor() { Service().EraseCursor(); }
    static void OnLButtonDown(short x, short y) { Service().OnLButtonDown(x, y); }
    static void OnLButtonUp(short x, short y) { Service().OnLButtonUp(x, y); }
    static void OnRButtonDown(short x, short y) { Service().OnRButtonDown(x, y); }
    static void OnRButtonUp(short x, short y) { Service().OnRButtonUp(x, y); }
    static void Update() { Service().Update(); }
    // 17 is the normal cursor, 19 the target cursor.
    static void SetCursorType(int kind) { Service().SetCursorType(kind); }
    // Show and end the wait cursor.
    static void BeginWait() { Service().BeginWait(); }
    static void EndWait() { Service().EndWait(); }
    // TRUE when the pointer lies near the play-area centre (walking) rather
    // than far from it (running).
    static BOOL IsMouseNearPlayer() { return Service().IsMouseNearPlayer(); }

private:
    static MouseService& Service() { return tw::Service<MouseService>::Get(); }
};

// The small platform functions the rest of the client calls: the present of
// a finished frame, the main loop's scheduler, and hooks with fixed results
// that keep callers platform-neutral.
//
// The functions whose work needs the window system or the layers above the
// game code (the cursor, the gumps) reach it through PlatformHooks, which the
// platform layer implements and main installs at start-up; tests install
// the platform's own or a double.
#pragma once

#include "ProcessFlags.h"
#include "Service.h"
#include "TWTypes.h"

class PlatformHooks {
public:
    static constexpr const char* kServiceName = "PlatformHooks";
    virtual ~PlatformHooks() = default;
    virtual void AllocateMainBitmap() = 0;
    virtual void PresentBackBuffer() = 0;
    virtual void ResizeMainWindow(int width, int height) = 0;
    virtual int OpenWebBrowser() = 0;
};

// Clamps the view offset so that a 640x480 view fits the display size.
void ClampViewOffset();

// Shows the finished frame: draws the software cursor into the back buffer,
// copies the ring buffer to the window so that the pixel at the view offset
// lands at the top-left corner, and restores the pixels under the cursor.
void PresentBackBuffer();

// One decision of the main loop's scheduler, given the next-tick deadline,
// the clock and the frame period (all on the GetTimeMs scale).
struct TickPlan {
    int ticks = 0;                // 0, 1 or 2 calls of the frame tick
    bool firstSkipsDraw = false;  // with two, the first draws nothing
    M_DWORD deadline = 0;         // the deadline after this iteration
};
TickPlan PlanTicks(M_DWORD deadline, M_DWORD now, M_DWORD period, BOOL frameSkipping);

// Hooks with fixed results.
void GetMainWindowPos(int* x, int* y);
void ResizeMainWindow(int unused1, int unused2, int width, int height);
int OpenWebBrowser();
void PlatformNoOp();
void PlayIntroAnimation();
void SetWindowTitle(const char* title);
void DisplayModeHookA();
void DisplayModeHookB();
void MacroPlatformHook();

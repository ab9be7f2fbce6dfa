// The small platform functions the rest of the client calls: the quit flag,
// the present of a finished frame, the cursor thread, the main loop's
// scheduler, and hooks with fixed results that keep callers platform-neutral.
#pragma once

#include <atomic>

#include "TWTypes.h"

// 0 while the client runs; any part of the client sets it to end the run.
// It only ever goes from 0 to non-zero and means nothing but "exit": the
// cursor thread reads it without a lock.
extern std::atomic<int> g_quitFlag;

// The local time zone in minutes west of Greenwich, read at start-up; the
// login screens sort the servers by it.
extern int g_timeZoneMinutesWest;

// Clamps the view offset so that a 640x480 view fits the display size.
void ClampViewOffset();

// Shows the finished frame: draws the software cursor into the back buffer,
// copies the ring buffer to the window so that the pixel at the view offset
// lands at the top-left corner, and restores the pixels under the cursor.
void PresentBackBuffer();

// The cursor thread's body: polls the pointer every 25 ms and redraws the
// software cursor when it moved, until the quit flag is set.
void* MousePollThread(void* unused);

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

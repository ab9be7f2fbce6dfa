// The platform hooks, the cursor thread and the main loop's scheduler.
#include "Platform.h"

#include <unistd.h>

#include "FrameBuf.h"
#include "X_FrameBuf.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "gumps/X11Lock.h"

std::atomic<int> g_quitFlag{0};
int g_timeZoneMinutesWest = 0;

TickPlan PlanTicks(M_DWORD deadline, M_DWORD now, M_DWORD period, BOOL frameSkipping) {
    TickPlan plan;
    // Unsigned: a clock that went backwards gives a huge difference and so
    // counts as far behind.
    const M_DWORD elapsed = now - deadline;
    plan.deadline = deadline;
    if (elapsed < period) return plan;
    if (static_cast<unsigned long long>(elapsed) < 2ull * period) {
        plan.ticks = 1;
        plan.deadline = deadline + period;
        return plan;
    }
    // Two periods behind: no backlog of ticks is run.
    plan.ticks = frameSkipping ? 2 : 1;
    plan.firstSkipsDraw = frameSkipping != 0;
    plan.deadline = now;
    return plan;
}

void* MousePollThread(void*) {
    while (g_quitFlag.load() == 0) {
        bool found = false;
        int x = 0, y = 0;
        {
            X11Lock lock;
            if (g_xDisplay != nullptr) {
                Window root, child;
                int rootX, rootY;
                unsigned int mask;
                found = XQueryPointer(g_xDisplay, g_xWindow, &root, &child, &rootX, &rootY, &x, &y,
                                      &mask) != 0;
            }
        }
        if (found) {
            int heldX = 0, heldY = 0;
            MouseManager::GetMousePos(&heldX, &heldY);
            if (x != heldX || y != heldY || MouseManager::CursorNeedsRedraw()) {
                MouseManager::SetPos(x, y);
                MouseManager::MoveCursor(1);
            }
        }
        usleep(25000);
    }
    return nullptr;
}

void GetMainWindowPos(int* x, int* y) {
    if (x != nullptr) *x = 0;
    if (y != nullptr) *y = 0;
}

void ResizeMainWindow(int, int, int width, int height) {
    X11Lock lock;
    if (g_xDisplay == nullptr || width <= 0 || height <= 0) return;
    XResizeWindow(g_xDisplay, g_xWindow, static_cast<unsigned>(width),
                  static_cast<unsigned>(height));
    XFlush(g_xDisplay);
}

int OpenWebBrowser() {
    CGumpManager::OpenWaitingGump("Web browser not found!", nullptr, 0, 0, 0);
    return 0;
}

void PlatformNoOp() {}
void PlayIntroAnimation() {}
void SetWindowTitle(const char*) {}
void MacroPlatformHook() {}

void DisplayModeHookA() {
    if (g_frameBuf != nullptr) g_frameBuf->Reserved5();
}

void DisplayModeHookB() {
    if (g_frameBuf != nullptr) g_frameBuf->Reserved5();
}

// The platform hooks and the main loop's scheduler.
#include "Platform.h"

#include "FrameBuf.h"

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

void PresentBackBuffer() {
    tw::Service<PlatformHooks>::Get().PresentBackBuffer();
}

void GetMainWindowPos(int* x, int* y) {
    if (x != nullptr) *x = 0;
    if (y != nullptr) *y = 0;
}

void ResizeMainWindow(int, int, int width, int height) {
    tw::Service<PlatformHooks>::Get().ResizeMainWindow(width, height);
}

int OpenWebBrowser() {
    return tw::Service<PlatformHooks>::Get().OpenWebBrowser();
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

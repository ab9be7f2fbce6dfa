// The frame-rate limiter of the credits roll.
#include "Clock.h"
#include "resources/FontManager.h"

void CFrameTimer::Reset() {
    framesPerSecond = 30;
    interval = 1000 / 30;
    frameStart = frameEnd = 0;
    slack = 0;
}

BOOL CFrameTimer::SetFramesPerSecond(int fps) {
    // 0 would divide by zero; above 1000 the interval would be 0 and the
    // lateness loop would never end.
    if (fps < 1 || fps > 1000) return FALSE;
    framesPerSecond = fps;
    interval = 1000 / fps;
    return TRUE;
}

void CFrameTimer::MarkStart() {
    frameStart = GetTimeMs();
}

void CFrameTimer::MarkEnd() {
    frameEnd = GetTimeMs();
}

void CFrameTimer::AddFrameSlack() {
    slack += interval - static_cast<int>(frameEnd - frameStart);
}

int CFrameTimer::FramesBehind() {
    const int k = -slack / interval;
    slack += k * interval;
    return k;
}

int CFrameTimer::TakeSlack() {
    const int taken = slack;
    slack = 0;
    return taken;
}

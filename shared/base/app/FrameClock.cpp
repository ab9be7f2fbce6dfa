// The frame tick's gate, game clock and keep-alive decision.
#include "app/FrameTick.h"

int g_armDisarmCooldown = 0;
FrameTickState g_frameTickState;

namespace {
constexpr M_DWORD kMinTickGap = 75;
constexpr M_DWORD kSecond = 1000;
constexpr time_t kKeepAliveSeconds = 60;
FrameStepObserver s_stepObserver = nullptr;
}  // namespace

FrameGate PassFrameGate(FrameTickState& state, M_DWORD now) {
    FrameGate gate;
    // Unsigned differences: the millisecond clock wraps.
    if (now - state.lastTick <= kMinTickGap) return gate;
    gate.run = true;
    state.lastTick = now;
    if (now - state.lastSecond >= kSecond) {
        state.lastSecond = now;
        gate.secondTick = true;
    }
    return gate;
}

void AdvanceGameClock(int* hour, int* minute, int* seconds) {
    if (++*seconds <= 19) return;
    *seconds = 0;
    if (++*minute <= 59) return;
    *minute = 0;
    if (++*hour <= 23) return;
    *hour = 0;
}

bool KeepAliveDue(FrameTickState& state, bool connectionInUse, time_t wallNow) {
    if (!connectionInUse) {
        state.keepAliveTime = wallNow;
        return false;
    }
    // Signed: a wall clock set backwards waits until it has passed the
    // stored time again.
    if (static_cast<long long>(wallNow) - static_cast<long long>(state.keepAliveTime) <=
        kKeepAliveSeconds)
        return false;
    state.keepAliveTime = wallNow;
    return true;
}

void SetFrameStepObserver(FrameStepObserver observer) {
    s_stepObserver = observer;
}

void NoteFrameStep(const char* step) {
    if (s_stepObserver) s_stepObserver(step);
}

void ResetFrameTick() {
    g_frameTime = 0;
    g_wallTime = 0;
    g_armDisarmCooldown = 0;
    g_frameTickState = FrameTickState{};
    s_stepObserver = nullptr;
}

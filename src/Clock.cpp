#include "Clock.h"

#include <sys/time.h>

M_DWORD g_frameTime = 0;
time_t g_wallTime = 0;

namespace {
TimeSource s_source = nullptr;
WallTimeSource s_wallSource = nullptr;
}  // namespace

M_DWORD GetTimeMs() {
    if (s_source) return s_source();
    timeval tv{};
    gettimeofday(&tv, nullptr);
    // Truncating to 32 bits is the clock's definition: it wraps.
    return static_cast<M_DWORD>(static_cast<unsigned long long>(tv.tv_sec) * 1000u +
                                static_cast<unsigned long long>(tv.tv_usec) / 1000u);
}

time_t GetWallTime() {
    if (s_wallSource) return s_wallSource();
    return time(nullptr);
}

int GetDoubleClickTime() {
    return 250;
}

void SetTimeSourceForTests(TimeSource source) {
    s_source = source;
}

void SetWallTimeSourceForTests(WallTimeSource source) {
    s_wallSource = source;
}

// The millisecond clock every timer of the client uses, the wall clock, and
// the double-click time.  GetTimeMs wraps after about 49.7 days: compare
// unsigned differences, never absolute values.
#pragma once

#include <ctime>

#include "TWTypes.h"

M_DWORD GetTimeMs();
// Seconds since the epoch, as time(NULL) gives them.
time_t GetWallTime();
int GetDoubleClickTime();

// The frame clock: the GetTimeMs value and the wall time (seconds) that the
// frame tick stores at the start of every call; movement and animation read
// them as "now".  Main thread only.
extern M_DWORD g_frameTime;
extern time_t g_wallTime;

// Tests replace the clocks; null restores gettimeofday and time(NULL).
using TimeSource = M_DWORD (*)();
void SetTimeSourceForTests(TimeSource source);
using WallTimeSource = time_t (*)();
void SetWallTimeSourceForTests(WallTimeSource source);

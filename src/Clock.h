// The millisecond clock every timer of the client uses, and the double-click
// time.  GetTimeMs wraps after about 49.7 days: compare unsigned differences,
// never absolute values.
#pragma once

#include "TWTypes.h"

M_DWORD GetTimeMs();
int GetDoubleClickTime();

// Tests replace the clock; null restores gettimeofday.
using TimeSource = M_DWORD (*)();
void SetTimeSourceForTests(TimeSource source);

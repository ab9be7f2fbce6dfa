// The walk queue and the walk protocol.  Only what its callers use so far is
// declared here.
#pragma once

#include "TWTypes.h"

class MoveManager {
public:
    static void Update();
    // Forgets every predicted step and the walk counters.
    static void ClearWalkQueue();
    // A keyboard walk in a direction 0-7; bit 30 of the key state marks a
    // repeated key.
    static void WalkByKey(int direction, M_DWORD keyState);
};

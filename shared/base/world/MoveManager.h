// The walk queue and the walk protocol.  Only what its callers use so far is
// declared here.
#pragma once

#include <ctime>

#include "TWTypes.h"

class MoveManager {
public:
    static void Update();
    // Forgets every predicted step and the walk counters.
    static void ClearWalkQueue();
    // A keyboard walk in a direction 0-7; bit 30 of the key state marks a
    // repeated key.
    static void WalkByKey(int direction, M_DWORD keyState);
    // Requests one step: direction 1-8 (the wire direction is
    // (direction - 1) & 7), running 0 or 1 (0xFFFFFFFF: by the mouse's
    // distance), check 1 to test the target cell first.
    static void RequestMove(int direction, M_DWORD running, int check);

    // Walk state that the mobiles read.
    // The player's frame counter: advances each frame of a step and while
    // the player stands in its idle pose.
    static int stepCounter;
    // Running flag of the step being played.
    static BOOL stepRunning;
    // Walk requests sent and not yet answered.
    static int requestsInFlight;
    // The wall time (seconds) of the last walk request.
    static time_t lastRequestTime;
};

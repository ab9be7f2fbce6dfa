// The walk queue and the walk protocol.  Only what its callers use so far is
// declared here.
#pragma once

class MoveManager {
public:
    static void Update();
};

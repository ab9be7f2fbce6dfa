// Regions of "regions.mul".  Only what its callers use so far is declared
// here.
#pragma once

class RegionManager {
public:
    static void startup();
    static void shutdown();
};

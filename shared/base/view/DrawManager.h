// The draw manager: the sorted draw lists of the map cells.  Only what its
// callers use so far is declared here.
#pragma once

class DrawManager {
public:
    static void ClearTable();
    static void startup();
    static void shutdown();
};

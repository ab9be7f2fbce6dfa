// Multis: the component lists of multi-part structures.  Only what its
// callers use so far is declared here.
#pragma once

class MultiManager {
public:
    static void startup();
    static void shutdown();
};

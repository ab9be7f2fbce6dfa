// Path finding.  Only what its callers use so far is declared here.
#pragma once

class PathManager {
public:
    static void startup();
    static void shutdown();
};

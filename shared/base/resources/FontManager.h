// The bitmap and Unicode fonts.  Only what their callers use so far is
// declared here.
#pragma once

class FontManager {
public:
    static void startup();
    static void shutdown();
};

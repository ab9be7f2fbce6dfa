// The light module of the world view.  Only what its callers use so far is
// declared here.
#pragma once

class thelightthingie {
public:
    static void startup();
    static void shutdown();
    // Paints the play area of one frame: the dirty regions.
    static void PaintFrame();
};

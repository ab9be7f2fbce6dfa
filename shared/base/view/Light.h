// The light module of the world view.  Only what its callers use so far is
// declared here.
#pragma once

class CObj;

class thelightthingie {
public:
    static void startup();
    static void shutdown();
    // Paints the play area of one frame: the dirty regions.
    static void PaintFrame();
    // Scrolls the play area by pixels and repaints the uncovered strip.
    static void ScrollView(int dx, int dy);

    // The sum of the personal light the player contributes; objects add
    // theirs when they enter the world and take it back when they leave.
    static int personalLight;
};

// Marks dirty the screen area lit by an object's light.
void InvalidateObjectLight(CObj* object);

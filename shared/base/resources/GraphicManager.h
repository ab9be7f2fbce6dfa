// The graphic manager: palette, animation info and the play-area size.  Only
// what its callers use so far is declared here.
#pragma once

class GraphicManager {
public:
    // Accepts 640 x 480 and 800 x 600; any other size ends the program.
    static void setGameplayWindowPixelWidthAndHeight(int width, int height);
};

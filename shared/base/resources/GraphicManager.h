// The graphic manager: palette, animation info and the play-area size.  Only
// what its callers use so far is declared here.
#pragma once

class GraphicManager {
public:
    static void startup();
    static void shutdown();
    // The play-area gump and the main menu.
    static void CreateMainGumps();
    // Draws the world and the gumps and presents the frame.
    static void UpdateScreen();
    // The per-tick hook.
    static void Update();
    // Accepts 640 x 480 and 800 x 600; any other size ends the program.
    static void setGameplayWindowPixelWidthAndHeight(int width, int height);
};

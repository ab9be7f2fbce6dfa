// The play-window frame: four gumps on the sides of the play window, drawn
// from gump arts 2700 (top and bottom, repeated along x) and 2701 (left and
// right, repeated along y).  Dragging any piece moves the play window
// inside the game window, never past the back buffer's edges.  The pieces
// lie in the game area, so their positions are relative to the play
// window's corner and move with it.  Main thread only.
#pragma once

#include "gumps/Gump.h"

class GameAreaEdgeGump : public CGump {
public:
    enum Which { TOP = 0, BOTTOM = 1, LEFT = 2, RIGHT = 3 };
    static constexpr int HORIZONTAL_ART = 2700;
    static constexpr int VERTICAL_ART = 2701;

    // Sizes, places and fills the piece, and links it at the top level.
    explicit GameAreaEdgeGump(int which);
    ~GameAreaEdgeGump() override;

    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleMouseDrag(int x, int y) override;
    BOOL IsInGameArea() override { return TRUE; }
    BOOL IsEdgeGump() override { return TRUE; }
    BOOL UsesPixelHitTest() override { return FALSE; }
    BOOL IsDisposable() override { return FALSE; }

    int which;
    BOOL moving = FALSE;
    int grabOffsetX = 0;
    int grabOffsetY = 0;
};

// The four pieces, null when absent; each is cleared when its piece closes.
extern GameAreaEdgeGump* g_gameAreaEdges[4];

// Makes the four pieces.
void CreateGameAreaEdges();
// Closes the pieces and makes them anew round the play window (its size
// changed, or login completed).
void ResetGameAreaEdges();

// The world view's screen state that the platform layer and the world model
// touch.  Only what its callers use so far is declared here.
#pragma once

#include "TWTypes.h"

class CObj;
struct PathNode;

// Marks the whole screen dirty and clears the back buffer.
void InvalidateScreen();

// The view offset: the world-pixel position of the play window's top-left
// pixel.  World pixels less the view offset are play-window pixels.  The
// player sets it as it walks.
extern int g_viewOffsetX;
extern int g_viewOffsetY;

// The world view's second full-size 16-bit work buffer, or null while it
// does not exist; AllocateMainBitmap re-creates it at the display size.
extern M_WORD* g_workBuffer;

// One step along a path that the player follows.
void FollowPathStep();

// Clears the two light words that the light repaint and the radar read
// (logout, login confirmation).
void ClearWorldLightLevels();

// The criminal-warning switch: set at start; reading a mobile's state
// value above 99 clears it.
extern BOOL g_criminalWarning;

// The object under the pointer that the play area holds; an object clears
// it when it goes.
extern CObj* g_pointerObject;

// The path walker of the play area: while active it walks the player along
// the nodes from the current one, facing as given.
struct PathWalk {
    BOOL active = FALSE;
    PathNode* node = nullptr;
    int facing = 0;
};
extern PathWalk g_pathWalk;

// Walks the path manager's current path from its head and sets each node's
// back link to its predecessor, so that the path can be walked from its
// start.
void RelinkPathBackPointers();

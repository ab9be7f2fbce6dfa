// The world view's screen state that the platform layer touches.  Only what
// its callers use so far is declared here.
#pragma once

#include "TWTypes.h"

// Marks the whole screen dirty and clears the back buffer.
void InvalidateScreen();

// The view offset: the world-pixel position of the play window's top-left
// pixel.  World pixels less the view offset are play-window pixels.
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

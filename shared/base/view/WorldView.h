// The world view's screen state that the platform layer, the application and
// the world model touch.  What the world model asks of the view is declared
// in world/ViewHooks.h, which the view implements (ViewServices.h), the
// play area's pointer, path walker and lists of what is on screen among
// them (PlayArea.cpp).  The application reaches the path step through
// WorldViewService, which tests may replace.
#pragma once

#include "Service.h"
#include "TWTypes.h"
#include "resources/GraphicManager.h"
#include "world/ViewHooks.h"

class CObj;

class WorldViewService {
public:
    static constexpr const char* kServiceName = "WorldView";
    virtual ~WorldViewService() = default;
    virtual void FollowPathStep() = 0;
};

// Marks the whole screen dirty and clears the back buffer.
void InvalidateScreen();

// The view offset (g_viewOffsetX, g_viewOffsetY of resources/
// GraphicManager.h): the world-pixel position of the play window's top-left
// pixel.  World pixels less the view offset are play-window pixels.  The
// player sets it as it walks.

// The world view's second full-size 16-bit work buffer, or null while it
// does not exist; AllocateMainBitmap re-creates it at the display size.
inline M_WORD* g_workBuffer = nullptr;

// The dynamic object under the pointer, drawn highlighted (the play area's
// highlighted object), by serial so that it never names a deleted object;
// 0 none.
inline M_DWORD g_onObjSerial = 0;

// The creature under the pointer while the player is at war or picks a
// target (the play area's highlighted mobile), by serial so that it never
// names a deleted mobile; 0 none.  Drawn in its notoriety hue.
inline M_DWORD g_onMobileSerial = 0;

// One step along a path that the player follows (g_pathWalk of
// world/PathManager.h).
inline void FollowPathStep() {
    tw::Service<WorldViewService>::Get().FollowPathStep();
}

// Clears the two light words that the light repaint and the radar read
// (logout, login confirmation).
void ClearWorldLightLevels();

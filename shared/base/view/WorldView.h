// The world view: the play area, its screen state and the path walker's
// step.  The view owns the draw lists of the map cells, the map around the
// player, the light, the circle of transparency and the play-area gump; it
// sits above the gump framework and below the login screens.  What the
// world model asks of it is declared in world/ViewHooks.h, which the view
// implements.  Most of it is not built yet: the operations below reach the
// installed WorldViewService and PlayArea, which main installs from the
// stand-ins of shared/base/pending/ at start-up.
#pragma once

#include "Service.h"
#include "TWTypes.h"
#include "world/ViewHooks.h"

class CObj;

class WorldViewService {
public:
    static constexpr const char* kServiceName = "WorldView";
    virtual ~WorldViewService() = default;
    virtual void FollowPathStep() = 0;
    virtual void ClearWorldLightLevels() = 0;
};

// Marks the whole screen dirty and clears the back buffer.
inline void InvalidateScreen() {
    world::Screen().InvalidateScreen();
}

// The world view's second full-size 16-bit work buffer, or null while it
// does not exist; AllocateMainBitmap re-creates it at the display size.
inline M_WORD* g_workBuffer = nullptr;

// One step along a path that the player follows (g_pathWalk of
// world/PathManager.h).
inline void FollowPathStep() {
    tw::Service<WorldViewService>::Get().FollowPathStep();
}

// Clears the two light words that the light repaint and the radar read
// (logout, login confirmation).
inline void ClearWorldLightLevels() {
    tw::Service<WorldViewService>::Get().ClearWorldLightLevels();
}

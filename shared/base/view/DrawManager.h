// The draw manager: the sorted draw lists of the map cells.  Only what its
// callers use so far is declared here.  It is not built yet: its start-up
// reaches the installed DrawManagerService, and what the world model asks
// of the draw lists the installed DrawLists (world/ViewHooks.h).
#pragma once

#include "Service.h"
#include "TWTypes.h"
#include "world/ViewHooks.h"

class DrawManagerService {
public:
    static constexpr const char* kServiceName = "DrawManager";
    virtual ~DrawManagerService() = default;
    virtual void ClearTable() = 0;
    virtual void startup() = 0;
    virtual void shutdown() = 0;
};

class DrawManager {
public:
    static void ClearTable() { Service().ClearTable(); }
    static void startup() { Service().startup(); }
    static void shutdown() { Service().shutdown(); }
    // Takes every non-mobile object of that item tile out of the draw lists
    // and files it again (its tile record changed).
    static void ResortItemsOfTile(int itemId) { world::Draw().ResortItemsOfTile(itemId); }
    // Marks dirty every land cell drawn with that land art.
    static void InvalidateTerrainOfTile(int landId) {
        world::Draw().InvalidateTerrainOfTile(landId);
    }
    // The topmost item whose visible pixels cover a play-area point, or
    // null; land is left out with skipTerrain.
    static CDrawItem* GetItemAtScreenPoint(int x, int y, BOOL skipTerrain) {
        return world::Draw().GetItemAtScreenPoint(x, y, skipTerrain);
    }
    // The top draw item of a cell; the others follow through each item's
    // next link.
    static CDrawItem* GetTopItemAt(int x, int y) { return world::Draw().GetTopItemAt(x, y); }
    // Recomputes the roof cut-away limits round the player.
    static void UpdateRoofCut() { world::Draw().UpdateRoofCut(); }

private:
    static DrawManagerService& Service() { return tw::Service<DrawManagerService>::Get(); }
};

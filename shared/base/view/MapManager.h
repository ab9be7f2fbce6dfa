// The map manager: the map view state and distances on the map.  Only what
// its callers use so far is declared here.  It is not built yet: its
// start-up reaches the installed MapManagerService, and the map access the
// installed MapAccess (world/ViewHooks.h).
#pragma once

#include "Service.h"
#include "TWTypes.h"
#include "world/Coords.h"
#include "world/ViewHooks.h"

class MapManagerService {
public:
    static constexpr const char* kServiceName = "MapManager";
    virtual ~MapManagerService() = default;
    virtual void startup() = 0;
    virtual void shutdown() = 0;
    virtual void Reset() = 0;
};

class MapManager {
public:
    static void startup() { tw::Service<MapManagerService>::Get().startup(); }
    static void shutdown() { tw::Service<MapManagerService>::Get().shutdown(); }
    // Forgets the map view state (logout, login confirmation).
    static void Reset() { tw::Service<MapManagerService>::Get().Reset(); }
    // The distance in cells: 9999 when one side lies at x >= 5120 and the
    // other not, else the larger of |dx| and |dy|.
    static int GetDistance(Coords location, int x, int y) {
        return world::Map().GetDistance(location, x, y);
    }
    // The width in cells of the current map: the column constant of screen
    // positions (x - y + width).
    static int GetMapWidth() { return world::Map().GetMapWidth(); }
    // The map centre (x, y, z) and map number.
    static void SetCenter(int x, int y, int z, int mapNumber) {
        world::Map().SetCenter(x, y, z, mapNumber);
    }
};

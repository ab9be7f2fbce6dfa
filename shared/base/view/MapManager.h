// The map manager: the map view state and distances on the map.  Only what
// its callers use so far is declared here.
#pragma once

#include "TWTypes.h"
#include "world/Coords.h"

class MapManager {
public:
    static void startup();
    static void shutdown();
    // Forgets the map view state (logout, login confirmation).
    static void Reset();
    // The distance in cells: 9999 when one side lies at x >= 5120 and the
    // other not, else the larger of |dx| and |dy|.
    static int GetDistance(Coords location, int x, int y);
    // The width in cells of the current map: the column constant of screen
    // positions (x - y + width).
    static int GetMapWidth();
    // The four corner heights of a land cell.
    static void GetLandCornerZ(int x, int y, signed char corners[4]);
    // The land tile number of a cell.
    static int GetLandTile(int x, int y);
    // Non-zero when the line between two positions is clear within limit.
    static int LineOfSight(Coords from, Coords to, int limit);
};

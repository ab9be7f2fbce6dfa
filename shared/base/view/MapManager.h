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

    // The map centre: with x other than -1 stores (x, y, z); a new map
    // number recomputes the visible blocks; invalidates the screen.
    static void SetCenter(int x, int y, int z, int mapNumber);
    // Moves the centre by one cell and sets its z.
    static void ShiftCenter(int dx, int dy, int z);
    // The stored centre and map number.
    static int centerX;
    static int centerY;
    static int centerZ;
    static int mapNumber;
};

// TRUE when |z0 - z2| <= |z1 - z3| for a land cell's four corner heights:
// the cell is folded along the diagonal from corner 0 to corner 2.
BOOL CompareCornerDiagonals(const signed char corners[4]);

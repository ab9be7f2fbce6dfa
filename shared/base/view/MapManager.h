// The map manager: the view centre, the map's size and areas, the land of
// the map (tiles and heights by cell), distances and lines of sight, and
// the land cells and map statics kept loaded round the player.
//
// The map is 6144 x 4096 cells in blocks of 8 x 8.  Its surface, x 0..5119
// and y 0..4095, wraps in both directions; the part at x 5120 and above is
// a separate area that does not.  Land cells are made for the 37 x 37
// cells round the centre and filed into the draw table (DrawManager.h),
// keeping the unwrapped cell the centre reached them by; the statics of the
// 6 x 6 blocks round it are placed in the world as map statics.
//
// The centre and the map size live for the process; the map number, the
// loaded blocks and the table's window for the world (Reset).  Main thread
// only.
#pragma once

#include "TWTypes.h"
#include "world/Coords.h"

class MapManager {
public:
    static constexpr int MAP_WIDTH = 6144;
    static constexpr int MAP_HEIGHT = 4096;
    static constexpr int BLOCKS_PER_COLUMN = 512;
    static constexpr int WRAP_WIDTH = 5120;
    static constexpr int WRAP_HEIGHT = 4096;
    // Land cells are kept this far round the centre.
    static constexpr int TERRAIN_RANGE = 18;
    static constexpr int LOADED_BLOCKS = 36;
    // The land tile of a cell outside the map.
    static constexpr int OUTSIDE_LAND_TILE = 0x8001;

    static void startup();
    static void shutdown();
    // Forgets the map number and the loaded blocks and flushes the draw
    // table (logout, login confirmation).
    static void Reset();

    // The land tile of a cell (through the art variant's remapping).
    static int GetLandTile(int x, int y);
    // The heights of a cell's four corners: its own, then those of (x + 1,
    // y), (x + 1, y + 1) and (x, y + 1), each neighbour wrapped at the map's
    // edges; zeros for a cell outside the map.
    static void GetLandCornerZ(int x, int y, signed char corners[4]);
    // The distance in cells: 9999 between the surface and the separate
    // area, the larger of |dx| and |dy| otherwise, the short way round on
    // the surface.
    static int GetDistance(Coords location, int x, int y);
    static int GetDistance(Coords a, Coords b);
    // The width in cells of the map: the column constant of screen
    // positions (x - y + width).
    static int GetMapWidth();
    // Non-zero when nothing on the straight line between the two places
    // (their end cells not counted) has a tile flag of the mask.
    static int LineOfSight(Coords from, Coords to, int flagMask);

    // The view centre: with x other than -1 stores (x, y, z); a new map
    // number takes its block range from the map area; invalidates the
    // screen and, with the player placed, loads the land round it.
    static void SetCenter(int x, int y, int z, int mapNumber);
    // Moves the centre by a step and sets its z; on the surface a step
    // across a seam wraps the centre and the draw items with it.
    static void ShiftCenter(int dx, int dy, int z);
    // The draw table's window, the statics and the land cells round the
    // centre, and the height cut.
    static void RebuildTerrain();
    static void LoadStaticsNearPlayer();
    // Makes and files the land cell of (x, y): in the separate area (tile
    // 580 elsewhere), or on the surface with the cell wrapped onto it.
    static void MakeTerrain(int x, int y);
    static void MakeTerrainWrapped(int x, int y);

    static int centerX;
    static int centerY;
    static int centerZ;
    static int mapNumber;
    // The current map's area in cells, as the server's messages give it,
    // and its block range (right and bottom exclusive).
    struct Area {
        int x, y, width, height;
    };
    static Area mapArea;
    static int blockLeft;
    static int blockTop;
    static int blockRight;
    static int blockBottom;

    // Test support: the state of a fresh start (the draw table is not
    // touched).
    static void reset();
};

// TRUE when |z0 - z2| <= |z1 - z3| for a land cell's four corner heights:
// the cell folds along the diagonal from its corner 0 to corner 2.
BOOL CompareCornerDiagonals(const signed char corners[4]);

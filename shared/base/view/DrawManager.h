// The world view (this folder, library tw_view): everything that turns the
// world model into the pixels of the play area.
//
//   DrawManager.h      the draw table: one sorted draw list per map cell
//                      round the view centre, filing and removal, the cell
//                      order and the drawing walk of a dirty rectangle
//   MapManager.h       the view centre, the map and statics blocks, the
//                      land cells and statics loaded round the player
//   Repaint.h          the dirty rectangles, the back-buffer ring that
//                      scrolls the picture, the frame's repaint
//   Light.h            the light pass, the light files and tables
//   LandTile.h, TexturedTriangle.h   the land blitters
//   BigMobComponent.h  slices of art that hangs below a creature's cell
//   Sitting.h          the sitting poses of figures on chairs
//
// The world model's objects file themselves through their draw-list
// members (AddToDrawList, RemoveFromDrawList, Invalidate), whose bodies are
// the DrawManager operations below (WorldMembers.cpp); the view reaches
// each class's own filing, screen rectangle and drawing through the
// model's DrawItemVisitor (world/DrawItemVisitor.h).  The back buffer, its
// size, the ring start and the play window's place in the game window
// belong to the platform seam (FrameBuf.h).
//
// Lifetimes: the draw table and its window live for the process
// (ClearTable at start-up); the items in it are owned by the world model,
// except the slices, which their owner's filing makes and removal releases.
// Main thread only.
#pragma once

#include "TWTypes.h"

class CDrawItem;
class CMobile;
class CTexTerr;
struct TerrainLocation;

// The draw table: 64 x 64 list heads indexed [y & 63][x & 63] by map cell,
// a ring over the 64 x 64 cells whose corner is the window corner.
class DrawMapThingie {
public:
    static constexpr int SIZE = 64;
    static CDrawItem* table[SIZE][SIZE];
};

class DrawManager {
public:
    // Start-up: ClearTable, then startup.  Both shutdowns do nothing.
    static void ClearTable();
    static void startup();
    static void shutdown();

    // Filing.  An item already listed is taken out first; each class files
    // by its own key and cell.  The mobile forms also play the mobile's
    // footstep sound, and take out only a listed mobile.
    static void AddToDrawList(CDrawItem* item);
    static void RemoveFromDrawList(CDrawItem* item);
    static void AddMobileToDrawList(CMobile* mobile);
    static void RemoveMobileFromDrawList(CMobile* mobile);
    // Files an item whose drawKey is set into the cell (x, y).
    static void AddToDrawListAt(CDrawItem* item, int x, int y);
    // Marks a listed item's screen rectangle dirty.
    static void Invalidate(CDrawItem* item);
    // Sets up a land cell taken from a pool (tile word, cell and height),
    // and the lighting of a textured one from its corner heights.
    static void SetTileAndLocation(CDrawItem* item, int tile, const TerrainLocation* where);
    static void CalcNormals(CTexTerr* cell, const signed char* corners);

    // Per class: TRUE when the item is not to be drawn now; its screen
    // rectangle in world pixels; its drawing clipped to a play-area
    // rectangle.
    static BOOL IsHidden(CDrawItem* item);
    static void CalcRect(CDrawItem* item);
    static void DrawClip(CDrawItem* item, const RECT& clip);
    // Where texts over the item are placed (world pixels): the middle of its
    // rectangle, or a creature's feet.
    static void GetAnchorPoint(CDrawItem* item, int* x, int* y);
    // A mobile's rectangle of body and worn figures without its shadow
    // (world pixels), into *out; also sets its cell shift.
    static void CalcBoundRect(CMobile* mobile, RECT* out);

    // The table's window follows the view centre (MapManager): cells that
    // leave it are flushed, dynamic objects and land released.
    static void RecenterTable();
    static void FlushColumn(int column);
    static void FlushRow(int row);
    static void FlushCell(int x, int y);
    static void FlushAll();

    // The last item of a cell's list, the one drawn last, or null; the
    // items below it follow through each item's prev link.
    static CDrawItem* GetTopItemAt(int x, int y);
    // Files again every listed non-mobile object of that item tile (its
    // tile record changed); marks dirty every land cell of that land tile.
    static void ResortItemsOfTile(int itemId);
    static void InvalidateTerrainOfTile(int landId);

    // The topmost item whose visible pixels cover a play-area point, or
    // null; land is left out with skipTerrain.
    static CDrawItem* GetItemAtScreenPoint(int x, int y, BOOL skipTerrain);
    // The land cell whose rectangle holds a play-area point and whose
    // middle lies nearest it, or null.
    static CDrawItem* GetTerrainAtScreenPoint(int x, int y);
    // Recomputes the roof cut-away limits round the player.
    static void UpdateRoofCut();
    // TRUE when cell (x, y) holds a shown roof or surface at z or above.
    static BOOL IsCellCovered(int x, int y, int z);

    // The cell order: the 1977 cells of the table drawn for the play area,
    // back to front, each (dy << 6) | dx relative to the window corner.
    static void BuildCellOrder();
    static const M_WORD* cellOrder;
    static int cellOrderCount;
    // Draws the world into a play-area rectangle of the draw target
    // (Repaint.h).
    static void DrawWorldRect(const RECT& rect);

    // The window corner (map cells; view centre less 32) and the ring base
    // (corner & 63).
    static int lastCornerX;
    static int lastCornerY;
    static int ringBaseX;
    static int ringBaseY;
    // While the view centre stands under land that rises above the
    // player's head, land and items above the limit are hidden.
    static BOOL heightCut;
    static int heightCutLimit;
    // The roof cut-away: items at or above it are hidden (127: none).
    static int roofLimit;
    // Set only while UpdateRoofCut asks the objects that are blended
    // instead of hidden whether they stand in front of the player.
    static BOOL roofRecompute;

    // Test support: the table emptied (nothing released), the state of a
    // fresh start.
    static void reset();
};

// The table of mobiles that play an action animation (20 entries).
void ClearMobileAnimations();
// Enters a mobile (nothing when it is there already or the table is full).
void StartMobileAnimation(CMobile* mobile);
// Takes a mobile out and redraws it; non-zero when the mobile was deleted as
// a result.
int StopMobileAnimation(CMobile* mobile);
// Once a drawn frame: each mobile in the table that has waited its delay
// takes one step.
void StepMobileAnimations();
// One step: the next frame, the next play, the turn of a back-and-forth
// play, or the end.
void StepMobileAnimation(CMobile* mobile);

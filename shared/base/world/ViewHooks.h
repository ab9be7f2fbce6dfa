// What the world model asks of the world view.
//
// The view sits above the world: it draws the objects, keeps the draw lists
// of the map cells, the map around the player, the light and the circle of
// transparency.  Where an object tells the view that it changed (it entered a
// cell, its tile changed, the player walked) or asks it something (the top
// item of a cell, the corner heights of a land cell), it goes through one of
// these interfaces.  The view implements them and main installs them at
// start-up (until the view is built, its stand-ins of shared/base/pending/);
// the world reaches them only through tw::Service<I>::Get().  The operations
// keep the names of the view's own functions.
#pragma once

#include "Service.h"
#include "TWTypes.h"
#include "world/Coords.h"

class CDrawItem;
class CMobile;
class CObj;
class CTexTerr;
struct CCircleTransEntry;
struct TerrainLocation;

// The draw manager: the sorted draw lists of the map cells, the draw items'
// view state and the table of mobiles that play an action animation.
class DrawLists {
public:
    static constexpr const char* kServiceName = "DrawLists";
    virtual ~DrawLists() = default;

    // Files an item into, or takes it out of, the sorted list of its cell
    // (locX, locY), keeping inList.  A mobile's forms also play its footstep
    // sound, and take out only a listed mobile.
    virtual void AddToDrawList(CDrawItem* item) = 0;
    virtual void RemoveFromDrawList(CDrawItem* item) = 0;
    virtual void AddMobileToDrawList(CMobile* mobile) = 0;
    virtual void RemoveMobileFromDrawList(CMobile* mobile) = 0;
    // Marks the item's screen rectangle dirty.
    virtual void Invalidate(CDrawItem* item) = 0;
    // Set up a land cell taken from a pool.
    virtual void SetTileAndLocation(CDrawItem* item, int tile, const TerrainLocation* where) = 0;
    virtual void CalcNormals(CTexTerr* cell, const signed char* corners) = 0;

    // The top draw item of a cell; the others follow through each item's
    // next link.
    virtual CDrawItem* GetTopItemAt(int x, int y) = 0;
    // The topmost item whose visible pixels cover a play-area point, or null;
    // land is left out with skipTerrain.
    virtual CDrawItem* GetItemAtScreenPoint(int x, int y, BOOL skipTerrain) = 0;
    // Files again every non-mobile object of that item tile (its tile record
    // changed); marks dirty every land cell drawn with that land art.
    virtual void ResortItemsOfTile(int itemId) = 0;
    virtual void InvalidateTerrainOfTile(int landId) = 0;
    // Recomputes the roof cut-away limits round the player.
    virtual void UpdateRoofCut() = 0;
    // While the roof cut-away's height cut is on, land counts as height 0
    // for the ground height.
    virtual BOOL IsHeightCut() = 0;

    // The table of mobiles that play an action animation (20 entries):
    // emptied, entered (nothing when full or present), left; the last
    // answers non-zero when the mobile was deleted as a result.
    virtual void ClearMobileAnimations() = 0;
    virtual void StartMobileAnimation(CMobile* mobile) = 0;
    virtual int StopMobileAnimation(CMobile* mobile) = 0;
};

// The map manager: the map around the player and distances on it.
class MapAccess {
public:
    static constexpr const char* kServiceName = "MapAccess";
    virtual ~MapAccess() = default;

    // The distance in cells: 9999 when one side lies at x >= 5120 and the
    // other not, else the larger of |dx| and |dy|.
    virtual int GetDistance(Coords location, int x, int y) = 0;
    // The width in cells of the current map: the column constant of screen
    // positions (x - y + width).
    virtual int GetMapWidth() = 0;
    virtual void GetLandCornerZ(int x, int y, signed char corners[4]) = 0;
    virtual int GetLandTile(int x, int y) = 0;
    // Non-zero when the line between two positions is clear within limit.
    virtual int LineOfSight(Coords from, Coords to, int limit) = 0;
    // TRUE when |z0 - z2| <= |z1 - z3|: the cell is folded along the
    // diagonal from corner 0 to corner 2.
    virtual BOOL CompareCornerDiagonals(const signed char corners[4]) = 0;

    // The map centre: with x other than -1 stores (x, y, z); a new map
    // number recomputes the visible blocks; invalidates the screen.  Shift
    // moves it by one cell and sets its z.
    virtual void SetCenter(int x, int y, int z, int mapNumber) = 0;
    virtual void ShiftCenter(int dx, int dy, int z) = 0;
    // The stored centre and map number.
    virtual int GetCenterX() = 0;
    virtual int GetCenterY() = 0;
    virtual int GetCenterZ() = 0;
    virtual int GetMapNumber() = 0;
};

// The light module.
class ViewLight {
public:
    static constexpr const char* kServiceName = "ViewLight";
    virtual ~ViewLight() = default;

    // Marks dirty the screen area lit by an object's light, or by a mobile's
    // equipped light sources.
    virtual void InvalidateObjectLight(CObj* object) = 0;
    virtual void InvalidateEquipmentLights(CMobile* mobile) = 0;
    // The player's personal light enters (a positive change) or leaves the
    // sum of personal light the light module keeps.
    virtual void AddPersonalLight(int change) = 0;
    // Scrolls the play area by pixels and repaints the uncovered strip.
    virtual void ScrollView(int dx, int dy) = 0;
};

// The circle of transparency's see-through list.
class CircleOfTransparency {
public:
    static constexpr const char* kServiceName = "CircleOfTransparency";
    virtual ~CircleOfTransparency() = default;

    // The see-through entry of an item, or null; dropping the entry of an
    // item that is being destroyed.
    virtual CCircleTransEntry* FindEntry(const CDrawItem* item) = 0;
    virtual void RemoveEntry(CCircleTransEntry* entry) = 0;
};

// The play area: the whole screen, what is on it, the object under the
// pointer and the path walker.
class PlayArea {
public:
    static constexpr const char* kServiceName = "PlayArea";
    virtual ~PlayArea() = default;

    // Marks the whole screen dirty and clears the back buffer.
    virtual void InvalidateScreen() = 0;
    // The mobiles other than the player, and the corpses, whose screen
    // rectangle lies in the gameplay window; at most max of them.
    virtual int GetMobilesOnScreen(CObj** out, int max) = 0;
    virtual int GetCorpsesOnScreen(CObj** out, int max) = 0;
    // An object that goes stops being the object under the pointer.
    virtual void ForgetPointerObject(const CObj* object) = 0;
    // Reading a mobile's state value above 99 turns the criminal warning off.
    virtual void ClearCriminalWarning() = 0;
    // Turns the path manager's current path round for walking: every node's
    // back link to its predecessor, from the head.
    virtual void RelinkPathBackPointers() = 0;
};

namespace world {
inline DrawLists& Draw() {
    return tw::Service<DrawLists>::Get();
}
inline MapAccess& Map() {
    return tw::Service<MapAccess>::Get();
}
inline ViewLight& Light() {
    return tw::Service<ViewLight>::Get();
}
inline PlayArea& Screen() {
    return tw::Service<PlayArea>::Get();
}
}  // namespace world

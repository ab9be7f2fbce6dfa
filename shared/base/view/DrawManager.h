// The draw manager: the sorted draw lists of the map cells.  Only what its
// callers use so far is declared here.
#pragma once

#include "TWTypes.h"

class CDrawItem;
class CMobile;

class DrawManager {
public:
    static void ClearTable();
    static void startup();
    static void shutdown();
    // Takes every non-mobile object of that item tile out of the draw lists
    // and files it again (its tile record changed).
    static void ResortItemsOfTile(int itemId);
    // Marks dirty every land cell drawn with that land art.
    static void InvalidateTerrainOfTile(int landId);
    // The topmost item whose visible pixels cover a play-area point, or
    // null; land is left out with skipTerrain.
    static CDrawItem* GetItemAtScreenPoint(int x, int y, BOOL skipTerrain);
    // The top draw item of a cell; the others follow through each item's
    // next link.
    static CDrawItem* GetTopItemAt(int x, int y);
    // Recomputes the roof cut-away limits round the player.
    static void UpdateRoofCut();

    // The height cut of the roof cut-away: while it is on, the land counts
    // as height 0 for the ground height.
    static BOOL heightCut;
};

// The table of mobiles that play an action animation (20 entries).
void ClearMobileAnimations();
// Enters a mobile (nothing when it is there already or the table is full).
void StartMobileAnimation(CMobile* mobile);
// Takes a mobile out and redraws it; non-zero when the mobile was deleted as
// a result.
int StopMobileAnimation(CMobile* mobile);

// The draw manager: the sorted draw lists of the map cells.  Only what its
// callers use so far is declared here.
#pragma once

class DrawManager {
public:
    static void ClearTable();
    static void startup();
    static void shutdown();
    // Marks dirty the screen area of every terrain cell drawn with that land
    // art.
    static void InvalidateTerrainOfTile(int landId);
    // Takes out of the draw lists and puts back every non-mobile object of
    // that item id.
    static void ResortItemsOfTile(int itemId);
};

// Stand-in of the draw manager: records which land art and item ids were
// refreshed and which mobiles entered and left the animation table;
// answers the screen-point pick that a test sets.
#pragma once

#include <vector>

#include "view/DrawManager.h"

namespace tw::fake {

std::vector<int>& InvalidatedTerrainTiles();
std::vector<int>& ResortedItemTiles();

struct AnimationTable {
    std::vector<CMobile*> started;
    std::vector<CMobile*> stopped;
    int clears = 0;
    // When set, StopMobileAnimation releases the mobile (a negative repeat
    // count ending) and answers 1.
    bool stopDeletes = false;
};
AnimationTable& Animations();

// How often the roof cut-away was recomputed.
int& RoofCutUpdates();

// What GetItemAtScreenPoint answers.
CDrawItem*& ItemAtScreenPoint();

}  // namespace tw::fake

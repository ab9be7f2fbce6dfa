// Stand-in of the draw lists: records which land art and item ids were
// refreshed.
#pragma once

#include <vector>

#include "view/DrawManager.h"

namespace tw::fake {

std::vector<int>& InvalidatedTerrainTiles();
std::vector<int>& ResortedItemTiles();

}  // namespace tw::fake

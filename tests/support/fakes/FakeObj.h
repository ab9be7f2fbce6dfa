// Stand-in of the world view's side of the object classes: filing into and
// out of the draw lists, invalidation and the set-up of land cells are
// recorded in one shared log; filing keeps the listed flag as the real lists
// do, and filing a mobile plays its footstep sound.
//
// The draw lists are kept too, one per cell (DrawManager::GetTopItemAt and
// the items' prev links, downward): land at the bottom, above it the other items by
// z, the highest first; of equal ones the one filed first is higher.
#pragma once

#include <string>
#include <vector>

#include "world/Obj.h"

namespace tw::fake {

// "add", "remove", "invalidate", "lights", "setup", "normals" with the
// item's address.
struct ObjEvent {
    std::string what;
    const CDrawItem* item;
};
std::vector<ObjEvent>& ObjEvents();
// How many events of a kind an item had.
int CountObjEvents(const std::string& what, const CDrawItem* item);
// The draw list of a cell, top first.
std::vector<CDrawItem*> CellItems(int x, int y);

}  // namespace tw::fake

// Stand-in of the world view's side of the object classes: filing into and
// out of the draw lists, invalidation and the set-up of land cells are
// recorded in one shared log; filing keeps the listed flag as the real lists
// do, and filing a mobile plays its footstep sound.
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

}  // namespace tw::fake

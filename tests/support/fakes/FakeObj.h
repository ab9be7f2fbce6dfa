// Stand-in of the world object classes: draw-list calls and invalidations
// are recorded in one shared log; preview objects link into the object
// manager's multi-preview list and remember where they were made.
#pragma once

#include <string>
#include <vector>

#include "world/Obj.h"

namespace tw::fake {

// "add", "remove", "invalidate", "delete", "clear-overhead",
// "arrange-overhead" with the object's address.
struct ObjEvent {
    std::string what;
    const CDrawItem* item;
};
std::vector<ObjEvent>& ObjEvents();

// Whether an item is cut away (by address); items not listed are drawn.
std::vector<const CDrawItem*>& CutAwayItems();

struct PreviewPart {
    int graphic;
    int x;
    int y;
    int z;
};
// Every CMultiTargetObj made, in order.
std::vector<PreviewPart>& PreviewParts();

}  // namespace tw::fake

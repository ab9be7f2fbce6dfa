// Stand-in of what the application object asks of a picked world object:
// tests describe the objects by address.
#pragma once

#include <map>

#include "TWTypes.h"

class CDrawItem;

namespace tw::fake {

struct PickedObject {
    int x = 0;
    int y = 0;
    int z = 0;
    bool mobile = false;
    M_DWORD serial = 0;
};

std::map<const CDrawItem*, PickedObject>& PickedObjects();

}  // namespace tw::fake

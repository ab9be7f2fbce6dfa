// Stand-in of what the application object asks of a picked world object:
// tests describe the objects by address.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "TWTypes.h"

class CDrawItem;
class CObj;

namespace tw::fake {

struct PickedObject {
    int x = 0;
    int y = 0;
    int z = 0;
    bool mobile = false;
    M_DWORD serial = 0;
};

std::map<const CDrawItem*, PickedObject>& PickedObjects();

// Equipment by (mobile, layer); the mobiles and corpses on screen in order.
std::map<std::pair<const CObj*, int>, CObj*>& EquippedItems();
std::vector<CObj*>& MobilesOnScreen();
std::vector<CObj*>& CorpsesOnScreen();
// "SetHeldItem <serial>", "OverheadText <serial> <text>" in order.
std::vector<std::string>& ObjectCalls();

}  // namespace tw::fake

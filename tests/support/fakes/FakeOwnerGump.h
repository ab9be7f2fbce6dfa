// Stand-in of GraphicManager::FindOwnerGump: tests name the open gump that
// shows an object's holder.
#pragma once

#include <map>

class CGump;
class CObj;

namespace tw::fake {
std::map<const CObj*, CGump*>& OwnerGumps();
}  // namespace tw::fake

// Stand-in of the object manager: records tile-data patches, holds the
// animated-item and multi-preview lists, and answers ground heights that
// tests set.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "world/ObjectManager.h"

namespace tw::fake {

struct TilePatch {
    int group;
    std::vector<M_BYTE> records;
};
std::vector<TilePatch>& TilePatches();
// The objects FindObject knows, by serial.
std::map<M_DWORD, CDynamicObj*>& ObjectsBySerial();
// Ground heights by cell; cells not given are 0.
std::map<std::pair<int, int>, int>& GroundHeights();
// How often ReleaseAllObjects ran.
int& ReleaseAllCalls();
// The serials of the objects UseObject was given (known to FindObject).
std::vector<M_DWORD>& UsedObjects();

}  // namespace tw::fake

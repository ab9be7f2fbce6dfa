// Stand-in of the light module: the personal light sum and the light areas
// marked dirty.
#pragma once

#include <utility>
#include <vector>

class CObj;

namespace tw::fake {
std::vector<const CObj*>& InvalidatedLights();
// Every ScrollView call (dx, dy).
std::vector<std::pair<int, int>>& ViewScrolls();
}  // namespace tw::fake

// Stand-in of the light module: the personal light sum and the light areas
// marked dirty.
#pragma once

#include <vector>

class CObj;

namespace tw::fake {
std::vector<const CObj*>& InvalidatedLights();
}  // namespace tw::fake

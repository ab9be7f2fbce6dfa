// Stand-in of the weather: records how the particles were scrolled.
#pragma once

#include <utility>
#include <vector>

namespace tw::fake {
// Every WeatherManager::Scroll call (dx, dy).
std::vector<std::pair<int, int>>& WeatherScrolls();
}  // namespace tw::fake

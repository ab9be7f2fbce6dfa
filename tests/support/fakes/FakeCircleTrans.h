// Records the circle-of-transparency calls made by the code under test.
#pragma once

#include <utility>
#include <vector>

namespace tw::fake {

struct CircleTransCalls {
    std::vector<int> radii;
    std::vector<std::pair<int, int>> positions;
    int seeThroughClears = 0;
    // Items asked for by FindEntry, and the entries dropped.
    std::vector<const void*> found;
    std::vector<const void*> removed;
};

CircleTransCalls& circleTrans();

}  // namespace tw::fake

// Records the graphic manager calls made by the code under test.
#pragma once

#include <utility>
#include <vector>

namespace tw::fake {

struct GraphicManagerCalls {
    std::vector<std::pair<int, int>> gameplayWindowSizes;
    int screenUpdates = 0;
    // What the play-area size getters answer.
    int width = 640;
    int height = 480;
};

GraphicManagerCalls& graphicManager();

}  // namespace tw::fake

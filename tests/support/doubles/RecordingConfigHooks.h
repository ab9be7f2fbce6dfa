// A recording double of what the configuration keys hand to the view
// (config/ConfigHooks.h): the play-area sizes and the circle of
// transparency's radii and positions, in the order given.  Tests install it
// with tw::ScopedService<ConfigHooks>.
#pragma once

#include <utility>
#include <vector>

#include "config/ConfigHooks.h"

namespace tw::doubles {

class RecordingConfigHooks final : public ConfigHooks {
public:
    void setGameplayWindowPixelWidthAndHeight(int width, int height) override {
        gameplayWindowSizes.emplace_back(width, height);
    }
    void SetCircleTransRadius(int radius) override { circleRadii.push_back(radius); }
    void SetCircleTransPosition(int x, int y) override { circlePositions.emplace_back(x, y); }

    std::vector<std::pair<int, int>> gameplayWindowSizes;
    std::vector<int> circleRadii;
    std::vector<std::pair<int, int>> circlePositions;
};

}  // namespace tw::doubles

#include "support/fakes/FakeWeatherManager.h"

#include "support/TwTest.h"
#include "world/WeatherManager.h"

namespace tw::fake {

std::vector<std::pair<int, int>>& WeatherScrolls() {
    static std::vector<std::pair<int, int>> scrolls;
    return scrolls;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { WeatherScrolls().clear(); });
    return true;
}();
}  // namespace

}  // namespace tw::fake

void WeatherManager::Scroll(int dx, int dy) {
    tw::fake::WeatherScrolls().emplace_back(dx, dy);
}

// Stand-in of the weather.
#include "pending/Pending.h"
#include "pending/PendingServices.h"
#include "world/WeatherManager.h"

namespace {

class WeatherStandIn : public WeatherService {
public:
    void startup() override { TW_PENDING("WeatherManager::startup"); }
    void shutdown() override { TW_PENDING("WeatherManager::shutdown"); }
    void Update() override { TW_PENDING("WeatherManager::Update"); }
    void Scroll(int, int) override { TW_PENDING("WeatherManager::Scroll"); }
    void Stop() override { TW_PENDING("WeatherManager::Stop"); }
};

}  // namespace

void InstallPendingWeather() {
    InstallStandIn<WeatherStandIn, WeatherService>();
}

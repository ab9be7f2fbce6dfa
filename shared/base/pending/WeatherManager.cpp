#include "world/WeatherManager.h"
#include "pending/Pending.h"

void WeatherManager::startup() {
    TW_PENDING("WeatherManager::startup");
}
void WeatherManager::shutdown() {
    TW_PENDING("WeatherManager::shutdown");
}
void WeatherManager::Scroll(int, int) {
    TW_PENDING("WeatherManager::Scroll");
}
void WeatherManager::Update() {
    TW_PENDING("WeatherManager::Update");
}

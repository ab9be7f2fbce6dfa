#include "resources/HueManager.h"
#include "pending/Pending.h"

void HueManager::startup() {
    TW_PENDING("HueManager::startup");
}
void HueManager::shutdown() {
    TW_PENDING("HueManager::shutdown");
}

const Hue* HueManager::GetHue(int) {
    TW_PENDING("HueManager::GetHue");
    return nullptr;
}

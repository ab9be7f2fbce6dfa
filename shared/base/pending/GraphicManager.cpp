#include "resources/GraphicManager.h"

#include "Platform.h"
#include "pending/Pending.h"

void GraphicManager::setGameplayWindowPixelWidthAndHeight(int, int) {
    TW_PENDING("GraphicManager::setGameplayWindowPixelWidthAndHeight");
}

void GraphicManager::startup() {
    TW_PENDING("GraphicManager::startup");
}

void GraphicManager::shutdown() {
    TW_PENDING("GraphicManager::shutdown");
}

void GraphicManager::CreateMainGumps() {
    TW_PENDING("GraphicManager::CreateMainGumps");
}

void GraphicManager::UpdateScreen() {
    TW_PENDING("GraphicManager::UpdateScreen");
    // Nothing is drawn yet, but the frame is still shown.
    PresentBackBuffer();
}

void GraphicManager::Update() {}

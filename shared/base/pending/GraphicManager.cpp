#include "resources/GraphicManager.h"

#include "Platform.h"
#include "pending/Pending.h"

void GraphicManager::CreateMainGumps() {
    TW_PENDING("GraphicManager::CreateMainGumps");
}

void GraphicManager::UpdateScreen() {
    TW_PENDING("GraphicManager::UpdateScreen");
    // Nothing is drawn yet, but the frame is still shown.
    PresentBackBuffer();
}

#include "resources/GraphicManager.h"

#include "pending/Pending.h"

void GraphicManager::setGameplayWindowPixelWidthAndHeight(int, int) {
    TW_PENDING("GraphicManager::setGameplayWindowPixelWidthAndHeight");
}

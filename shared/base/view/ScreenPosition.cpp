// World cells to play-window pixels, through the world view's column
// constant and view offset.
#include "resources/GraphicManager.h"
#include "view/MapManager.h"
#include "view/WorldView.h"

void GraphicManager::WorldToScreen(int x, int y, int* sx, int* sy) {
    *sx = (x + MapManager::GetMapWidth() - y) * 22 - g_viewOffsetX;
    *sy = (x + y) * 22 + 20 - g_viewOffsetY;
}

// World cells to play-window pixels, through the world view's column
// constant and view offset.
#include "resources/GraphicManager.h"
#include "resources/ViewHooks.h"

void GraphicManager::WorldToScreen(int x, int y, int* sx, int* sy) {
    const int width = tw::Service<MapGeometry>::Get().GetMapWidth();
    *sx = (x + width - y) * 22 - g_viewOffsetX;
    *sy = (x + y) * 22 + 20 - g_viewOffsetY;
}

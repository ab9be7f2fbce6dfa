// Bringing filed items up to date after the server replaced a tile-data
// record or an art item.
#include <vector>

#include "view/DrawManager.h"
#include "view/MapManager.h"
#include "view/Repaint.h"
#include "view/ViewGeometry.h"
#include "world/Obj.h"

void DrawManager::ResortItemsOfTile(int tile) {
    // Re-filing moves items between lists: the walk works on a snapshot and
    // files each item once.
    std::vector<CObj*> found;
    for (auto& row : DrawMapThingie::table)
        for (CDrawItem* head : row)
            for (CDrawItem* item = head; item; item = item->next)
                if (item->inList && item->IsObj() && !item->IsMobile() &&
                    static_cast<CObj*>(item)->TileIndex() == tile)
                    found.push_back(static_cast<CObj*>(item));
    for (CObj* object : found) {
        if (object->inList) object->RemoveFromDrawList();
        object->AddToDrawList();
    }
}

void DrawManager::InvalidateTerrainOfTile(int landId) {
    for (auto& row : DrawMapThingie::table)
        for (CDrawItem* head : row)
            for (CDrawItem* item = head; item; item = item->next) {
                if (!item->IsTerrain() || !item->inList) continue;
                // Land cells keep the unwrapped cell the centre reached them
                // by; their map cell is the one on the surface.
                int x = item->locX, y = item->locY;
                if (MapManager::centerX < MapManager::WRAP_WIDTH) {
                    x = (x % MapManager::WRAP_WIDTH + MapManager::WRAP_WIDTH) %
                        MapManager::WRAP_WIDTH;
                    y = (y % MapManager::WRAP_HEIGHT + MapManager::WRAP_HEIGHT) %
                        MapManager::WRAP_HEIGHT;
                }
                const int land = MapManager::GetLandTile(x, y);
                if ((land & 0x7FFF) != (landId & 0x7FFF)) continue;
                const RECT r = ScreenRectOf(item);
                DirtyRect(&r);
            }
}

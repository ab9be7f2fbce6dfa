// Which objects light the play area, where, and in which colour.
#include "view/LightPass.h"

#include "view/DrawItemOps.h"
#include "view/DrawManager.h"
#include "view/LightFile.h"
#include "view/Repaint.h"
#include "view/WorldView.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"

namespace {

struct ColourRange {
    int first;
    int last;
    LightColour colour;
};

// The colour of a light by the graphic of the object that carries it.
constexpr ColourRange kColours[] = {
    {4012, 4012, LightColour::Orange},       {2555, 2580, LightColour::Orange},
    {4017, 4017, LightColour::SoftYellow},   {6522, 6569, LightColour::SoftYellow},
    {6571, 6582, LightColour::SoftYellow},   {5703, 5703, LightColour::Yellow},
    {6217, 6224, LightColour::Yellow},       {6227, 6234, LightColour::Yellow},
    {6587, 6587, LightColour::Red},          {7979, 7979, LightColour::Red},
    {3633, 3635, LightColour::Red},          {3553, 3562, LightColour::SoftOrange},
    {4846, 4941, LightColour::SoftOrange},   {12394, 12955, LightColour::SoftOrange},
    {13371, 13420, LightColour::SoftOrange}, {13639, 13644, LightColour::SoftOrange},
    {14732, 14751, LightColour::SoftOrange}, {15911, 15930, LightColour::SoftOrange},
    {7885, 7890, LightColour::Green},        {14612, 14633, LightColour::Green},
    {15874, 15883, LightColour::Green},      {8148, 8148, LightColour::Blue},
    {3948, 3948, LightColour::Blue},         {3629, 3632, LightColour::SoftWhite},
    {3676, 3690, LightColour::Violet},       {14662, 14692, LightColour::Violet},
    {14695, 14714, LightColour::Violet},
};

// The object whose place the light takes: a worn or held item lights from
// its holder.
CObj* PositionOf(CObj* object) {
    if (object->IsDynamic()) {
        if (CContainerObj* holder = static_cast<CDynamicObj*>(object)->containedBy) return holder;
    }
    return object;
}

int LightNumberOf(CObj* object) {
    if (IsLightGraphic(object->objectType)) return 2;
    if (object->IsDynamic() && static_cast<CDynamicObj*>(object)->containedBy)
        return CObjectManager::ItemTile(object->TileIndex()).light;
    return object->GetLightId();
}

// The play-area point under the light: an item's foot, a mobile's anchor.
void LightCentre(CObj* where, int* cx, int* by) {
    if (where->IsMobile()) {
        int ax, ay;
        drawitem::AnchorPoint(*static_cast<CMobile*>(where), &ax, &ay);
        *cx = ax - g_viewOffsetX;
        *by = ay - g_viewOffsetY;
        return;
    }
    *cx = 22 * where->screenColumn - g_viewOffsetX;
    *by = 22 * where->screenRow - 4 * where->z - g_viewOffsetY + 43;
}

// A floor more than 4 above the light, in the cell in front of it, keeps
// its light in: the first such item decides.
bool IsCovered(CObj* where) {
    for (CDrawItem* item = DrawMapThingie::table[(where->locY + 1) & 63][(where->locX + 1) & 63];
         item; item = item->next) {
        if (item->z <= where->z + 4 || item->IsMobile() || item->IsBigMobComponent() ||
            DrawManager::IsHidden(item))
            continue;
        return item->IsTerrain() || !(item->GetTileFlags() & 0x4);
    }
    return false;
}

}  // namespace

LightColour LightColourOf(int graphic) {
    for (const ColourRange& r : kColours)
        if (graphic >= r.first && graphic <= r.last) return r.colour;
    return LightColour::White;
}

BOOL GetLightArea(CObj* object, RECT* area, int* number) {
    const int n = LightNumberOf(object);
    LightMap map;
    if (!TheLightFiles().Get(n, &map)) return FALSE;
    int cx, by;
    LightCentre(PositionOf(object), &cx, &by);
    area->left = cx - map.width / 2;
    area->right = area->left + map.width;
    area->top = by - (map.height / 2 + 22);
    area->bottom = area->top + map.height;
    if (number) *number = n;
    return TRUE;
}

void InvalidateObjectLight(CObj* object) {
    RECT area;
    if (object && GetLightArea(object, &area, nullptr)) DirtyRect(&area);
}

void CollectLights(const RECT& rect, std::vector<ActiveLight>* out) {
    out->clear();
    for (CObj* object = CObjectManager::lightList; object; object = object->lightNext) {
        CObj* where = PositionOf(object);
        if (!where->inList || DrawManager::IsHidden(where) || IsCovered(where)) continue;
        ActiveLight light;
        int number = 0;
        if (!GetLightArea(object, &light.area, &number)) continue;
        if (!(light.area.right > rect.left && light.area.left < rect.right &&
              light.area.bottom > rect.top && light.area.top < rect.bottom))
            continue;
        TheLightFiles().Get(number, &light.map);
        light.colour = LightColourOf(object->objectType);
        out->push_back(light);
    }
}

void InvalidateLightsCoveredBy(CDrawItem* item) {
    if (!CObjectManager::lightList || item->IsMobile() || item->IsBigMobComponent()) return;
    for (CObj* object = CObjectManager::lightList; object; object = object->lightNext) {
        CObj* where = PositionOf(object);
        if (where->locX + 1 == item->locX && where->locY + 1 == item->locY)
            InvalidateObjectLight(object);
    }
}

void InvalidateEquipmentLights(CMobile* mobile) {
    if (!mobile->inList) return;
    for (CObj* item : mobile->equippedItem)
        if (item && item->inLightList) InvalidateObjectLight(item);
}

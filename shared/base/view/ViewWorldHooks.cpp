// The view's side of what the world model asks of it (world/ViewHooks.h):
// each operation hands its object to the draw manager, the map manager, the
// light module or the circle of transparency.
#include "view/CircleTrans.h"
#include "view/DrawManager.h"
#include "view/Light.h"
#include "view/LightPass.h"
#include "view/MapManager.h"
#include "view/ViewServices.h"
#include "world/ViewHooks.h"

namespace {

class ViewDrawLists final : public DrawLists {
public:
    void AddToDrawList(CDrawItem* item) override { DrawManager::AddToDrawList(item); }
    void RemoveFromDrawList(CDrawItem* item) override { DrawManager::RemoveFromDrawList(item); }
    void AddMobileToDrawList(CMobile* mobile) override { DrawManager::AddMobileToDrawList(mobile); }
    void RemoveMobileFromDrawList(CMobile* mobile) override {
        DrawManager::RemoveMobileFromDrawList(mobile);
    }
    void Invalidate(CDrawItem* item) override { DrawManager::Invalidate(item); }
    void SetTileAndLocation(CDrawItem* item, int tile, const TerrainLocation* where) override {
        DrawManager::SetTileAndLocation(item, tile, where);
    }
    void CalcNormals(CTexTerr* cell, const signed char* corners) override {
        DrawManager::CalcNormals(cell, corners);
    }
    CDrawItem* GetTopItemAt(int x, int y) override { return DrawManager::GetTopItemAt(x, y); }
    CDrawItem* GetItemAtScreenPoint(int x, int y, BOOL skipTerrain) override {
        return DrawManager::GetItemAtScreenPoint(x, y, skipTerrain);
    }
    void ResortItemsOfTile(int itemId) override { DrawManager::ResortItemsOfTile(itemId); }
    void InvalidateTerrainOfTile(int landId) override {
        DrawManager::InvalidateTerrainOfTile(landId);
    }
    void UpdateRoofCut() override { DrawManager::UpdateRoofCut(); }
    BOOL IsHeightCut() override { return DrawManager::heightCut; }
    void ClearMobileAnimations() override { ::ClearMobileAnimations(); }
    void StartMobileAnimation(CMobile* mobile) override { ::StartMobileAnimation(mobile); }
    int StopMobileAnimation(CMobile* mobile) override { return ::StopMobileAnimation(mobile); }
};

class ViewMapAccess final : public MapAccess {
public:
    int GetDistance(Coords location, int x, int y) override {
        return MapManager::GetDistance(location, x, y);
    }
    int GetMapWidth() override { return MapManager::GetMapWidth(); }
    void GetLandCornerZ(int x, int y, signed char corners[4]) override {
        MapManager::GetLandCornerZ(x, y, corners);
    }
    int GetLandTile(int x, int y) override { return MapManager::GetLandTile(x, y); }
    int LineOfSight(Coords from, Coords to, int limit) override {
        return MapManager::LineOfSight(from, to, limit);
    }
    BOOL CompareCornerDiagonals(const signed char corners[4]) override {
        return ::CompareCornerDiagonals(corners);
    }
    void SetCenter(int x, int y, int z, int mapNumber) override {
        MapManager::SetCenter(x, y, z, mapNumber);
    }
    void ShiftCenter(int dx, int dy, int z) override { MapManager::ShiftCenter(dx, dy, z); }
    int GetCenterX() override { return MapManager::centerX; }
    int GetCenterY() override { return MapManager::centerY; }
    int GetCenterZ() override { return MapManager::centerZ; }
    int GetMapNumber() override { return MapManager::mapNumber; }
};

class ViewLightHooks final : public ViewLight {
public:
    void InvalidateObjectLight(CObj* object) override { ::InvalidateObjectLight(object); }
    void InvalidateEquipmentLights(CMobile* mobile) override {
        ::InvalidateEquipmentLights(mobile);
    }
    void AddPersonalLight(int change) override { thelightthingie::personalLight += change; }
    void ScrollView(int dx, int dy) override { thelightthingie::ScrollView(dx, dy); }
};

class ViewCircle final : public CircleOfTransparency {
public:
    CCircleTransEntry* FindEntry(const CDrawItem* item) override {
        return theCircleTrans.FindEntry(item);
    }
    void RemoveEntry(CCircleTransEntry* entry) override { theCircleTrans.RemoveEntry(entry); }
};

}  // namespace

DrawLists& ViewDrawListsService() {
    static ViewDrawLists lists;
    return lists;
}
MapAccess& ViewMapAccessService() {
    static ViewMapAccess map;
    return map;
}
ViewLight& ViewLightService() {
    static ViewLightHooks light;
    return light;
}
CircleOfTransparency& ViewCircleService() {
    static ViewCircle circle;
    return circle;
}

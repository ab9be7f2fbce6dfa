// Stand-in of the map manager: distances and the map centre are kept; the
// map itself is flat land of tile 0 with every line of sight clear.
#include <algorithm>
#include <cstdlib>

#include "pending/Pending.h"
#include "pending/PendingServices.h"
#include "view/MapManager.h"

namespace {

class MapManagerStandIn : public MapManagerService, public MapAccess {
public:
    void startup() override { TW_PENDING("MapManager::startup"); }
    void shutdown() override { TW_PENDING("MapManager::shutdown"); }
    void Reset() override { TW_PENDING("MapManager::Reset"); }

    int GetDistance(Coords location, int x, int y) override {
        TW_PENDING("MapManager::GetDistance");
        if ((location.x >= 5120) != (x >= 5120)) return 9999;
        return std::max(std::abs(location.x - x), std::abs(location.y - y));
    }
    int GetMapWidth() override {
        TW_PENDING("MapManager::GetMapWidth");
        return 6144;
    }
    void GetLandCornerZ(int, int, signed char corners[4]) override {
        TW_PENDING("MapManager::GetLandCornerZ");
        for (int i = 0; i < 4; ++i) corners[i] = 0;
    }
    int GetLandTile(int, int) override {
        TW_PENDING("MapManager::GetLandTile");
        return 0;
    }
    int LineOfSight(Coords, Coords, int) override {
        TW_PENDING("MapManager::LineOfSight");
        return 1;
    }
    BOOL CompareCornerDiagonals(const signed char corners[4]) override {
        TW_PENDING("CompareCornerDiagonals");
        return std::abs(corners[0] - corners[2]) <= std::abs(corners[1] - corners[3]);
    }

    // Without the map view only the centre is kept.
    void SetCenter(int x, int y, int z, int map) override {
        TW_PENDING("MapManager::SetCenter");
        if (x != -1) {
            centerX_ = x;
            centerY_ = y;
            centerZ_ = z;
        }
        mapNumber_ = map;
    }
    void ShiftCenter(int dx, int dy, int z) override {
        TW_PENDING("MapManager::ShiftCenter");
        centerX_ += dx;
        centerY_ += dy;
        centerZ_ = z;
    }
    int GetCenterX() override { return centerX_; }
    int GetCenterY() override { return centerY_; }
    int GetCenterZ() override { return centerZ_; }
    int GetMapNumber() override { return mapNumber_; }

private:
    int centerX_ = 0;
    int centerY_ = 0;
    int centerZ_ = 0;
    int mapNumber_ = 0;
};

}  // namespace

void InstallPendingMapManager() {
    InstallStandIn<MapManagerStandIn, MapManagerService, MapAccess>();
}

#include "support/fakes/FakeDrawManager.h"

#include "support/TwTest.h"
#include "world/Mobile.h"

BOOL DrawManager::heightCut = FALSE;

namespace tw::fake {

std::vector<int>& InvalidatedTerrainTiles() {
    static std::vector<int> tiles;
    return tiles;
}

std::vector<int>& ResortedItemTiles() {
    static std::vector<int> tiles;
    return tiles;
}

int& RoofCutUpdates() {
    static int updates = 0;
    return updates;
}

AnimationTable& Animations() {
    static AnimationTable table;
    return table;
}

CDrawItem*& ItemAtScreenPoint() {
    static CDrawItem* item = nullptr;
    return item;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        InvalidatedTerrainTiles().clear();
        ResortedItemTiles().clear();
        Animations() = AnimationTable{};
        ItemAtScreenPoint() = nullptr;
        DrawManager::heightCut = FALSE;
        RoofCutUpdates() = 0;
    });
    return true;
}();
}  // namespace

}  // namespace tw::fake

void DrawManager::InvalidateTerrainOfTile(int landId) {
    tw::fake::InvalidatedTerrainTiles().push_back(landId);
}

void DrawManager::ResortItemsOfTile(int itemId) {
    tw::fake::ResortedItemTiles().push_back(itemId);
}

CDrawItem* DrawManager::GetItemAtScreenPoint(int, int, BOOL) {
    return tw::fake::ItemAtScreenPoint();
}

void DrawManager::UpdateRoofCut() {
    ++tw::fake::RoofCutUpdates();
}

void ClearMobileAnimations() {
    ++tw::fake::Animations().clears;
}

void StartMobileAnimation(CMobile* mobile) {
    tw::fake::Animations().started.push_back(mobile);
}

int StopMobileAnimation(CMobile* mobile) {
    auto& table = tw::fake::Animations();
    table.stopped.push_back(mobile);
    if (!table.stopDeletes) return 0;
    mobile->Release();
    return 1;
}

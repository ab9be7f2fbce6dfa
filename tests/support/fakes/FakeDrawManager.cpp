#include "support/fakes/FakeDrawManager.h"

#include "support/TwTest.h"

namespace tw::fake {

std::vector<int>& InvalidatedTerrainTiles() {
    static std::vector<int> tiles;
    return tiles;
}

std::vector<int>& ResortedItemTiles() {
    static std::vector<int> tiles;
    return tiles;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        InvalidatedTerrainTiles().clear();
        ResortedItemTiles().clear();
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

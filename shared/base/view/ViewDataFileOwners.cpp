// Where the data-file changes go: the tile data to the world model, changed
// art to the draw lists.
#include "resources/PatchOwners.h"
#include "view/DrawManager.h"
#include "view/ViewServices.h"
#include "world/ObjectManager.h"

namespace {

class DrawListOwners final : public PatchOwners {
public:
    void PatchTileDataGroup(int group, const M_BYTE* records, int length) override {
        CObjectManager::PatchTileDataGroup(group, records, length);
    }
    void InvalidateTerrainOfTile(int landId) override {
        DrawManager::InvalidateTerrainOfTile(landId);
    }
    void ResortItemsOfTile(int itemId) override { DrawManager::ResortItemsOfTile(itemId); }
};

}  // namespace

PatchOwners& ViewDataFileOwners() {
    static DrawListOwners owners;
    return owners;
}

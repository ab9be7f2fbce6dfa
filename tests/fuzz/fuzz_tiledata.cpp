// "tiledata.mul" over arbitrary bytes: read at start-up, names looked up,
// and groups replaced from the same bytes as the server or a version patch
// would send them.
#include <cstdint>

#include "fuzz/WorldFuzz.h"
#include "world/ObjectManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::StartWorld(data, size);
    tw::fuzz::OpStream ops(data, size);
    unsigned sum = 0;
    for (int i = 0; i < 64; ++i) {
        const int tile = static_cast<int>(ops.word()) - 0x400;
        sum += CObjectManager::GetTileName(tile, i & 1)[0];
        sum += CObjectManager::ItemTile(tile).height + CObjectManager::TerrainTile(tile).texture;
    }
    const int group = static_cast<int>(ops.word()) - 0x100;
    const int length = static_cast<int>(ops.left());
    CObjectManager::SetItemTileData(group, ops.rest(), length);
    CObjectManager::SetTerrTileData(group, ops.rest(), length);
    CObjectManager::PatchTileDataGroup(group, ops.rest(), length);
    tw::fuzz::StopWorld();
    return sum == 0xFFFFFFFF;
}

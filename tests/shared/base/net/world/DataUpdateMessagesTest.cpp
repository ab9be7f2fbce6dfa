// Data-file updates from an editing server, the shop state and the map
// display.
#include "WorldMessageFixture.h"
#include "config/Config.h"
#include "world/RegionManager.h"

using namespace tw::test;

namespace {

// A tile-data group on the wire: big-endian numbers, every record named.
std::vector<M_BYTE> TileGroup(M_DWORD group, M_DWORD flags) {
    Msg m(0x41);
    m.u32(group).u32(0);
    for (int i = 0; i < 32; ++i) {
        if (group >= 512)
            m.u32(flags).u8(1).u8(2).u32(3).u16(4).u16(5).u16(6).u8(7).text("item", 20);
        else
            m.u32(flags).u16(0x1234).text("land", 20);
    }
    return m;
}

TEST_F(WorldMessageTest, TileDataGroupsGoToLandOrItemsByNumberOnlyWithAnEditServer) {
    Dispatch(TileGroup(511, 0x40));
    EXPECT_EQ(CObjectManager::TerrainTile(511 * 32).flags, 0u) << "no editing server";

    EditServerAddress = 0x7F000001;
    Dispatch(TileGroup(511, 0x40));
    Dispatch(TileGroup(512, TILE_CONTAINER));
    const TerrainTileData& land = CObjectManager::TerrainTile(511 * 32 + 31);
    EXPECT_EQ(land.flags, 0x40u);
    EXPECT_EQ(land.texture, 0x1234);
    EXPECT_STREQ(land.name, "land");
    const ItemTileData& item = CObjectManager::ItemTile(5);
    EXPECT_EQ(item.flags, TILE_CONTAINER);
    EXPECT_EQ(item.field32, 3u);
    EXPECT_EQ(item.light, 6);
    EXPECT_EQ(item.height, 7);
    EXPECT_STREQ(item.name, "item");
    // Written back in the file's own order, and read again the same.
    CObjectManager::LoadTileData();
    EXPECT_EQ(CObjectManager::ItemTile(5).light, 6);
}

TEST_F(WorldMessageTest, ShopStateAndMapDisplayReachOnlyTheirKindOfObject) {
    PlaceMobile(0x20, kHuman, 100, 100);
    PlaceItem(kItem | 1, kMap, 101, 100);
    PlaceItem(kItem | 2, kShirt, 102, 100);
    Dispatch(Msg(0x3B).u32(0x20).u8(1));
    Dispatch(Msg(0x3B).u32(0x20).u8(2));
    Dispatch(Msg(0x3B).u32(kItem | 2).u8(0));
    auto map = [](M_DWORD serial, int art) -> std::vector<M_BYTE> {
        return Msg(0x90).u32(serial).u16(art).u16(1).u16(2).u16(3).u16(4).u16(5).u16(6);
    };
    Dispatch(map(kItem | 1, 5020));
    Dispatch(map(kItem | 2, 5021));
    Dispatch(map(kItem | 1, 5021));
    EXPECT_EQ(upper.calls,
              (std::vector<std::string>{"ShopGumps 20 1", "CourseGump 40000001 5021 1 2 3 4 5 6"}));
}

TEST_F(WorldMessageTest, RegionRecordAndIgnoredMessagesChangeNothing) {
    const RegionRecord* before = RegionManager::GetRegion(0);
    Msg region(0x57);
    region.text("Town", 40)
        .u32(0)
        .u16(1)
        .u16(2)
        .u16(3)
        .u16(4)
        .u16(5)
        .u16(6)
        .u32(0)
        .text("x", 40)
        .u16(0)
        .u16(0)
        .u16(0)
        .u8(0)
        .u16(0);
    ASSERT_EQ(region.bytes().size(), 110u);
    Dispatch(region);
    EXPECT_EQ(RegionManager::GetRegion(0), before);
    Dispatch(Msg(0x3F).u32(0).u32(2).u32(0).raw(std::vector<M_BYTE>(14)));
    Dispatch(std::vector<M_BYTE>(201, 0x40));
    EXPECT_TRUE(upper.calls.empty());
    EXPECT_EQ(ReportLog().find("dropped"), std::string::npos);
}

}  // namespace

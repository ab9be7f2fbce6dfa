// "tiledata.mul": reading, names, the groups the server replaces and the
// version patches.
#include <cstdio>
#include <cstring>

#include "ByteWriter.h"
#include "WorldTestSupport.h"
#include "world/Obj.h"
#include "world/SpeakerRecord.h"

using namespace tw::test;
using namespace tw::datafiles;

namespace {

constexpr size_t kFileSize = 428032 + 512 * 1188;

void Put32(Bytes& b, size_t at, M_DWORD v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<M_BYTE>(v >> (8 * i));
}
void Put16(Bytes& b, size_t at, M_WORD v) {
    b[at] = static_cast<M_BYTE>(v);
    b[at + 1] = static_cast<M_BYTE>(v >> 8);
}
void PutName(Bytes& b, size_t at, const char* name) {
    memcpy(&b[at], name, strlen(name));
}

}  // namespace

// Marker records written by hand at the offsets the format gives, not
// through the fixture writer, so the reader is checked against the layout.
TEST_F(WorldTest, RecordsAreReadFromTheirFileOffsets) {
    Bytes file(kFileSize, 0);
    Put32(file, 4, 0x11);        // land 0
    Put16(file, 4 + 4, 0x1234);  // its texture
    PutName(file, 4 + 6, "grass");
    Put32(file, 836 + 4, 0x4000);                        // land 32
    PutName(file, 836 + 4 + 6, "abcdefghijklmnopqrst");  // 20 characters, no terminator
    const size_t item0 = 428032 + 4;
    Put32(file, item0, 0x800);
    file[item0 + 4] = 90;  // field A
    file[item0 + 5] = 7;   // field B
    Put32(file, item0 + 6, 0xABCD0005);
    Put16(file, item0 + 10, 0x1111);
    Put16(file, item0 + 12, 0x2222);
    Put16(file, item0 + 14, 0x3333);
    file[item0 + 16] = 12;  // height
    PutName(file, item0 + 17, "apple%s%");
    const size_t item33 = 428032 + 1188 + 4 + 37;
    Put32(file, item33, 0xC000);
    PutName(file, item33 + 17, "sword");
    const size_t itemLast = kFileSize - 37;
    file[itemLast + 16] = 99;
    WriteBytes("tiledata.mul", file);
    CObjectManager::startup();

    const TerrainTileData& land0 = CObjectManager::TerrainTile(0);
    EXPECT_EQ(land0.flags, 0x11u);
    EXPECT_EQ(land0.texture, 0x1234);
    EXPECT_STREQ(land0.name, "grass");
    EXPECT_EQ(CObjectManager::TerrainTile(32).flags, 0x4000u);
    EXPECT_STREQ(CObjectManager::TerrainTile(32).name, "abcdefghijklmnopqrst");
    const ItemTileData& i0 = CObjectManager::ItemTile(0);
    EXPECT_EQ(i0.flags, 0x800u);
    EXPECT_EQ(i0.fieldA, 90);
    EXPECT_EQ(i0.fieldB, 7);
    EXPECT_EQ(i0.field32, 0xABCD0005u);
    EXPECT_EQ(i0.fieldC, 0x1111);
    EXPECT_EQ(i0.fieldD, 0x2222);
    EXPECT_EQ(i0.light, 0x3333);
    EXPECT_EQ(i0.height, 12);
    EXPECT_STREQ(i0.name, "apple%s%");
    EXPECT_EQ(CObjectManager::ItemTile(33).flags, 0xC000u);
    EXPECT_STREQ(CObjectManager::ItemTile(33).name, "sword");
    EXPECT_EQ(CObjectManager::ItemTile(16383).height, 99);

    // A map static takes its amount and hue from its tile record.
    CObj* statik = NewStaticObj(0);
    EXPECT_EQ(statik->amount, 5);
    EXPECT_EQ(statik->hue, 0x2222);
}

TEST_F(WorldTest, MissingOrShortFileAndOutOfRangeTilesReadZero) {
    CObjectManager::startup();
    EXPECT_NE(ReportLog().find("CObjectManager::SetItemTileData: cannot open 'tiledata.mul'."),
              std::string::npos);
    EXPECT_EQ(CObjectManager::ItemTile(5).flags, 0u);

    tiles.land[3].flags = 0x77;
    tiles.items[20].flags = 0x88;
    Bytes file = tiles.bytes();
    file.resize(428032 + 100);  // the item part ends inside its first group
    WriteBytes("tiledata.mul", file);
    CObjectManager::LoadTileData();
    EXPECT_EQ(CObjectManager::TerrainTile(3).flags, 0x77u);
    EXPECT_EQ(CObjectManager::ItemTile(20).flags, 0u) << "past the end of the file";

    tiles.items[16383].flags = 0x1234;
    WriteBytes("tiledata.mul", tiles.bytes());
    CObjectManager::LoadTileData();
    for (int tile : {-1, 16384, 16383 + 255, 1 << 30}) {
        EXPECT_EQ(CObjectManager::ItemTile(tile).flags, 0u) << tile;
        EXPECT_EQ(CObjectManager::TerrainTile(tile).texture, 0) << tile;
    }
    // Graphic plus increment beyond the table: an all-zero record.
    CObj* o = NewStaticObj(16383);
    EXPECT_EQ(o->GetTileFlags(), 0x1234u);
    o->increment = 200;
    EXPECT_EQ(o->GetTileFlags(), 0u);
}

TEST_F(WorldTest, TileNamesTakeArticlesAndPlurals) {
    struct Case {
        M_DWORD flags;
        const char* name;
        bool plural;
        const char* shown;
    } cases[] = {
        {0x4000, "apple", false, "a apple"},
        {0x8000, "apple", false, "an apple"},
        {0xC000, "sun", false, "the sun"},
        {0xC000, "sun", true, "sun"},
        {0, "loa%ves/f%", false, "loaf"},
        {0, "loa%ves/f%", true, "loaves"},
        {0x4000, "bottle%s%", false, "a bottle"},
        {0, "bottle%s% of ale", true, "bottles of ale"},
        {0x8000, "", false, "an "},
        {0, "open%s", true, "opens"},  // an unclosed segment runs to the end
        {0, "abcdefghijklmnopqrst", false, "abcdefghijklmnopqrst"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        tiles.items[i].flags = cases[i].flags;
        tiles.items[i].name = cases[i].name;
    }
    StartWorld();
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_STREQ(CObjectManager::GetTileName(int(i), cases[i].plural), cases[i].shown)
            << cases[i].name << " plural " << cases[i].plural;

    // Land names take the article whatever; the map's tile keeps 15 bits.
    tiles.land[5].flags = 0x8000;
    tiles.land[5].name = "ocean%s%";
    WriteBytes("tiledata.mul", tiles.bytes());
    CObjectManager::LoadTileData();
    view.landTiles[{7, 8}] = 0x8005;
    EXPECT_STREQ(CObjectManager::GetTerrainName(7, 8), "an ocean%s%");
}

TEST_F(WorldTest, ShowNameLabelsOnlyMapStatics) {
    tiles.items[100].flags = TILE_STACKABLE | 0x4000;
    tiles.items[100].name = "coin%s%";
    tiles.items[101].name = "rock";
    StartWorld();
    CObj* coins = NewStaticObj(100);
    coins->amount = 3;
    CObj* rock = NewStaticObj(101);
    CObjectManager::ShowName(coins);
    CObjectManager::ShowName(rock);
    CObjectManager::ShowName(coins);  // already labelled: nothing more
    EXPECT_EQ(texts.TextsOf(coins), std::vector<std::string>{"3 coins"});
    EXPECT_EQ(texts.TextsOf(rock), std::vector<std::string>{"rock"});
    EXPECT_EQ(coins->textGumps->hue, 995);
    EXPECT_EQ(coins->textGumps->font, 3);
    EXPECT_EQ(g_speechKind, 3);

    CDynamicObj* item = NewDynamicObj(kItem | 1, 101, 0);
    CObjectManager::ShowName(item);
    EXPECT_TRUE(texts.TextsOf(item).empty()) << "the server names its own objects";
    coins->Release();
    EXPECT_EQ(texts.deleted, 1);
}

TEST_F(WorldTest, ServerGroupsReplaceMemoryAndTheFile) {
    StartWorld();
    CObj* lamp = NewStaticObj(40);
    lamp->ToWorld(Coords(5, 5, 0));
    EXPECT_EQ(CObjectManager::lightList, nullptr);

    TileData fresh;
    fresh.items[40].flags = TILE_LIGHT;  // becomes a light source
    fresh.items[41].fieldD = 9;          // a hue change re-sorts
    fresh.items[42].name = "new name";   // a name alone does not
    Bytes group = fresh.itemGroup(1, 0xBEEF);
    CObjectManager::SetItemTileData(512 + 1, group.data(), int(group.size()));
    EXPECT_EQ(CObjectManager::ItemTile(40).flags, TILE_LIGHT);
    EXPECT_STREQ(CObjectManager::ItemTile(42).name, "new name");
    EXPECT_EQ(view.resortedItemTiles, (std::vector<int>{40, 41}));
    EXPECT_EQ(CObjectManager::lightList, lamp) << "lights were rebuilt from the world list";
    std::string disk = ReadFile("tiledata.mul");
    ASSERT_EQ(disk.size(), kFileSize);
    EXPECT_EQ(Bytes(disk.begin() + 428032 + 1188, disk.begin() + 428032 + 2 * 1188), group);

    TileData land;
    land.land[2 * 32 + 4].texture = 77;
    group = land.landGroup(2, 0x12);
    CObjectManager::SetTerrTileData(2, group.data(), int(group.size()));
    EXPECT_EQ(CObjectManager::TerrainTile(68).texture, 77);
    EXPECT_EQ(view.invalidatedTerrainTiles, std::vector<int>{68});
    disk = ReadFile("tiledata.mul");
    EXPECT_EQ(Bytes(disk.begin() + 2 * 836, disk.begin() + 3 * 836), group);
}

TEST_F(WorldTest, BadGroupsAreRefusedAndAnUnwritableFileStillUpdatesMemory) {
    StartWorld();
    TileData fresh;
    fresh.items[0].height = 5;
    Bytes item0 = fresh.itemGroup(0);
    for (int group : {511, 1024, -1, 1 << 20})
        CObjectManager::SetItemTileData(group, item0.data(), 1188);
    CObjectManager::SetItemTileData(512, item0.data(), 1187);  // one byte short
    for (int group : {512, -1}) CObjectManager::SetTerrTileData(group, item0.data(), 836);
    EXPECT_EQ(CObjectManager::ItemTile(0).height, 0);
    EXPECT_NE(ReportLog().find("refused"), std::string::npos);

    // A file that cannot be opened for writing (as a read-only one).
    remove("tiledata.mul");
    CObjectManager::SetItemTileData(512, item0.data(), 1188);
    EXPECT_EQ(CObjectManager::ItemTile(0).height, 5);
    EXPECT_NE(ReportLog().find("CObjectManager::SetItemTileData: cannot open 'tiledata.mul'."),
              std::string::npos);
}

TEST_F(WorldTest, VersionPatchGroupsChangeMemoryOnly) {
    StartWorld();
    TileData patch;
    patch.items[32 * 3 + 1].height = 4;
    patch.land[32 * 7 + 2].texture = 9;
    Bytes items = patch.itemGroup(3);
    Bytes land = patch.landGroup(7);
    CObjectManager::PatchTileDataGroup(512 + 3, items.data() + 4, int(items.size()) - 4);
    CObjectManager::PatchTileDataGroup(7, land.data() + 4, int(land.size()) - 4);
    CObjectManager::PatchTileDataGroup(1024, items.data() + 4, int(items.size()) - 4);
    CObjectManager::PatchTileDataGroup(8, land.data() + 4, 100);
    EXPECT_EQ(CObjectManager::ItemTile(97).height, 4);
    EXPECT_EQ(CObjectManager::TerrainTile(226).texture, 9);
    const Bytes original = tiles.bytes();
    EXPECT_EQ(ReadFile("tiledata.mul"), std::string(original.begin(), original.end()));
}

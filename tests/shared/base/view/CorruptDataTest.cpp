// Corrupt map, statics, texture, art and light data: each is refused
// (left out, with a log line where it says so) and nothing is read outside
// what the files hold.  The sanitizers of the test build watch every read.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ViewTestSupport.h"
#include "view/DrawManager.h"
#include "view/LandTile.h"
#include "view/Light.h"
#include "view/LightFile.h"
#include "view/MapBlocks.h"
#include "view/MapManager.h"
#include "view/Repaint.h"
#include "view/WorldView.h"
#include "world/Terrain.h"

namespace {

namespace sample = tw::datafiles::sample;
using tw::datafiles::Bytes;

class CorruptData : public tw::test::ViewTest {};

TEST_F(CorruptData, AShortMapBlockHoldsOnlyItsWholeCells) {
    std::vector<M_BYTE> block(100, 0x11);
    LandCell cell;
    EXPECT_TRUE(ReadLandCell(block.data(), block.size(), 7, 3, &cell)) << "bytes 97..99";
    EXPECT_EQ(cell.tile, 0x1111);
    EXPECT_FALSE(ReadLandCell(block.data(), block.size(), 0, 4, &cell)) << "bytes 100..102";
    EXPECT_EQ(cell.tile, 0);
    EXPECT_FALSE(ReadLandCell(nullptr, 196, 0, 0, &cell));
    EXPECT_FALSE(ReadLandCell(block.data(), block.size(), 8, 0, &cell));
}

TEST_F(CorruptData, StaticsAreCutToWholeRecordsInsideTheirBlock) {
    Bytes bytes;
    auto record = [&](M_WORD graphic, int x, int y) {
        const M_BYTE r[7] = {M_BYTE(graphic), M_BYTE(graphic >> 8), M_BYTE(x), M_BYTE(y), 5, 0, 0};
        bytes.insert(bytes.end(), r, r + 7);
    };
    record(100, 1, 2);
    record(20000, 3, 4);  // beyond the item tiles: graphic 1
    record(100, 9, 0);    // outside the block
    bytes.push_back(0x64);
    bytes.push_back(0x00);
    bytes.push_back(0x01);  // three bytes of a fourth record
    std::vector<StaticRecord> statics;
    int dropped = 0;
    ReadStaticsBlock(bytes.data(), bytes.size(), &statics, &dropped);
    ASSERT_EQ(statics.size(), 2u);
    EXPECT_EQ(statics[0].graphic, 100);
    EXPECT_EQ(statics[0].z, 5);
    EXPECT_EQ(statics[1].graphic, 1);
    EXPECT_EQ(dropped, 2);
}

TEST_F(CorruptData, LightRecordsThatDoNotFitTheFilesGiveNoLight) {
    std::vector<M_BYTE> index(12 * 5, 0), data(100, 3);
    auto record = [&](int n, M_DWORD offset, M_DWORD length, M_WORD w, M_WORD h) {
        M_BYTE* r = &index[12 * n];
        std::memcpy(r, &offset, 4);
        std::memcpy(r + 4, &length, 4);
        std::memcpy(r + 8, &w, 2);
        std::memcpy(r + 10, &h, 2);
    };
    record(0, 0, 100, 10, 10);          // whole
    record(1, 50, 60, 5, 5);            // past the data's end
    record(2, 0, 20, 5, 5);             // 25 values in 20 bytes
    record(3, 0xFFFFFFF0, 0x20, 2, 2);  // an offset that wraps 32 bits
    record(4, 0, 0, 0, 0);              // empty
    LightFiles files;
    files.Set(index.data(), index.size(), data.data(), data.size());
    LightMap map;
    EXPECT_TRUE(files.Get(0, &map));
    EXPECT_EQ(map.width * map.height, 100);
    for (int n : {1, 2, 3, 4, 5, 99, 100, -1}) EXPECT_FALSE(files.Get(n, &map)) << n;
    EXPECT_NE(ReportLog().find("light 1 of 'lightidx.mul' lies outside 'light.mul'"),
              std::string::npos);
    EXPECT_NE(ReportLog().find("light 2 of 'lightidx.mul' is larger than its record"),
              std::string::npos);
    files.Set(index.data(), 7, data.data(), data.size());
    EXPECT_FALSE(files.Get(0, &map)) << "an index shorter than its first record";
}

struct TextureCase {
    int extra;
    int bytes;
    bool drawn;
};

class CorruptTexture : public CorruptData, public ::testing::WithParamInterface<TextureCase> {};

TEST_P(CorruptTexture, IsDrawnOnlyWithSizeCode0Or1AndAllItsTexels) {
    const TextureCase& c = GetParam();
    sample::SampleWorld world = sample::MakeSampleWorld();
    world.textures = tw::datafiles::IndexedPair();
    world.textures.add(1, Bytes(c.bytes, 0x55), c.extra);
    StartWorld(world);
    UseBackBuffer(640, 480, 640, 480, false);
    // A sloped cell of textured grass, drawn alone.
    const signed char corners[4] = {4, 0, 0, 0};
    const TerrainLocation at{100, 100, 1};
    CTexTerr* cell = NewTexTerr(sample::kGrass, &at, corners);
    cell->AddToDrawList();
    thelightthingie::target = WorldTarget{backBuffer.data(), 640, 640, 480};
    g_viewOffsetX = cell->rect.left - 100;
    g_viewOffsetY = cell->rect.top - 100;
    std::fill(backBuffer.begin(), backBuffer.end(), 0);
    DrawManager::DrawClip(cell, RECT{0, 0, 640, 480});
    const bool touched = std::count(backBuffer.begin(), backBuffer.end(), 0) != 640 * 480;
    EXPECT_EQ(touched, c.drawn);
    if (!c.drawn) {
        EXPECT_NE(ReportLog().find("textures that do not hold their texels are not drawn"),
                  std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Textures, CorruptTexture,
    ::testing::Values(TextureCase{0, 64 * 64 * 2, true}, TextureCase{1, 128 * 128 * 2, true},
                      TextureCase{0, 64 * 64 * 2 - 2, false}, TextureCase{1, 64 * 64 * 2, false},
                      TextureCase{2, 256 * 256 * 2, false}, TextureCase{-1, 64 * 64 * 2, false}));

TEST_F(CorruptData, LandArtShorterThanADiamondIsSkippedWithOneLine) {
    sample::SampleWorld world = sample::MakeSampleWorld();
    world.art.add(sample::kDirt, Bytes(1000, 0x42));
    StartWorld(world);
    UseBackBuffer(640, 480, 640, 480, false);
    thelightthingie::target = WorldTarget{backBuffer.data(), 640, 640, 480};
    std::fill(backBuffer.begin(), backBuffer.end(), 0);
    DrawLandTile(sample::kDirt, 10, 10, RECT{0, 0, 640, 480});
    DrawLandTile(sample::kDirt, 100, 10, RECT{0, 0, 640, 480});
    DrawLandTile(20000, 200, 10, RECT{0, 0, 640, 480});  // beyond the land art
    EXPECT_EQ(std::count(backBuffer.begin(), backBuffer.end(), 0), 640 * 480);
    const std::string log = ReportLog();
    const std::string line = "land art 6 is shorter than a diamond";
    ASSERT_NE(log.find(line), std::string::npos);
    EXPECT_EQ(log.find(line, log.find(line) + 1), std::string::npos) << "said once";
    EXPECT_NE(log.find("land art 20000 is outside the land art"), std::string::npos);
    // A land tile drawn with a clip far past it stays inside the tile.
    DrawLandTile(sample::kGrass, 10, 10, RECT{-1000, -1000, 1000, 1000});
    EXPECT_EQ(backBuffer[(10 + 43) * 640 + 31], 0) << "row 43 is never drawn";
}

TEST_F(CorruptData, AMapFileThatEndsInsideABlockReadsThatBlockAsEmpty) {
    sample::SampleWorld world = sample::MakeSampleWorld();
    WriteWorld(world);
    // The file is cut inside block 1 (cells y 8..15 of column 0).
    Bytes map = world.map.mapBytes();
    map.resize(196 + 100);
    tw::datafiles::WriteBytes("map0.mul", map);
    StartServices();
    EXPECT_EQ(MapManager::GetLandTile(0, 3), sample::kGrass) << "block 0 is whole";
    EXPECT_EQ(MapManager::GetLandTile(0, 9), 0) << "not read from the cut block";
    signed char corners[4];
    MapManager::GetLandCornerZ(0, 7, corners);
    EXPECT_EQ(corners[3], 0);
}

}  // namespace

// Map access: land tiles and corner heights by cell, the surface's wrap,
// distances, lines of sight, the statics loaded block by block round the
// centre, and the height cut under rising land.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "FrameBuf.h"
#include "ViewTestSupport.h"
#include "view/DrawManager.h"
#include "view/MapManager.h"
#include "view/Repaint.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

namespace sample = tw::datafiles::sample;

constexpr M_WORD kMarker = 3215;  // the sample's bush: height 6, no flags

class MapAccess : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        world = sample::MakeSampleWorld();
    }
    void Start() {
        StartWorld(world);
        UseBackBuffer(640, 480, 640, 480, false);
    }
    // The player at a cell and height, the view centred on it.
    CPlayer* Player(int x, int y, int z) {
        pPlayerObject = new CPlayer(1, 400, 0);
        pPlayerObject->ToWorld(Coords(short(x), short(y), short(z)));
        MapManager::SetCenter(x, y, z, 0);
        return pPlayerObject;
    }
    static std::vector<CObj*> StaticsOf(int graphic) {
        std::vector<CObj*> out;
        for (CObj* o = CObjectManager::worldList; o; o = o->worldNext)
            if (!o->IsDynamic() && o->objectType == graphic) out.push_back(o);
        return out;
    }
    static CObj* StaticAt(int graphic, int x, int y) {
        for (CObj* o : StaticsOf(graphic))
            if (o->locX == x && o->locY == y) return o;
        return nullptr;
    }

    sample::SampleWorld world;
};

TEST_F(MapAccess, DistancesTakeTheShortWayRoundTheSurfaceOnly) {
    struct Case {
        int x1, y1, x2, y2, distance;
    };
    const Case cases[] = {
        {10, 10, 5110, 4090, 20},   // x wraps to 20, y to 16
        {5200, 10, 100, 10, 9999},  // one in the separate area
        {5200, 10, 5210, 30, 20},   // both there: no wrap
        {100, 100, 103, 98, 3},    {0, 0, 0, 0, 0},
        {0, 0, 2560, 2048, 2560},  // half way round: either way
    };
    for (const Case& c : cases) {
        const Coords a(short(c.x1), short(c.y1), 0), b(short(c.x2), short(c.y2), 0);
        EXPECT_EQ(MapManager::GetDistance(a, c.x2, c.y2), c.distance)
            << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
        EXPECT_EQ(MapManager::GetDistance(b, a), c.distance);
    }
}

TEST_F(MapAccess, LandTilesAndCornersComeFromTheBlocksWithNeighboursWrapped) {
    world.map.setCell(0, 4095, sample::kDirt, 7);
    world.map.setCell(0, 0, sample::kSand, -3);
    world.map.setCell(5, 5, sample::kRock, 10);
    world.map.setCell(6, 5, sample::kRock, 11);
    world.map.setCell(6, 6, sample::kRock, 12);
    world.map.setCell(5, 6, sample::kRock, 13);
    Start();
    struct Case {
        int x, y, tile;
        signed char corners[4];
    };
    const Case cases[] = {
        {5, 5, sample::kRock, {10, 11, 12, 13}},
        {0, 4095, sample::kDirt, {7, 0, 0, -3}},  // neighbours wrap in y
        {6143, 4095, 0, {0, 7, -3, 0}},           // no block there; neighbours at x 0, y 0
        {-1, 0, MapManager::OUTSIDE_LAND_TILE, {0, 0, 0, 0}},
        {6144, 5, MapManager::OUTSIDE_LAND_TILE, {0, 0, 0, 0}},
        {3, 4096, MapManager::OUTSIDE_LAND_TILE, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MapManager::GetLandTile(c.x, c.y), c.tile) << c.x << "," << c.y;
        signed char corners[4];
        MapManager::GetLandCornerZ(c.x, c.y, corners);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(corners[i], c.corners[i]) << c.x << "," << c.y;
    }
}

TEST_F(MapAccess, ALineOfSightIsBlockedOnlyBetweenItsEndsByAFlagOfTheMask) {
    Start();
    auto place = [](int graphic, int x, int y, int z) {
        CObj* o = NewStaticObj(graphic);
        o->ToWorld(Coords(short(x), short(y), short(z)));
    };
    place(sample::kWallNorth, 11, 10, 0);  // impassable, 0 to 20
    place(sample::kFloor, 11, 20, 0);
    place(sample::kCrate, 11, 30, 0);  // impassable and a surface, 0 to 5
    struct Case {
        Coords from, to;
        int mask;
        bool clear;
    };
    const Case cases[] = {
        {{10, 10, 5}, {12, 10, 5}, 0x40, false},
        {{10, 10, 25}, {12, 10, 25}, 0x40, true},    // over the wall's top
        {{10, 10, 5}, {12, 10, 5}, 0x200, true},     // the wall has no such flag
        {{10, 10, 5}, {11, 10, 5}, 0x40, true},      // neighbours: no cell between
        {{11, 10, 5}, {11, 10, 5}, 0x40, true},      // the same place
        {{10, 20, 0}, {12, 20, 0}, 0x40, true},      // a floor blocks nothing
        {{10, 30, 0}, {14, 30, 8}, 0x200, false},    // climbing across the crate
        {{0, 0, 0}, {6000, 4000, 100}, 0x40, true},  // long lines stay exact
    };
    for (const Case& c : cases)
        EXPECT_EQ(MapManager::LineOfSight(c.from, c.to, c.mask) != 0, c.clear)
            << c.from.x << "," << c.from.y << "," << c.from.z << " to " << c.to.x << "," << c.to.y
            << "," << c.to.z;
}

TEST_F(MapAccess, StaticsAreLoadedByTheBlocksThatEnterTheWindowOnly) {
    world.map.addStatic({kMarker, 9, 30, 0, 0});   // block column 1
    world.map.addStatic({kMarker, 57, 30, 0, 0});  // block column 7
    Start();
    Player(30, 30, 0);  // window: block columns and rows 1..6
    ASSERT_NE(StaticAt(sample::kLamp, 27, 24), nullptr);
    EXPECT_EQ(StaticAt(sample::kTree, 5, 5), nullptr) << "block 0 lies outside the window";
    EXPECT_NE(StaticAt(kMarker, 9, 30), nullptr);
    EXPECT_EQ(StaticAt(kMarker, 57, 30), nullptr);
    CObj* lamp = StaticAt(sample::kLamp, 27, 24);
    const size_t before = StaticsOf(sample::kLamp).size();

    MapManager::ShiftCenter(1, 0, 0);
    MapManager::ShiftCenter(1, 0, 0);
    MapManager::ShiftCenter(1, 0, 0);  // to 33: the same window
    EXPECT_EQ(StaticAt(sample::kLamp, 27, 24), lamp) << "nothing loaded again";
    EXPECT_EQ(StaticsOf(sample::kLamp).size(), before);

    MapManager::ShiftCenter(1, 0, 0);  // to 34: columns 2..7
    EXPECT_EQ(StaticAt(kMarker, 9, 30), nullptr) << "column 1 left the window";
    EXPECT_NE(StaticAt(kMarker, 57, 30), nullptr) << "column 7 entered it";
    EXPECT_EQ(StaticAt(sample::kLamp, 27, 24), lamp);
    EXPECT_EQ(StaticsOf(sample::kLamp).size(), before);
}

TEST_F(MapAccess, ACentreCrossingTheSeamWrapsAndCarriesTheDrawItemsWithIt) {
    Start();
    Player(5119, 100, 0);
    DirtyList::fullRepaintPending = FALSE;
    MapManager::ShiftCenter(1, 0, 0);
    EXPECT_EQ(MapManager::centerX, 0);
    EXPECT_TRUE(DirtyList::fullRepaintPending);
    EXPECT_EQ(g_ringStart, 0);
    for (int cy = 0; cy < 64; ++cy)
        for (int cx = 0; cx < 64; ++cx) {
            int land = 0;
            for (CDrawItem* i = DrawMapThingie::table[cy][cx]; i; i = i->next) {
                EXPECT_LE(std::abs(i->locX), 20) << "every item near the new centre";
                if (i->IsTerrain() && std::abs(i->locX) <= 18 && std::abs(i->locY - 100) <= 18)
                    ++land;
            }
            const int x = cx > 31 ? cx - 64 : cx, y = 64 + cy;  // the cell this slot holds
            if (std::abs(x) <= 18 && std::abs(y - 100) <= 18) {
                EXPECT_EQ(land, 1) << "one land cell at " << x << "," << y;
            }
        }
    EXPECT_EQ(pPlayerObject->locX, -1);
}

TEST_F(MapAccess, LandRisingAboveTheCentreTurnsTheHeightCutOn) {
    for (int x = 29; x <= 31; ++x)
        for (int y = 29; y <= 31; ++y) world.map.setCell(x, y, sample::kGrass, 60);
    Start();
    Player(30, 30, 0);
    EXPECT_TRUE(DrawManager::heightCut);
    EXPECT_EQ(DrawManager::heightCutLimit, 16);
    for (CDrawItem* i = DrawMapThingie::table[30][30]; i; i = i->next)
        if (i->IsTerrain()) {
            EXPECT_TRUE(DrawManager::IsHidden(i)) << "the land above the cut";
        }
    for (CDrawItem* i = DrawMapThingie::table[33][33]; i; i = i->next)
        if (i->IsTerrain()) {
            EXPECT_FALSE(DrawManager::IsHidden(i));
        }
    // Stepping out from under it turns it off again.
    MapManager::ShiftCenter(3, 3, 0);
    EXPECT_FALSE(DrawManager::heightCut);
}

}  // namespace

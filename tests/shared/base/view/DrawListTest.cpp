// The draw table: the order within a cell's list, the cells walking
// creatures are filed in, the window that follows the centre, removal, the
// slices of large creatures and the refresh after tile-data changes.
#include <gtest/gtest.h>

#include <vector>

#include "ViewTestSupport.h"
#include "view/BigMobComponent.h"
#include "view/DrawManager.h"
#include "view/MapManager.h"
#include "view/Repaint.h"
#include "view/ViewGeometry.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"
#include "world/Terrain.h"

namespace {

namespace sample = tw::datafiles::sample;

class DrawList : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        StartSampleWorld();
        UseBackBuffer(640, 480, 640, 480, false);
        DirtyList::count = 0;
        DirtyList::fullRepaintPending = FALSE;
    }
    static std::vector<CDrawItem*> Cell(int x, int y) {
        std::vector<CDrawItem*> items;
        for (CDrawItem* i = DrawMapThingie::table[y & 63][x & 63]; i; i = i->next)
            items.push_back(i);
        return items;
    }
    static CTerrain* Land(int x, int y, int z) {
        const TerrainLocation at{short(x), short(y), short(z)};
        CTerrain* land = NewTerrain(sample::kGrass, &at);
        land->AddToDrawList();
        return land;
    }
    static CObj* Static(int graphic, int x, int y, int z) {
        CObj* o = NewStaticObj(graphic);
        o->ToWorld(Coords(short(x), short(y), short(z)));
        return o;
    }
    static CMobile* Mobile(M_DWORD serial, int body, int x, int y, int z) {
        auto* m = new CMobile(serial, body, 0);
        m->locX = short(x);
        m->locY = short(y);
        m->z = short(z);
        m->drawZ = z;
        return m;
    }
};

TEST_F(DrawList, WithinOneKeyLandGoesFirstAndCreaturesLast) {
    ItemTileData& wall = CObjectManager::itemTiles[sample::kWallNorth];
    CObj* plain = Static(sample::kFloor, 10, 10, 4);  // height 0: key 4
    CTerrain* land = Land(10, 10, 5);                 // key 4, goes before the floor
    CTerrain* second = Land(10, 10, 5);               // after the first land
    CMobile* mobile = Mobile(7, 200, 10, 10, 3);      // 3 + 1 = 4: after everything of key 4
    DrawManager::AddToDrawList(mobile);
    wall.flags |= 0x1;  // z - 1 + 1: keeps key 4
    CObj* background = Static(sample::kWallNorth, 10, 10, 4);
    EXPECT_EQ(background->drawKey, 4);
    EXPECT_EQ(Cell(10, 10), (std::vector<CDrawItem*>{land, second, plain, mobile, background}));
    for (CDrawItem* i : Cell(10, 10)) EXPECT_EQ(i->drawKey, 4);
    CObj* lower = Static(sample::kFloor, 10, 10, 1);
    EXPECT_EQ(Cell(10, 10).front(), lower);
}

TEST_F(DrawList, WalkingCreaturesAreFiledInTheLargerOfTheirTwoCells) {
    struct Case {
        int direction;
        bool player;
        int x, y;  // expected cell from (20, 20)
    };
    const Case cases[] = {{7, false, 21, 21}, {2, false, 20, 20}, {0, false, 20, 21},
                          {5, false, 21, 20}, {3, true, 21, 21},  {1, true, 21, 20},
                          {5, true, 20, 21},  {7, true, 20, 20}};
    for (const Case& c : cases) {
        CMobile* m = c.player ? new CPlayer(1, 400, 0) : Mobile(9, 200, 20, 20, 0);
        m->locX = m->locY = 20;
        m->direction = static_cast<M_BYTE>(c.direction);
        m->stepFramesLeft = c.player ? 0 : 2;
        MoveManager::stepFrame = c.player ? 2 : 0;
        DrawManager::AddToDrawList(m);
        const std::vector<CDrawItem*> cell = Cell(c.x, c.y);
        EXPECT_NE(std::find(cell.begin(), cell.end(), m), cell.end())
            << "direction " << c.direction << (c.player ? " player" : " mobile");
        DrawManager::RemoveFromDrawList(m);
        EXPECT_FALSE(m->inList);
        MoveManager::stepFrame = 0;
        m->Release();
    }
}

TEST_F(DrawList, TheWindowFlushesOnlyTheColumnsAndRowsThatLeaveIt) {
    auto flushedAfter = [&](int fromX, int toX, int toY) {
        MapManager::centerX = fromX;
        MapManager::centerY = 100;
        DrawManager::RecenterTable();
        std::vector<CTerrain*> lands;
        // One row of land along the window's first row.
        for (int x = 0; x < 64; ++x) lands.push_back(Land(fromX - 32 + x, 68, 0));
        CObj* kept = Static(sample::kFloor, fromX - 32, 68, 0);  // a map static stays
        MapManager::centerX = toX;
        MapManager::centerY = toY;
        DrawManager::RecenterTable();
        int flushed = 0;
        for (CTerrain* l : lands) flushed += l->inList ? 0 : 1;
        EXPECT_TRUE(kept->inList);
        DrawManager::FlushAll();
        kept->Release();
        return flushed;
    };
    EXPECT_EQ(flushedAfter(300, 301, 100), 1) << "one column";
    EXPECT_EQ(flushedAfter(300, 300, 101), 64) << "the row of all 64";
    EXPECT_EQ(flushedAfter(300, 364, 100), 64) << "64 columns or more: every cell";
    EXPECT_EQ(flushedAfter(5100, 10, 100), 30) << "across the seam: 30 columns east";
}

TEST_F(DrawList, AHeadFoundInTheWrongCellIsRepairedWithAWarning) {
    CTerrain* land = Land(5, 5, 0);
    land->locX = 6;  // changed while listed, which callers must not do
    DrawManager::RemoveFromDrawList(land);
    EXPECT_TRUE(Cell(5, 5).empty());
    EXPECT_FALSE(land->inList);
    EXPECT_NE(ReportLog().find("code would have asserted because 'DrawMapThingie::table[locY]"
                               "[locX] == this' evaluates to 0"),
              std::string::npos);
}

TEST_F(DrawList, DestroyingAListedItemUnlinksItAndRepaintsItsArea) {
    PlacePlayer(sample::kCrossroads.x, sample::kCrossroads.y);
    DirtyList::count = 0;
    DirtyList::fullRepaintPending = FALSE;
    auto* crate = new CItemObj(tw::test::kItemSerial, sample::kCrate, 0, TRUE);
    crate->ToWorld(Coords(short(sample::kCrossroads.x + 1), short(sample::kCrossroads.y), 0));
    const RECT area = ScreenRectOf(crate);
    DirtyList::count = 0;
    delete crate;
    for (CDrawItem* i : Cell(sample::kCrossroads.x + 1, sample::kCrossroads.y))
        EXPECT_NE(i, static_cast<CDrawItem*>(crate));
    ASSERT_EQ(DirtyList::count, 1);
    EXPECT_EQ(DirtyList::rects[0].left, area.left);
    EXPECT_EQ(DirtyList::rects[0].top, area.top);
    EXPECT_EQ(DirtyList::rects[0].right, area.right);
    EXPECT_EQ(DirtyList::rects[0].bottom, area.bottom);
}

TEST_F(DrawList, ArtBelowTheFootLineIsCutIntoSlicesFiledInFront) {
    CMobile* m = Mobile(12, 200, 30, 30, 0);
    m->slideY = -60;  // hangs 60 pixels below its foot line
    DrawManager::AddToDrawList(m);
    std::vector<CBigMobComponent*> slices;
    for (auto* s = static_cast<CBigMobComponent*>(m->bigMobComponents); s; s = s->nextMobComp)
        slices.push_back(s);
    ASSERT_EQ(slices.size(), 2u);
    // The newest at the head: the second band first.
    EXPECT_EQ(slices[1]->bandTop, m->footLine);
    EXPECT_EQ(slices[1]->bandBottom, m->footLine + 44);
    EXPECT_EQ(slices[0]->bandBottom, m->footLine + 60);
    EXPECT_EQ(Cell(31, 31), std::vector<CDrawItem*>{slices[1]});
    EXPECT_EQ(Cell(32, 32), std::vector<CDrawItem*>{slices[0]});
    EXPECT_EQ(slices[1]->drawKey, m->drawKey);

    // A hidden owner hides its slices.
    m->inList = FALSE;
    EXPECT_TRUE(DrawManager::IsHidden(slices[0]));
    m->inList = TRUE;

    // Taking the owner out, or flushing it, releases them.
    DrawManager::RemoveFromDrawList(m);
    EXPECT_EQ(m->bigMobComponents, nullptr);
    EXPECT_TRUE(Cell(31, 31).empty());
    DrawManager::AddToDrawList(m);
    EXPECT_FALSE(Cell(32, 32).empty());
    DrawManager::FlushCell(30, 30);  // the mobile is released with them
    EXPECT_TRUE(Cell(31, 31).empty());
    EXPECT_TRUE(Cell(32, 32).empty());
}

TEST_F(DrawList, ASliceLeavingItsOwnersListJoinsItsNeighbours) {
    CMobile* m = Mobile(13, 200, 30, 30, 0);
    auto* a = new CBigMobComponent(31, 31, 0, 44, m);
    auto* b = new CBigMobComponent(32, 32, 44, 88, m);
    auto* c = new CBigMobComponent(33, 33, 88, 99, m);  // head: c, b, a
    delete b;
    EXPECT_EQ(c->nextMobComp, a);
    EXPECT_EQ(a->prevMobComp, c);
    delete c;
    EXPECT_EQ(m->bigMobComponents, a);
    EXPECT_EQ(a->prevMobComp, nullptr);
    ReleaseSlices(m);
    EXPECT_EQ(m->bigMobComponents, nullptr);
    m->Release();
}

TEST_F(DrawList, ChangedTileDataRefilesTheObjectsOfThatTileOnly) {
    CObj* floor = Static(sample::kFloor, 12, 12, 1);     // height 0: key 1
    CObj* crate = Static(sample::kCrate, 12, 12, 0);     // height 5: key 1, after the floor
    CMobile* m = Mobile(14, sample::kCrate, 12, 12, 0);  // a body of the same number
    DrawManager::AddToDrawList(m);
    EXPECT_EQ(Cell(12, 12), (std::vector<CDrawItem*>{floor, crate, m}));
    DrawManager::ResortItemsOfTile(sample::kBush);
    EXPECT_EQ(Cell(12, 12), (std::vector<CDrawItem*>{floor, crate, m})) << "no object of it";
    CObjectManager::itemTiles[sample::kCrate].height = 0;
    m->z = 5;  // would sort at 6 if it were filed again
    DrawManager::ResortItemsOfTile(sample::kCrate);
    EXPECT_EQ(Cell(12, 12), (std::vector<CDrawItem*>{crate, floor, m}));
    EXPECT_EQ(crate->drawKey, 0);
    EXPECT_EQ(m->drawKey, 1) << "mobiles are never filed again";

    EXPECT_EQ(DrawManager::GetTopItemAt(12, 12), m);
    EXPECT_EQ(DrawManager::GetTopItemAt(12 + 64, 12), m);
    EXPECT_EQ(DrawManager::GetTopItemAt(13, 12), nullptr);
}

TEST_F(DrawList, TextsAnchorAtTheMiddleOfAnObjectAndAtACreaturesFeet) {
    CObj* crate = Static(sample::kCrate, 12, 12, 0);
    crate->rect = RECT{-7, 10, 0, 15};
    int x, y;
    DrawManager::GetAnchorPoint(crate, &x, &y);
    EXPECT_EQ(x, -4) << "halves taken by arithmetic shift";
    EXPECT_EQ(y, 12);
    CMobile* m = Mobile(15, 200, 12, 12, 3);
    m->slideX = 4;
    m->slideY = -6;
    DrawManager::AddToDrawList(m);
    DrawManager::GetAnchorPoint(m, &x, &y);
    EXPECT_EQ(x, 22 * m->screenColumn - 4 + 1);
    EXPECT_EQ(y, 22 * m->screenRow - 4 * 3 + 20 + 6);
    EXPECT_EQ(m->footLine, 22 * m->screenRow - 4 * 3 + 20);
}

TEST_F(DrawList, TheCellOrderRunsBackToFrontOverTheVisibleCells) {
    ASSERT_EQ(DrawManager::cellOrderCount, 1977);
    int lastSum = -1, lastDx = -1;
    for (int i = 0; i < DrawManager::cellOrderCount; ++i) {
        const int dx = DrawManager::cellOrder[i] & 63, dy = DrawManager::cellOrder[i] >> 6;
        EXPECT_LE(std::abs(dx - dy), 29);
        EXPECT_GE(dx + dy, 31);
        EXPECT_LE(dx + dy, 97);
        EXPECT_TRUE(dx + dy > lastSum || (dx + dy == lastSum && dx > lastDx));
        lastSum = dx + dy;
        lastDx = dx;
    }
}

TEST_F(DrawList, GeometryEdgesDoNotCount) {
    const RECT r{10, 10, 20, 20};
    EXPECT_FALSE(PointInRect(10, 15, r));
    EXPECT_FALSE(PointInRect(15, 20, r));
    EXPECT_TRUE(PointInRect(11, 19, r));
    EXPECT_FALSE(RectsOverlap(r, RECT{20, 10, 30, 20}));
    EXPECT_FALSE(RectsOverlap(r, RECT{10, 0, 20, 10}));
    EXPECT_TRUE(RectsOverlap(r, RECT{19, 19, 30, 30}));
}

}  // namespace

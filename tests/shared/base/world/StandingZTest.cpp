// Standing heights over synthetic cells of land, floors, walls, stairs and
// mobiles; the land height at a point of a step; the draw height of a
// walking mobile with stairs, slopes and falls.
#include <string>
#include <vector>

#include "WorldTestSupport.h"
#include "resources/GraphicManager.h"
#include "view/MapManager.h"
#include "view/WorldView.h"
#include "world/MoveManager.h"
#include "world/PathManager.h"
#include "world/Terrain.h"

using namespace tw::test;

namespace {

// Item tiles of the scenes.
constexpr int kFloor = 1000;       // a surface of no height
constexpr int kWall = 1001;        // impassable, 20 high
constexpr int kStair = 1002;       // surface and stair, 10 high: its top is 5
constexpr int kThin = 1003;        // a surface 2 high
constexpr int kDoor = 1682;        // impassable, but a ghost passes it
constexpr int kWeb = 1004;         // impassable, walk-through for a ghost
constexpr int kBlock = 1005;       // impassable, 20 high, movable when dynamic
constexpr int kNorthStair = 1006;  // a stair rising to the east (flags 0x40000000)

class StandingZTest : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        tiles.items[kFloor].flags = 0x200;
        tiles.items[kWall] = {0x40, 0, 0, 0, 0, 0, 0, 20, "wall"};
        tiles.items[kStair] = {0x600, 0, 0, 0, 0, 0, 0, 10, "stair"};
        tiles.items[kThin] = {0x200, 0, 0, 0, 0, 0, 0, 2, "rug"};
        tiles.items[kDoor] = {0x40, 0, 0, 0, 0, 0, 0, 20, "door"};
        tiles.items[kWeb] = {0x40 | 0x20000000, 0, 0, 0, 0, 0, 0, 20, "web"};
        tiles.items[kBlock] = {0x40, 0, 0, 0, 0, 0, 0, 20, "crate"};
        tiles.items[kNorthStair] = {0x40000600, 0, 0, 0, 0, 0, 0, 8, "stair"};
        tiles.land[7].flags = 0x40;  // water: land that blocks
        StartWorld();
        player = MakePlayer(10, 10);
        player->vitalMaximum[2] = 100;
        player->vitalCurrent[2] = 50;
    }

    void TearDown() override {
        for (CDrawItem* land : lands) land->Release();
        WorldTest::TearDown();
    }

    // Plain land at z on a cell (land tile 0 unless given).
    void Land(int x, int y, int z, int tile = 0) {
        CTerrain* land = NewTerrain(tile, nullptr);
        Place(land, x, y, z);
        view.landTiles[{x, y}] = tile;
        view.corners[{x, y}] = {static_cast<signed char>(z), static_cast<signed char>(z),
                                static_cast<signed char>(z), static_cast<signed char>(z)};
    }

    // Land drawn with a texture: its heights come from its corners.
    void Slope(int x, int y, std::array<signed char, 4> corners) {
        CTexTerr* land = NewTexTerr(0, nullptr, corners.data());
        view.corners[{x, y}] = corners;
        Place(land, x, y, corners[0]);
    }

    void Place(CDrawItem* item, int x, int y, int z) {
        item->locX = static_cast<short>(x);
        item->locY = static_cast<short>(y);
        item->z = static_cast<short>(z);
        item->AddToDrawList();
        lands.push_back(item);
    }

    CObj* Static(int graphic, int x, int y, int z) {
        CObj* obj = NewStaticObj(graphic);
        obj->ToWorld(Coords(static_cast<short>(x), static_cast<short>(y), static_cast<short>(z)));
        return obj;
    }

    // The standing height stepping east from (10, 10) at z onto (11, 10).
    std::string East(int z) {
        int out = -999;
        if (!MoveManager::CalcStandingZ(11, 10, z, 2, &out)) return "blocked";
        return std::to_string(out);
    }

    CPlayer* player = nullptr;
    std::vector<CDrawItem*> lands;
};

}  // namespace

TEST_F(StandingZTest, TheSurfacesOfBothCellsDecideTheStandingHeight) {
    struct Piece {
        int graphic;  // -1: land at z, -2: blocking land, -3: land sloped by corners
        bool target;
        int z;
        std::array<signed char, 4> corners = {};
    };
    struct Case {
        const char* what;
        std::vector<Piece> pieces;
        int fromZ;
        const char* expect;
    } cases[] = {
        {"flat land", {{-1, false, 0}, {-1, true, 0}}, 0, "0"},
        {"nothing at all", {{-1, false, 0}}, 0, "blocked"},
        {"a wall", {{-1, false, 0}, {-1, true, 0}, {kWall, true, 0}}, 0, "blocked"},
        {"a rug one can step onto", {{-1, false, 0}, {-1, true, 0}, {kThin, true, 0}}, 0, "2"},
        {"a ledge too high", {{-1, false, 0}, {-1, true, 0}, {kFloor, true, 10}}, 0, "blocked"},
        {"a stair's half top", {{-1, false, 0}, {-1, true, 0}, {kStair, true, 0}}, 0, "5"},
        {"a roof 20 up leaves room", {{-1, false, 0}, {-1, true, 0}, {kFloor, true, 20}}, 0, "0"},
        {"the floor above is nearer",
         {{-1, false, 0}, {-1, true, 0}, {kFloor, true, 20}, {kFloor, false, 20}},
         20,
         "20"},
        {"a stair raises the reach",
         {{-1, false, 0}, {kStair, false, 0}, {-1, true, 0}, {kFloor, true, 12}},
         5,
         "12"},
        {"without a stair 12 is out of reach",
         {{-1, false, 0}, {kFloor, false, 5}, {-1, true, 0}, {kFloor, true, 12}},
         5,
         "blocked"},
        {"water", {{-1, false, 0}, {-2, true, 0}}, 0, "blocked"},
        {"a door", {{-1, false, 0}, {-1, true, 0}, {kDoor, true, 0}}, 0, "blocked"},
        // Standing mid-slope at 5, the slope's own bottom counts as where the
        // walker starts from, not only its raised east edge at 10.
        {"down off a slope under a floor",
         {{-3, false, 0, {0, 10, 10, 0}}, {-1, true, 4}, {kFloor, true, 20}},
         5,
         "4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (CDrawItem* land : lands) land->Release();
        lands.clear();
        CObjectManager::reset();
        StartWorld();
        player = MakePlayer(10, 10);
        player->vitalMaximum[2] = 1;
        for (const Piece& p : c.pieces) {
            const int x = p.target ? 11 : 10;
            if (p.graphic == -1)
                Land(x, 10, p.z);
            else if (p.graphic == -2)
                Land(x, 10, p.z, 7);
            else if (p.graphic == -3)
                Slope(x, 10, p.corners);
            else
                Static(p.graphic, x, 10, p.z);
        }
        EXPECT_EQ(East(c.fromZ), c.expect);
    }
}

TEST_F(StandingZTest, MobilesBlockUnlessStaminaIsFullAndGhostsPassMore) {
    Land(10, 10, 0);
    Land(11, 10, 0);
    PlaceMobile(5, 400, 11, 10);
    EXPECT_EQ(East(0), "blocked");
    player->vitalCurrent[2] = 100;
    EXPECT_EQ(East(0), "0") << "full stamina pushes through";
    player->vitalCurrent[2] = 50;

    // A ghost walks through mobiles, some doors and webs and movable things.
    Static(kDoor, 11, 10, 0);
    CDynamicObj* crate = PlaceItem(kItem | 7, kBlock, 11, 10, 0);
    ASSERT_TRUE(crate->IsMovable());
    CObj* web = Static(kWeb, 11, 10, 0);
    EXPECT_EQ(East(0), "blocked");
    for (int ghost : {402, 403, 987}) {
        player->objectType = static_cast<M_WORD>(ghost);
        EXPECT_EQ(East(0), "0") << ghost;
    }
    web->ToVoid();
    Static(kWall, 11, 10, 0);
    EXPECT_EQ(East(0), "blocked") << "a plain wall stops a ghost too";
}

TEST_F(StandingZTest, SkippedLandCountsAsNothing) {
    Land(10, 10, 0);
    for (int tile : {2, 430, 437, 475}) {
        for (CDrawItem* item : view.CellItems(11, 10)) item->RemoveFromDrawList();
        Land(11, 10, 0, tile);
        EXPECT_EQ(East(0), "blocked") << tile;
    }
    for (CDrawItem* item : view.CellItems(11, 10)) item->RemoveFromDrawList();
    Land(11, 10, 0, 429);
    EXPECT_EQ(East(0), "0");
}

TEST_F(StandingZTest, SlopedLandGivesItsFoldedHeightAndRaisesTheReach) {
    // Corners 0 north, 1 east, 2 south, 3 west of the diamond.
    Slope(10, 10, {0, 6, 6, 0});
    Slope(11, 10, {6, 6, 10, 10});
    // The land left is 3 high, its east edge 6; the land right is folded
    // along 0-2 (|6 - 10| <= |6 - 10|): its top is 8, just in reach.
    EXPECT_EQ(East(3), "8");
    Slope(12, 10, {30, 30, 30, 30});
    int z = 0;
    EXPECT_FALSE(MoveManager::CalcStandingZ(12, 10, 8, 2, &z)) << "22 up is too far";
}

TEST_F(StandingZTest, LandHeightAtAPointOfAStep) {
    const signed char corners[4] = {0, 8, 16, 4};
    struct Case {
        BOOL diagonal;
        int offset, direction, expect;
    } cases[] = {
        {TRUE, 0, 0, 8},   // (0 + 16) >> 1
        {FALSE, 0, 0, 6},  // (8 + 4) >> 1
        {TRUE, 2, 0, 4},   // north edge (0 + 8) >> 1
        {TRUE, 2, 1, 8},   // east corner
        {TRUE, 2, 2, 12},  // (8 + 16) >> 1
        {TRUE, 2, 3, 16},  // south corner
        {TRUE, 2, 4, 10},  // (16 + 4) >> 1
        {TRUE, 2, 5, 4},   // west corner
        {TRUE, 2, 6, 2},   // (4 + 0) >> 1
        {TRUE, 2, 7, 0},   // north corner
        {TRUE, 1, 3, 12},  // half way: (16 + 8) >> 1
        {FALSE, 1, 7, 3},  // (0 + 6) >> 1
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetZVal(corners, c.diagonal, c.offset, c.direction), c.expect)
            << c.diagonal << "/" << c.offset << "/" << c.direction;

    const signed char low[4] = {-7, -7, -8, -8};
    EXPECT_EQ(GetZVal(low, TRUE, 0, 0), -8) << "halving rounds down";

    StderrCapture err;
    EXPECT_EQ(GetZVal(corners, TRUE, 1, 8), 8);
    EXPECT_EQ(GetZVal(corners, TRUE, 3, 0), 8);
    EXPECT_EQ(GetZVal(corners, TRUE, -1, 0), 8);
    const std::string text = err.text();
    EXPECT_NE(text.find("Bugger: Someone tried to call GetZVal with theDir not between 0 and 7"),
              std::string::npos);
    const auto first = text.find("theOffset not between 0 and 2");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(text.find("theOffset", first + 1), std::string::npos) << "reported once only";
}

TEST_F(StandingZTest, TexturedLandHeightsComeFromItsCorners) {
    Slope(20, 20, {2, 9, 4, 1});
    CDrawItem* land = lands.back();
    EXPECT_EQ(land->GetStandZ(), 3) << "|2-4| <= |9-1|: folded along 0-2";
    EXPECT_EQ(land->GetLowZ(), 1);
    const int toward[8] = {5, 9, 6, 4, 2, 1, 1, 2};
    for (int d = 0; d < 8; ++d) EXPECT_EQ(land->GetZToward(d), toward[d]) << d;
    Slope(21, 20, {0, 9, 10, 8});
    EXPECT_EQ(lands.back()->GetStandZ(), 8) << "|0-10| > |9-8|: folded along 1-3";

    CObj* stair = Static(kStair, 22, 20, 3);
    EXPECT_EQ(stair->GetStandZ(), 8) << "3 + 10 / 2";
    EXPECT_EQ(Static(kWall, 23, 20, 3)->GetStandZ(), 23);
}

TEST_F(StandingZTest, AWalkerClimbsStairsAndSlopesSmoothly) {
    // The player stands on a stair (top 5) facing d, c frames into a step.
    Static(kStair, 10, 10, 0);
    CObj* risingEast = Static(kNorthStair, 30, 30, 0);
    (void)risingEast;
    struct Case {
        int x, direction, frame, expect;
    } cases[] = {
        {10, 0, 0, 5}, {10, 0, 1, 8}, {10, 0, 2, 10},  // walking up northwards
        {10, 4, 1, 2}, {10, 4, 2, 0},                  // walking down southwards
        {10, 2, 1, 5}, {10, 2, 2, 5},                  // across: the middle
        {30, 6, 1, 2}, {30, 6, 2, 0}, {30, 2, 2, 8},   // turned by its flags: up to the east
    };
    for (const Case& c : cases) {
        player->locX = static_cast<short>(c.x);
        player->locY = static_cast<short>(c.x);
        player->z = c.x == 10 ? 5 : 4;
        player->direction = static_cast<M_BYTE>(c.direction);
        MoveManager::stepFrame = c.frame;
        EXPECT_EQ(player->CalcDrawZ(), c.expect) << c.x << "/" << c.direction << "/" << c.frame;
        EXPECT_EQ(player->drawZ, c.expect);
    }

    // On sloped land the height follows the corners; off any surface, z.
    Slope(40, 40, {0, 8, 16, 4});
    player->locX = player->locY = 40;
    player->z = 6;  // folded along 1-3: (8 + 4) / 2
    player->direction = 3;
    MoveManager::stepFrame = 2;
    EXPECT_EQ(player->CalcDrawZ(), 16);
    player->z = 9;
    EXPECT_EQ(player->CalcDrawZ(), 9);
}

TEST_F(StandingZTest, TheCellAheadIsUsedLateInAStepAndOffsetsStayInRange) {
    Slope(11, 10, {0, 8, 16, 4});
    player->direction = 2;
    MoveManager::queue[0] = {2, 2, 0, 0, 0, 0, 0, 6};
    MoveManager::queueCount = 1;
    StderrCapture err;
    // Seen from the cell ahead, facing back west: the middle is 6, the west
    // edge 2.
    struct Case {
        int frame, expect;
    } cases[] = {{3, 4}, {4, 6}, {6, 6}, {9, 6}};  // offset 1, 0, then held at 0
    for (const Case& c : cases) {
        MoveManager::stepFrame = c.frame;
        EXPECT_EQ(player->CalcDrawZ(), c.expect) << c.frame;
    }
    EXPECT_EQ(err.text(), "") << "no offset outside 0..2 reaches the land height";
}

TEST_F(StandingZTest, AFallRunsInALineAndNeverDividesByZero) {
    MoveManager::falling = TRUE;
    MoveManager::fallStartZ = 40;
    MoveManager::fallEndZ = 0;
    struct Case {
        int duration, frame, expect;
    } cases[] = {{10, 0, 40}, {10, 1, 40}, {10, 2, 40}, {10, 6, 20}, {10, 10, 0},
                 {2, 1, 40},  {2, 2, 0},   {0, 2, 0},   {1, 5, 0}};
    for (const Case& c : cases) {
        MoveManager::stepDuration = c.duration;
        MoveManager::stepFrame = c.frame;
        EXPECT_EQ(player->CalcDrawZ(), c.expect) << c.duration << "/" << c.frame;
    }
}

TEST_F(StandingZTest, ThePlayerSetsTheViewOffset) {
    GraphicManager::setGameplayWindowPixelWidthAndHeight(640, 480);
    player->locX = 100;
    player->locY = 50;
    player->z = 10;
    player->slideX = 11;
    player->slideY = -11;
    player->CalcDrawZ();
    EXPECT_EQ(g_viewOffsetX, 22 * (100 - 50 + 6144) - 319 + 11);
    EXPECT_EQ(g_viewOffsetY, 22 * 150 - 40 - 217 - 11);
}

TEST_F(StandingZTest, PathsFollowTheWalkingRules) {
    // A strip of land three cells high with a wall across its middle row but
    // one: the way round it climbs a stair-high floor.
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 3; ++y) Land(x, y, 0);
    Static(kWall, 3, 0, 0);
    Static(kWall, 3, 1, 0);
    Static(kThin, 3, 2, 0);
    PathNode* goal = PathManager::FindPath(0, 1, 0, 5, 1, 0, 500, 0);
    ASSERT_NE(goal, nullptr);
    std::vector<std::string> cells;
    for (PathNode* n = goal; n; n = n->parent)
        cells.insert(cells.begin(), std::to_string(n->x) + "," + std::to_string(n->y) + "," +
                                        std::to_string(n->z));
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_EQ(cells[3], "3,2,2") << "over the rug";
    PathManager::FreeNodes();
}

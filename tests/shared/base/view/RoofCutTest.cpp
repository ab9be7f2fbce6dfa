// The roof cut-away: the limits over the player's head, the roof that
// opens as a whole, and mobiles hidden under a roof; the house of the
// sample world seen from inside and from outside.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "view/DrawManager.h"
#include "view/WorldView.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

namespace sample = tw::datafiles::sample;

class RoofCut : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        StartSampleWorld();
        UseBackBuffer(640, 480, 640, 480, true);
    }
    static void Put(int graphic, int x, int y, int z) {
        CObj* o = NewStaticObj(graphic);
        o->ToWorld(Coords(static_cast<short>(x), static_cast<short>(y), static_cast<short>(z)));
    }
};

TEST_F(RoofCut, TheLimitIsTheLowestThingOverTheHeadOrTheRoofInFront) {
    struct Piece {
        int graphic, dx, dy, dz;
    };
    struct Case {
        const char* what;
        std::vector<Piece> pieces;
        int limit;  // relative to the player's z; 127 - z: no cut
    } cases[] = {
        {"nothing above", {}, 127},
        {"a crate 14 above does not count", {{sample::kCrate, 0, 0, 14}}, 127},
        {"a crate 15 above: the cut just over the head", {{sample::kCrate, 0, 0, 15}}, 16},
        {"the lowest of two", {{sample::kCrate, 0, 0, 40}, {sample::kCrate, 0, 0, 30}}, 30},
        {"a roof over the head alone is not a limit", {{sample::kRoof, 0, 0, 30}}, 127},
        {"the roof in front runs on in steps of up to 6",
         {{sample::kRoof, 1, 1, 30}, {sample::kRoof, 2, 1, 26}, {sample::kRoof, 3, 1, 22}},
         22},
        {"a step of 7 stops it",
         {{sample::kRoof, 1, 1, 30}, {sample::kRoof, 2, 1, 26}, {sample::kRoof, 3, 1, 19}},
         26},
    };
    for (const Case& c : cases) {
        SetUp();
        CPlayer* player = PlacePlayer(sample::kHillside.x - 8, sample::kHillside.y);
        const int px = player->locX, py = player->locY, pz = player->z;
        for (const Piece& p : c.pieces) Put(p.graphic, px + p.dx, py + p.dy, pz + p.dz);
        DrawManager::UpdateRoofCut();
        EXPECT_EQ(DrawManager::roofLimit, c.limit == 127 ? 127 : pz + c.limit) << c.what;
    }
}

// A creature in the house: hidden under its roof while the roof is drawn,
// shown when the player stands inside and the roof opens.
struct HouseCase {
    const char* name;
    int x, y;
    int limit;
    bool creatureHidden;
};

class House : public RoofCut, public ::testing::WithParamInterface<HouseCase> {};

TEST_P(House, OpensItsRoofOnlyToThePlayerInside) {
    const HouseCase& c = GetParam();
    PlacePlayer(c.x, c.y);
    CObjectManager::HandleMove(0x300, sample::kCreatureBody, 0, 0, 35, 35, 0, 3, 0, 0);
    CDrawItem* creature = CObjectManager::FindObject(0x300);
    DrawManager::UpdateRoofCut();
    EXPECT_EQ(DrawManager::roofLimit, c.limit);
    EXPECT_EQ(DrawManager::IsHidden(creature) != FALSE, c.creatureHidden);
    Paint();
    EXPECT_TRUE(tw::test::MatchesGolden(PlayArea(),
                                        std::string("shared/base/view/golden/") + c.name + ".png"));
}

// Inside, the limit is the lowest roof of the whole house (its eaves).
INSTANTIATE_TEST_SUITE_P(Places, House,
                         ::testing::Values(HouseCase{"house_outside", 36, 41, 127, true},
                                           HouseCase{"house_inside", 36, 35, 20, false}),
                         [](const ::testing::TestParamInfo<HouseCase>& info) {
                             return std::string(info.param.name);
                         });

// Things that are blended instead of hidden (tile flag 0x20000): a lone
// one, and the pieces of a wide one that hide together.
constexpr int kLone = 3300, kPieceA = 3398, kPieceB = 3399, kPieceFar = 3402;

class BlendedInFront : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        auto world = sample::MakeSampleWorld();
        // Each looks like the sample's tree.
        const tw::datafiles::IndexRecord tree = world.art.record(16384 + sample::kTree);
        const tw::datafiles::Bytes art(world.art.data().begin() + tree.offset,
                                       world.art.data().begin() + tree.offset + tree.length);
        for (int g : {kLone, kPieceA, kPieceB, kPieceFar}) {
            world.tiles.items[g] = {0x20000, 0, 0, 0, 0, 0, 0, 20, "tree"};
            world.art.add(16384 + g, art);
        }
        StartWorld(world);
        UseBackBuffer(640, 480, 640, 480, true);
        player = PlacePlayer(sample::kHillside.x - 8, sample::kHillside.y);
    }
    CObj* Put(int graphic, int dx, int dy) {
        CObj* o = NewStaticObj(graphic);
        o->ToWorld(Coords(static_cast<short>(player->locX + dx),
                          static_cast<short>(player->locY + dy), static_cast<short>(player->z)));
        return o;
    }
    CPlayer* player = nullptr;
};

TEST_F(BlendedInFront, OnlyWhatStandsInFrontAndCoversThePlayerIsBlended) {
    CObj* behind = Put(kLone, -1, -1);
    CObj* front = Put(kLone, 1, 1);
    CObj* a = Put(kPieceA, 1, 1);
    CObj* b = Put(kPieceB, 2, 0);       // beside a on its row, one graphic on
    CObj* far = Put(kPieceFar, 3, -1);  // on the row, but not its graphic's distance
    Paint();
    const tw::test::Image16 before = PlayArea();
    EXPECT_FALSE(DrawManager::IsHidden(front)) << "no pass has run yet";
    // The pass repaints what it changes: nothing else is invalidated here.
    DrawManager::UpdateRoofCut();
    EXPECT_EQ(DrawManager::roofLimit, 127);
    EXPECT_FALSE(DrawManager::IsHidden(behind));
    EXPECT_TRUE(DrawManager::IsHidden(front));
    EXPECT_TRUE(DrawManager::IsHidden(a));
    EXPECT_TRUE(DrawManager::IsHidden(b));
    EXPECT_FALSE(DrawManager::IsHidden(far));
    Paint();
    const tw::test::Image16 blended = PlayArea();
    EXPECT_NE(blended.pixels, before.pixels);
    InvalidateScreen();
    Paint();
    EXPECT_EQ(PlayArea().pixels, blended.pixels) << "the pass dirtied all it changed";
    EXPECT_TRUE(tw::test::MatchesGolden(blended, "shared/base/view/golden/blended_in_front.png"));
}

}  // namespace

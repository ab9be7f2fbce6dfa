// The circle of transparency: its radius, centre and blend, which items it
// shows through, the fade of a run from the centre to the rim, and a wall
// of the sample house seen through it.
#include <gtest/gtest.h>

#include <vector>

#include "ViewTestSupport.h"
#include "config/Config.h"
#include "view/CircleTrans.h"
#include "view/DrawManager.h"
#include "view/Light.h"
#include "view/WorldView.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

namespace sample = tw::datafiles::sample;

class CircleTrans : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        StartSampleWorld();
        UseBackBuffer(640, 480, 640, 480, false);
        circle = CCircleTrans{};
        circle.SetRadius(64);
    }
    void TearDown() override {
        UseCircleTrans = FALSE;
        theCircleTrans = CCircleTrans{};
        ViewTest::TearDown();
    }
    CCircleTrans circle;
};

TEST_F(CircleTrans, RadiusAndCentreAreClampedAndPowersOfTwoBlendByShift) {
    struct {
        int asked, radius, shift;
        bool byShift;
    } cases[] = {{1, 2, 2, true}, {300, 256, 16, true}, {64, 64, 12, true}, {50, 50, 0, false}};
    for (const auto& c : cases) {
        circle.SetRadius(c.asked);
        EXPECT_EQ(circle.radius, c.radius) << c.asked;
        EXPECT_EQ(circle.r2, c.radius * c.radius) << c.asked;
        EXPECT_EQ(circle.shift, c.shift) << c.asked;
        EXPECT_EQ(circle.blend == &CCircleTrans::BlendShift, c.byShift) << c.asked;
    }
    circle.SetRadius(64);
    EXPECT_EQ(circle.centreX, 320) << "the middle of the play area";
    EXPECT_EQ(circle.centreY, 240);
    circle.SetPosition(-5, 9999);
    EXPECT_EQ(circle.centreX, 0);
    EXPECT_EQ(circle.centreY, 479);
    EXPECT_EQ(circle.box.left, -65);
    EXPECT_EQ(circle.box.bottom, 479 + 65);
}

TEST_F(CircleTrans, ARunFadesFromTheBackgroundAtTheCentreToTheItemAtTheRim) {
    std::vector<M_WORD> target(640 * 480, 0x0000);
    thelightthingie::target = WorldTarget{target.data(), 640, 640, 480};
    circle.SetPosition(100, 100);
    for (CCircleTrans::BlendFn blend : {CCircleTrans::BlendShift, CCircleTrans::BlendDivide}) {
        circle.blend = blend;
        std::fill(target.begin(), target.end(), 0);
        const std::vector<M_WORD> white(200, 0x7FFF);
        // Row 100 from column 0: outside, the rim at 36 and 164, the centre.
        CircleSpan(circle, CopySpan, &target[100 * 640], white.data(), 200);
        EXPECT_EQ(target[100 * 640 + 100], 0) << "the centre keeps the background";
        EXPECT_EQ(target[100 * 640 + 36], 0x7FFF) << "the rim shows the item";
        EXPECT_EQ(target[100 * 640 + 20], 0x7FFF) << "outside, drawn as it is";
        const M_WORD half = target[100 * 640 + 100 - 45];  // d2 = 2025, about half of r2
        EXPECT_GT(half & 31, 10);
        EXPECT_LT(half & 31, 21);
        // A row whose distance alone is beyond the radius goes whole to
        // the handler.
        CircleSpan(circle, CopySpan, &target[200 * 640], white.data(), 200);
        EXPECT_EQ(target[200 * 640 + 100], 0x7FFF);
    }
}

TEST_F(CircleTrans, OnlyStaticsAboveThePlayerThatMeetTheBoxAreSeenThrough) {
    CPlayer* player = PlacePlayer(sample::kHillside.x - 8, sample::kHillside.y);
    theCircleTrans.SetRadius(64);
    const int x = player->locX, y = player->locY, z = player->z;
    auto put = [&](int graphic, int dx, int dy, int dz) {
        CObj* o = NewStaticObj(graphic);
        o->ToWorld(Coords(short(x + dx), short(y + dy), short(z + dz)));
        return o;
    };
    EXPECT_TRUE(theCircleTrans.IsSeeThrough(put(sample::kTree, 1, 1, 0))) << "a tree in front";
    EXPECT_FALSE(theCircleTrans.IsSeeThrough(put(sample::kTree, 9, 9, 0))) << "far off the box";
    EXPECT_FALSE(theCircleTrans.IsSeeThrough(put(6040, 1, 1, 0))) << "art 6038..6066";
    EXPECT_FALSE(theCircleTrans.IsSeeThrough(put(sample::kFloor, 1, 1, 5)))
        << "its top at most 5 over the player";
    CObjectManager::HandleMove(0x40000020, sample::kTree, 0, 1, x + 1, y + 1, z, 0, 0, 0);
    EXPECT_FALSE(theCircleTrans.IsSeeThrough(CObjectManager::FindObject(0x40000020)))
        << "a dynamic object";
}

TEST_F(CircleTrans, TheHouseWallFadesRoundThePlayer) {
    PlacePlayer(38, 37);
    DrawManager::UpdateRoofCut();
    UseCircleTrans = TRUE;
    theCircleTrans.SetRadius(64);
    Paint();
    EXPECT_TRUE(
        tw::test::MatchesGolden(PlayArea(), "shared/base/view/golden/circle_over_wall.png"));
}

}  // namespace

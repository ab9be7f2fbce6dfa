// Sitting poses: who sits on which chair and facing where, the picture of
// figures sitting on the sample world's two chairs, the chair's offset,
// and picking that finds a sitter only where its pose shows a pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "view/DrawManager.h"
#include "view/Sitting.h"
#include "view/WorldView.h"
#include "world/Mobile.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

namespace sample = tw::datafiles::sample;

constexpr int kSouthChairX = 46, kWestChairX = 49, kChairY = 58;

class Sitting : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        StartSampleWorld();
        UseBackBuffer(640, 480, 640, 480, true);
    }
    static CMobile* Place(M_DWORD serial, int body, int x, int y, int z, int direction,
                          int hue = 0) {
        CObjectManager::HandleMove(serial, body, 0, 0, x, y, z, direction, hue, 0);
        return static_cast<CMobile*>(CObjectManager::FindObject(serial));
    }
    // A chair the server places (an item of that art).
    static CDynamicObj* PutChair(M_DWORD serial, int art, int x, int y, int z) {
        CObjectManager::HandleMove(serial, art, 0, 1, x, y, z, 0, 0, 0);
        return CObjectManager::FindObject(serial);
    }
    static void Dress(CMobile* m, M_DWORD serial, int shirtHue) {
        const struct {
            M_WORD graphic;
            int layer;
            int hue;
        } worn[] = {{sample::kHair, 11, 0}, {sample::kShirt, 5, shirtHue}, {sample::kPants, 4, 0}};
        m->RemoveFromDrawList();
        for (const auto& w : worn) {
            auto* item = new CItemObj(serial++, w.graphic, 0, TRUE);
            item->hue = static_cast<M_WORD>(w.hue);
            item->ToEquipped(m, w.layer);
        }
        m->AddToDrawList();
    }
};

TEST(SittingDirection, TurnsToTheNearestFacingTheChairSeats) {
    struct Case {
        int art;
        int direction;
        int facing;
    } cases[] = {
        {2863, 1, 2},                // east only: north-east turns east
        {1113, 1, 0},                // north and south: d, then d + 1 (east, no), then d - 1
        {1113, 2, 4},                // east: d + 1 and d - 1 are odd, then d + 2 is south
        {4604, 3, 4},                // all four: an odd facing turns clockwise
        {4604, 6, 6}, {2897, 2, 6},  // west only, from east: the far side
        {2895, 0, 4},                // south only, from north
    };
    for (const Case& c : cases) {
        int d = c.direction;
        ChooseSittingDirection(FindChair(c.art), &d);
        EXPECT_EQ(d, c.facing) << "chair " << c.art << " direction " << c.direction;
    }
}

TEST_F(Sitting, OnlyAStillHumanWithoutMountOnAChairAtItsHeightSits) {
    PlacePlayer(sample::kChairs.x, sample::kChairs.y - 2);
    PutChair(0x40000100, 2602, 40, 56, 0);
    struct Case {
        const char* what;
        int body;
        int z;
        bool sits;
    } cases[] = {
        {"a man on the chair", sample::kMaleBody, 0, true},
        {"a woman one z above it", sample::kFemaleBody, 1, true},
        {"two z above it", sample::kMaleBody, 2, false},
        {"a ghost", 402, 0, false},
        {"a creature", sample::kCreatureBody, 0, false},
    };
    M_DWORD serial = 0x200;
    for (const Case& c : cases) {
        CMobile* m = Place(serial++, c.body, 40, 56, c.z, 4);
        EXPECT_EQ(IsSitting(m) != FALSE, c.sits) << c.what;
        m->Release();
    }
    CMobile* m = Place(serial++, sample::kMaleBody, 40, 56, 0, 4);
    ASSERT_TRUE(IsSitting(m));
    m->queueCount = 1;
    EXPECT_FALSE(IsSitting(m)) << "steps still to walk";
    m->queueCount = 0;
    m->RemoveFromDrawList();
    (new CItemObj(0x40000200, sample::kCrate, 0, TRUE))->ToEquipped(m, CMobile::MOUNT_LAYER);
    m->AddToDrawList();
    EXPECT_FALSE(IsSitting(m)) << "mounted";
}

TEST_F(Sitting, FiguresSitOnTheChairsAndTheBackIsDrawnOverTheOneFacingWest) {
    CPlayer* player = PlacePlayer(kSouthChairX, kChairY);
    // The player faces east and sits facing south; the man faces north and
    // sits facing west, behind his chair's back.
    player->RemoveFromDrawList();
    player->direction = 2;
    player->AddToDrawList();
    CMobile* man = Place(0x100, sample::kMaleBody, kWestChairX, kChairY, 0, 0, 2186);
    Dress(man, 0x40001000, 38);
    CMobile* woman = Place(0x101, sample::kFemaleBody, kWestChairX + 2, kChairY, 0, 4, 2176);
    Dress(woman, 0x40001010, 0);
    ASSERT_TRUE(IsSitting(player));
    ASSERT_TRUE(IsSitting(man));
    EXPECT_FALSE(IsSitting(woman)) << "no chair under her";
    Paint();
    EXPECT_TRUE(tw::test::MatchesGolden(PlayArea(), "shared/base/view/golden/sitting.png"));
}

TEST_F(Sitting, TheChairsOffsetMovesThePose) {
    PlacePlayer(sample::kChairs.x, sample::kChairs.y - 3);
    // Two chairs: one puts the pose 6 pixels down, the other lifts it by 4.
    const int arts[2] = {2862, 2602};
    std::vector<M_WORD> poses[2];
    int ax = 0, ay = 0;
    for (int i = 0; i < 2; ++i) {
        CDynamicObj* chair = PutChair(0x40000100 + i, arts[i], 44, 57, 0);
        CMobile* m = Place(0x100 + i, sample::kMaleBody, 44, 57, 0, 4);
        ASSERT_TRUE(IsSitting(m));
        DrawManager::GetAnchorPoint(m, &ax, &ay);
        for (int y = ay - 100; y < ay + 60; ++y)
            for (int x = ax - 40; x < ax + 40; ++x) poses[i].push_back(HitTestSitting(m, x, y));
        m->Release();
        chair->Release();
    }
    // The second is the first moved up by 10 rows.
    const size_t row = 80, shift = 10 * row;
    ASSERT_EQ(poses[0].size(), poses[1].size());
    EXPECT_GT(std::count_if(poses[0].begin(), poses[0].end(), [](M_WORD p) { return p != 0; }),
              300);
    EXPECT_TRUE(std::equal(poses[0].begin() + shift, poses[0].end(), poses[1].begin()));
    EXPECT_TRUE(std::all_of(poses[1].end() - shift, poses[1].end(), [](M_WORD p) { return !p; }));
}

TEST_F(Sitting, TheRectangleHoldsEveryPixelOfThePoseWhateverTheChairsOffset) {
    PlacePlayer(sample::kChairs.x, sample::kChairs.y - 3);
    // Chairs that put the pose lowest (14 down facing west), lift it (8 up)
    // or seat it facing south (8 down).
    M_DWORD serial = 0x100;
    for (int art : {2911, 2603, 2907}) {
        for (int direction : {6, 2}) {
            CDynamicObj* chair = PutChair(0x40000000 + serial, art, 44, 57, 0);
            CMobile* m = Place(serial++, sample::kMaleBody, 44, 57, 0, direction);
            Dress(m, 0x40001000 + 0x10 * serial, 0);
            ASSERT_TRUE(IsSitting(m));
            const RECT r = m->rect;
            int ax, ay, outside = 0, inside = 0;
            DrawManager::GetAnchorPoint(m, &ax, &ay);
            for (int y = ay - 150; y < ay + 150; ++y)
                for (int x = ax - 80; x < ax + 80; ++x) {
                    if (!HitTestSitting(m, x, y)) continue;
                    const bool in = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                    ++(in ? inside : outside);
                }
            EXPECT_GT(inside, 300) << "chair " << art;
            EXPECT_EQ(outside, 0) << "chair " << art << " facing " << direction;
            m->Release();
            chair->Release();
        }
    }
}

TEST_F(Sitting, AHueOutsideTheTableComposesThePoseUnhued) {
    PlacePlayer(sample::kChairs.x, sample::kChairs.y - 3);
    CMobile* m = Place(0x100, sample::kMaleBody, kWestChairX, kChairY, 0, 0);
    ASSERT_TRUE(IsSitting(m));
    int ax, ay;
    DrawManager::GetAnchorPoint(m, &ax, &ay);
    auto pose = [&](int hue) {
        m->hue = static_cast<M_WORD>(hue);
        std::vector<M_WORD> pixels;
        for (int y = ay - 80; y < ay + 40; ++y)
            for (int x = ax - 32; x < ax + 32; ++x) pixels.push_back(HitTestSitting(m, x, y));
        return pixels;
    };
    const std::vector<M_WORD> plain = pose(0);
    EXPECT_NE(pose(38), plain) << "a hue of the table";
    EXPECT_EQ(pose(0x3FFF), plain) << "beyond the table";
    EXPECT_EQ(pose(0x4005), plain) << "the darkening bit makes no hue of it";
    EXPECT_EQ(pose(0x8000), plain) << "grey parts, no hue";
}

TEST_F(Sitting, PickingFindsTheSitterWhereItsPoseShowsAndTheChairOrLandElsewhere) {
    PlacePlayer(sample::kChairs.x, sample::kChairs.y - 3);
    CMobile* man = Place(0x100, sample::kMaleBody, kWestChairX, kChairY, 0, 0);
    ASSERT_TRUE(IsSitting(man));
    Paint();
    const RECT r = man->rect;
    int ax, ay;
    DrawManager::GetAnchorPoint(man, &ax, &ay);
    // Scan the sitter's rectangle down to its foot line (below it the land
    // of the cells in front is drawn later, and found first): where the pose
    // has a pixel the sitter is found; where it has none, what lies behind.
    int sitter = 0, through = 0;
    for (int wy = r.top; wy < ay; wy += 2)
        for (int wx = r.left; wx < r.right; wx += 2) {
            CDrawItem* found =
                DrawManager::GetItemAtScreenPoint(wx - g_viewOffsetX, wy - g_viewOffsetY, FALSE);
            const bool pose = HitTestSitting(man, wx, wy) != 0;
            if (pose) {
                ++sitter;
                EXPECT_TRUE(found == man)
                    << "a pose pixel at " << wx - r.left << "," << wy - r.top << ": found "
                    << (found ? found->locX : -1) << "," << (found ? found->locY : -1) << " "
                    << (found && found->IsTerrain() ? "land" : "");
            } else {
                ++through;
                EXPECT_NE(found, man) << "a hole at " << wx << "," << wy;
            }
        }
    EXPECT_GT(sitter, 100);
    EXPECT_GT(through, 100);
    // The seated frame's head (its middle 70 rows over the anchor, a
    // column left of it) comes down by 26 rows and 3 columns toward the
    // west.
    EXPECT_EQ(HitTestSitting(man, ax - 1, ay - 70), 0);
    EXPECT_NE(HitTestSitting(man, ax - 4, ay - 70 + 26), 0);

    // Chosen points: the sitter's head, where a standing head would be,
    // the chair's front leg beside the sitter, the land beside the chair.
    CDrawItem* chair = nullptr;
    for (CDrawItem* i = DrawMapThingie::table[kChairY & 63][kWestChairX & 63]; i; i = i->next)
        if (i->IsObj() && static_cast<CObj*>(i)->objectType == sample::kChairWest) chair = i;
    ASSERT_NE(chair, nullptr);
    const RECT c = chair->rect;
    struct Row {
        const char* what;
        int wx, wy;
        CDrawItem* expected;  // null: the land
    } rows[] = {
        {"the sitter's head", ax - 4, ay - 44, man},
        {"a standing head's place", ax - 1, ay - 70, nullptr},
        {"the chair's front leg", c.left + 25, c.top + 40, chair},
        {"beside the chair", c.right + 4, c.top + 40, nullptr},
    };
    for (const Row& row : rows) {
        CDrawItem* found = DrawManager::GetItemAtScreenPoint(row.wx - g_viewOffsetX,
                                                             row.wy - g_viewOffsetY, FALSE);
        if (row.expected)
            EXPECT_EQ(found, row.expected) << row.what;
        else
            EXPECT_TRUE(found && found->IsTerrain()) << row.what;
    }
}

}  // namespace

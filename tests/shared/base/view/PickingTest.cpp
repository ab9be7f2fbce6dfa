// Picking over the sample world: the item, mobile, corpse or land cell
// under chosen points of the play area, with transparent pixels falling
// through to what lies below or behind.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ViewTestSupport.h"
#include "view/DrawManager.h"
#include "view/WorldView.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"
#include "world/Player.h"
#include "world/Terrain.h"

namespace {

namespace sample = tw::datafiles::sample;

struct POINT {
    int x;
    int y;
};

class Picking : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        StartSampleWorld();
        UseBackBuffer(640, 480, 640, 480, true);
        player = PlacePlayer(sample::kByTheFire.x, sample::kByTheFire.y);
        const int x = player->locX, y = player->locY, z = player->z;
        CObjectManager::HandleMove(0x40000010, sample::kCrate, 0, 1, x - 4, y, z, 0, 0, 0);
        crate = CObjectManager::FindObject(0x40000010);
        CObjectManager::HandleMove(0x40000011, CORPSE_OBJ, 0, sample::kCreatureBody, x - 2, y + 3,
                                   z, 6, 0, 0);
        corpse = CObjectManager::FindObject(0x40000011);
        CObjectManager::HandleMove(0x100, sample::kMaleBody, 0, 0, x + 3, y + 3, z, 4, 0, 0);
        man = CObjectManager::FindObject(0x100);
        Paint();
    }
    // A play-area point from a world point.
    static POINT Screen(int wx, int wy) { return POINT{wx - g_viewOffsetX, wy - g_viewOffsetY}; }
    // What a found item is, for a failure's message.
    static std::string Describe(CDrawItem* item) {
        if (!item) return "nothing";
        std::string kind = item->IsTerrain() ? "land"
                           : item->IsObj()
                               ? "object " + std::to_string(static_cast<CObj*>(item)->objectType)
                               : "item";
        return kind + " at " + std::to_string(item->locX) + "," + std::to_string(item->locY) + "," +
               std::to_string(item->z);
    }
    static CDrawItem* LandAt(int x, int y) {
        for (CDrawItem* i = DrawMapThingie::table[y & 63][x & 63]; i; i = i->next)
            if (i->IsTerrain()) return i;
        return nullptr;
    }

    CPlayer* player = nullptr;
    CDynamicObj* crate = nullptr;
    CDynamicObj* corpse = nullptr;
    CDynamicObj* man = nullptr;
};

TEST_F(Picking, FindsWhatShowsItsPixelsAtThePoint) {
    auto anchor = [](CDrawItem* item) {
        int x, y;
        DrawManager::GetAnchorPoint(item, &x, &y);
        return POINT{x, y};
    };
    auto isLand = [](CDrawItem* item) { return item && item->IsTerrain(); };
    const POINT p = anchor(player), m = anchor(man);
    // A corpse lies on its foot line, in the middle of its frame.
    const POINT c{(corpse->rect.left + corpse->rect.right) / 2, corpse->rect.bottom - 7};
    const RECT& box = crate->rect;
    struct Case {
        const char* what;
        POINT world;
        BOOL skipTerrain;
        std::function<bool(CDrawItem*)> expected;
    } cases[] = {
        {"the player's chest", {p.x, p.y - 30}, FALSE, [&](CDrawItem* i) { return i == player; }},
        {"the man's head", {m.x, m.y - 55}, FALSE, [&](CDrawItem* i) { return i == man; }},
        {"a hole beside the man's head: the land behind", {m.x - 11, m.y - 61}, FALSE, isLand},
        {"the same hole with land skipped",
         {m.x - 11, m.y - 61},
         TRUE,
         [](CDrawItem* i) { return i == nullptr; }},
        {"the crate's middle",
         {(box.left + box.right) / 2, (box.top + box.bottom) / 2},
         FALSE,
         [&](CDrawItem* i) { return i == crate; }},
        {"the crate's transparent top-left corner: land", {box.left, box.top}, FALSE, isLand},
        {"the corpse", {c.x, c.y}, FALSE, [&](CDrawItem* i) { return i == corpse; }},
        {"bare land", {p.x - 120, p.y + 60}, FALSE, isLand},
        {"bare land with land skipped",
         {p.x - 120, p.y + 60},
         TRUE,
         [](CDrawItem* i) { return i == nullptr; }},
    };
    for (const Case& k : cases) {
        const POINT s = Screen(k.world.x, k.world.y);
        CDrawItem* found = DrawManager::GetItemAtScreenPoint(s.x, s.y, k.skipTerrain);
        EXPECT_TRUE(k.expected(found)) << k.what << ": found " << Describe(found);
    }
}

TEST_F(Picking, LandIsHitInsideItsDiamondAndFallsThroughOutsideIt) {
    CDrawItem* cell = LandAt(player->locX - 3, player->locY + 1);
    ASSERT_NE(cell, nullptr);
    const RECT r = cell->rect;
    auto pick = [](int wx, int wy) {
        return DrawManager::GetItemAtScreenPoint(wx - g_viewOffsetX, wy - g_viewOffsetY, FALSE);
    };
    EXPECT_EQ(pick(r.left + 22, r.top + 22), cell) << "the middle";
    EXPECT_EQ(pick(r.left + 1, r.top + 21), cell) << "the left tip (dx + dy = 22)";
    EXPECT_NE(pick(r.left + 1, r.top + 2), cell) << "the top-left corner is outside";
    EXPECT_NE(pick(r.left + 43, r.top + 2), cell) << "the top-right corner is outside";
    // The land nearest the point among those whose rectangle holds it.
    EXPECT_EQ(DrawManager::GetTerrainAtScreenPoint(r.left + 22 - g_viewOffsetX,
                                                   r.top + 22 - g_viewOffsetY),
              cell);
    EXPECT_EQ(DrawManager::GetTerrainAtScreenPoint(-5000, -5000), nullptr);
}

TEST_F(Picking, RightAndBottomEdgesDoNotHitAndHiddenObjectsAreNotPicked) {
    const RECT r = crate->rect;
    const POINT inside = Screen((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ASSERT_EQ(DrawManager::GetItemAtScreenPoint(inside.x, inside.y, TRUE), crate);
    const POINT right = Screen(r.right, (r.top + r.bottom) / 2);
    EXPECT_NE(DrawManager::GetItemAtScreenPoint(right.x, right.y, TRUE), crate);
    const POINT bottom = Screen((r.left + r.right) / 2, r.bottom);
    EXPECT_NE(DrawManager::GetItemAtScreenPoint(bottom.x, bottom.y, TRUE), crate);
    // Hidden from all but the one body that sees the hidden.
    crate->statusFlags |= 0x80;
    EXPECT_NE(DrawManager::GetItemAtScreenPoint(inside.x, inside.y, TRUE), crate);
    player->objectType = 987;
    EXPECT_EQ(DrawManager::GetItemAtScreenPoint(inside.x, inside.y, TRUE), crate);
}

}  // namespace

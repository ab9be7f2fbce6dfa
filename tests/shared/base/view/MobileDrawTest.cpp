// Mobiles, the player and corpses drawn from their animation frames over
// the sample world: dressed humans of both sexes in all eight directions,
// a hued creature, corpses, and the rectangles and layer order behind them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "gumps/MouseManager.h"
#include "net/TargetState.h"
#include "support/doubles/RecordingGumps.h"
#include "view/AnimFrames.h"
#include "view/DrawManager.h"
#include "view/Missile.h"
#include "view/WorldView.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

namespace sample = tw::datafiles::sample;

class MobileDraw : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        StartSampleWorld();
        UseBackBuffer(640, 480, 640, 480, true);
    }
    // A mobile placed by the server at a cell next to the player.
    CMobile* Place(M_DWORD serial, int body, int dx, int dy, int direction, int hue = 0) {
        const int x = pPlayerObject->locX + dx, y = pPlayerObject->locY + dy;
        CObjectManager::HandleMove(serial, body, 0, 0, x, y, pPlayerObject->z, direction, hue, 0);
        return static_cast<CMobile*>(CObjectManager::FindObject(serial));
    }
    // Dresses a human: hair, a hued shirt, pants.
    void Dress(CMobile* m, M_DWORD serial, int shirtHue) {
        struct {
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

TEST_F(MobileDraw, DressedHumansOfBothSexesInAllEightDirections) {
    PlacePlayer(sample::kByTheFire.x, sample::kByTheFire.y);
    // Two rows across the screen, men above the player (who stands
    // undressed in the middle) and women below, direction 0 on the left.
    for (int d = 0; d < 8; ++d) {
        CMobile* man = Place(0x100 + d, sample::kMaleBody, d - 8, 2 - d, d, 2186);
        Dress(man, 0x40001000 + 0x10 * d, 0);
        CMobile* woman = Place(0x200 + d, sample::kFemaleBody, d - 2, 6 - d, d, 2176);
        Dress(woman, 0x40002000 + 0x10 * d, 38);
    }
    Paint();
    EXPECT_TRUE(tw::test::MatchesGolden(PlayArea(), "shared/base/view/golden/figures_dressed.png"));
}

TEST_F(MobileDraw, AHuedCreatureAndCorpsesLieWhereTheyFell) {
    PlacePlayer(sample::kByTheFire.x, sample::kByTheFire.y);
    Place(0x300, sample::kCreatureBody, -3, -5, 5, 2250);
    Place(0x301, sample::kCreatureBody, -3, 1, 1);
    // A human corpse still wearing its shirt, and a creature's.
    CObjectManager::HandleMove(0x40003000, CORPSE_OBJ, 0, sample::kMaleBody,
                               pPlayerObject->locX + 3, pPlayerObject->locY + 2, pPlayerObject->z,
                               3, 0, 0);
    auto* corpse = static_cast<CCorpse*>(CObjectManager::FindObject(0x40003000));
    ASSERT_NE(corpse, nullptr);
    CObjectManager::HandleAddToContainer(0x40003001, sample::kShirt, 0, 1, 0, 0, 0x40003000, 38);
    corpse->RemoveFromDrawList();
    corpse->SetLayerSerial(5, 0x40003001);
    corpse->AddToDrawList();
    CObjectManager::HandleMove(0x40003002, CORPSE_OBJ, 0, sample::kCreatureBody,
                               pPlayerObject->locX - 2, pPlayerObject->locY + 3, pPlayerObject->z,
                               0x80 | 6, 0, 0);
    Paint();
    EXPECT_TRUE(
        tw::test::MatchesGolden(PlayArea(), "shared/base/view/golden/creature_corpses.png"));
}

TEST_F(MobileDraw, ACoveredLayerIsLeftOut) {
    PlacePlayer(sample::kByTheFire.x, sample::kByTheFire.y);
    CMobile* m = Place(0x100, sample::kMaleBody, -3, 0, 4);
    Paint();
    const tw::test::Image16 bare = PlayArea();
    // Pants on layer 4 under a cloak on layer 24 (the cloak has no figure).
    m->RemoveFromDrawList();
    (new CItemObj(0x40001000, sample::kPants, 0, TRUE))->ToEquipped(m, 4);
    m->AddToDrawList();
    Paint();
    EXPECT_NE(PlayArea().pixels, bare.pixels) << "the pants show";
    m->RemoveFromDrawList();
    (new CItemObj(0x40001001, sample::kCrate, 0, TRUE))->ToEquipped(m, 24);
    m->AddToDrawList();
    Paint();
    EXPECT_EQ(PlayArea().pixels, bare.pixels) << "the cloak covers the pants";
}

TEST_F(MobileDraw, TheRectangleHoldsBodyShadowAndWornFiguresAndAFrameLessBodyIsAPoint) {
    PlacePlayer(sample::kHillside.x, sample::kHillside.y);
    CMobile* m = Place(0x100, sample::kMaleBody, 1, 1, 4);
    int ax, ay;
    DrawManager::GetAnchorPoint(m, &ax, &ay);
    // The standing figure: 24 x 62 with its feet on the anchor, its shadow
    // sheared over half its height to the right.
    EXPECT_EQ(m->rect.left, ax - 12);
    EXPECT_EQ(m->rect.right, ax + 12 + 62 / 2);
    EXPECT_EQ(m->rect.top, ay - 62);
    EXPECT_EQ(m->rect.bottom, ay);
    EXPECT_EQ(m->animFrameCount, 1);
    // The bounding rectangle leaves the shadow out.
    RECT bound;
    DrawManager::CalcBoundRect(m, &bound);
    EXPECT_EQ(bound.left, ax - 12);
    EXPECT_EQ(bound.right, ax + 12);
    EXPECT_EQ(bound.top, ay - 62);
    EXPECT_EQ(bound.bottom, ay);
    // A body with no animation shows nothing: its rectangle is its anchor.
    CMobile* none = Place(0x101, 300, 2, 2, 4);
    DrawManager::GetAnchorPoint(none, &ax, &ay);
    EXPECT_EQ(none->rect.left, ax);
    EXPECT_EQ(none->rect.right, ax);
    EXPECT_EQ(none->rect.top, ay);
    EXPECT_EQ(none->rect.bottom, ay);
    // Bodies above 999 are never drawn.
    CMobile* big = Place(0x102, 1200, 3, 3, 4);
    EXPECT_EQ(big->rect.left, big->rect.right);
}

TEST_F(MobileDraw, EffectsOnAMobileSitOverItsMiddleGrowItsRectangleAndLeaveNoTrail) {
    PlacePlayer(sample::kByTheFire.x, sample::kByTheFire.y);
    CMobile* creature = Place(0x300, sample::kCreatureBody, -3, 1, 1);
    CMobile* man = Place(0x301, sample::kMaleBody, 1, 3, 2);
    Dress(man, 0x40001000, 0);
    Paint();
    const tw::test::Image16 bare = PlayArea();
    const RECT creatureRect = creature->rect, manRect = man->rect;

    // A tree wider and taller than the creature; a hued crate turned an
    // eighth of a circle over the man.
    auto* tree = new CMissileGump(creature, sample::kTree, 10, 0, 0, 0);
    auto* crate = new CMissileGump(man, sample::kCrate, 10, 0, 0, 0, 38);
    crate->direction = 32;
    creature->RemoveFromDrawList();
    creature->AddToDrawList();
    man->RemoveFromDrawList();
    man->AddToDrawList();
    Paint();
    EXPECT_TRUE(tw::test::MatchesGolden(PlayArea(), "shared/base/view/golden/effects_on_mobiles.png"));

    // The rectangle grew evenly about its middle by the recorded margins.
    const RECT& r = creature->rect;
    EXPECT_GT(creature->effectMarginX, 0);
    EXPECT_GT(creature->effectMarginY, 0);
    EXPECT_EQ(r.left, creatureRect.left - creature->effectMarginX);
    EXPECT_EQ(r.right, creatureRect.right + creature->effectMarginX);
    EXPECT_EQ(r.top, creatureRect.top - creature->effectMarginY);
    EXPECT_EQ(r.bottom, creatureRect.bottom + creature->effectMarginY);
    // The man's turned crate needs more than the upright crate's size.
    EXPECT_GE(man->rect.right - man->rect.left, manRect.right - manRect.left);

    // When the effects end, every pixel they drew is painted over again.
    delete tree;
    delete crate;
    EXPECT_EQ(creature->attachedEffects, nullptr);
    Paint();
    EXPECT_EQ(creature->rect.left, creatureRect.left);
    EXPECT_EQ(creature->effectMarginX, 0);
    EXPECT_EQ(PlayArea().pixels, bare.pixels);
}

TEST_F(MobileDraw, AnEffectOnAMobileWhoseArtIsMissingIsLeftOutWithOneLogLine) {
    PlacePlayer(sample::kByTheFire.x, sample::kByTheFire.y);
    CMobile* creature = Place(0x300, sample::kCreatureBody, -3, 1, 1);
    Paint();
    const tw::test::Image16 bare = PlayArea();
    const RECT before = creature->rect;
    auto* missing = new CMissileGump(creature, 0x3FF0, 10, 0, 0, 0);
    for (int frame = 0; frame < 3; ++frame) {
        creature->RemoveFromDrawList();
        creature->AddToDrawList();
        Paint();
    }
    EXPECT_EQ(creature->rect.left, before.left);
    EXPECT_EQ(creature->rect.top, before.top);
    EXPECT_EQ(PlayArea().pixels, bare.pixels);
    const std::string log = ReportLog();
    const std::string line = "the art 16368 of an effect on a mobile is missing.";
    ASSERT_NE(log.find(line), std::string::npos) << log;
    EXPECT_EQ(log.find(line), log.rfind(line)) << "said once";
    delete missing;
}

TEST_F(MobileDraw, TheServersTargetAndTheHighlightedCreatureAtWarShowTheirNotorietyHue) {
    // The cursor takes the target shape only in the world.
    tw::doubles::RecordingGumpHooks session;
    session.inWorld = TRUE;
    PlacePlayer(sample::kByTheFire.x, sample::kByTheFire.y);
    CMobile* m = Place(0x100, sample::kMaleBody, -2, 1, 4, 2186);
    m->stateValue = 1;  // notoriety hue 89
    // The mobile's own rectangle (the player changes its stance at war).
    auto picture = [&] {
        InvalidateScreen();
        Paint();
        const tw::test::Image16 all = PlayArea();
        std::vector<M_WORD> figure;
        for (int y = m->rect.top; y < m->rect.bottom; ++y)
            for (int x = m->rect.left; x < m->rect.right; ++x)
                figure.push_back(all.pixels[static_cast<size_t>(y - g_viewOffsetY) * all.width +
                                            (x - g_viewOffsetX)]);
        return figure;
    };
    const auto own = picture();
    m->hue = 89;
    const auto notoriety = picture();
    m->hue = 2186;
    ASSERT_NE(own, notoriety);
    struct Case {
        const char* what;
        bool serverTarget, highlighted, war, targetCursor;
        bool forced;
    } cases[] = {
        {"the server's target", true, false, false, false, true},
        {"highlighted at war", false, true, true, false, true},
        {"highlighted while targeting", false, true, false, true, true},
        {"highlighted in peace", false, true, false, false, false},
        {"at war but not highlighted", false, false, true, false, false},
    };
    for (const Case& c : cases) {
        g_serverTargetSerial = c.serverTarget ? 0x100 : 0;
        g_onMobileSerial = c.highlighted ? 0x100 : 0;
        pPlayerObject->SetWarModeFlag(c.war);
        MouseManager::SetCursorType(c.targetCursor ? 19 : 0);
        EXPECT_EQ(picture(), c.forced ? notoriety : own) << c.what;
    }
    g_serverTargetSerial = 0;
    g_onMobileSerial = 0;
    MouseManager::SetCursorType(0);
}

}  // namespace

// The gump manager: finding and opening gumps, modal routing, activation,
// the walks that survive gumps closing themselves and their neighbours, and
// the container tables.
#include <string>
#include <vector>

#include "Clock.h"
#include "GumpTestSupport.h"
#include "config/Config.h"
#include "gumps/GumpHandle.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "world/Mobile.h"
#include "world/Obj.h"

namespace {

using tw::test::ClosedGumps;
using tw::test::TestGump;

class GumpManagerTest : public tw::test::GumpTest {
protected:
    CMobile* NewMobile(M_DWORD serial) { return new CMobile(serial, 400, 0); }
};

TEST_F(GumpManagerTest, FindGumpTakesTheFirstGumpOfTheFiveRules) {
    CMobile* mobile = NewMobile(1);
    auto* bag = new CContainerObj(0x40000002, 0x0E75, 0, TRUE);
    auto* item = new CItemObj(0x40000003, 0x0F00, 0, TRUE);
    auto gumpFor = [&](CObj* owner, auto kind, CGump* parent = nullptr) {
        TestGump* g = Open(0, 0, 10, 10, parent);
        g->owner = owner;
        kind(g);
        return g;
    };
    TestGump* stack = gumpFor(item, [](TestGump* g) { g->stack = TRUE; });
    TestGump* bagWindow = gumpFor(bag, [](TestGump* g) { g->container = TRUE; });
    TestGump* paperdoll = gumpFor(mobile, [](TestGump* g) { g->paperdoll = TRUE; });
    TestGump* status = gumpFor(mobile, [](TestGump* g) { g->status = TRUE; });
    // A shop window inside another gump: found by descending.
    TestGump* holder = Open(0, 0, 50, 50);
    TestGump* shop = gumpFor(
        mobile, [](TestGump* g) { g->shop = TRUE; }, holder);
    gumpFor(bag, [](TestGump* g) { g->paperdoll = TRUE; });

    struct {
        const char* what;
        CObj* object;
        BOOL paperdoll, shop;
        CGump* expected;
    } const cases[] = {
        {"1: a stack gump of the object", item, FALSE, FALSE, stack},
        {"1: whatever is wanted", item, TRUE, TRUE, stack},
        {"2: a container's window", bag, FALSE, FALSE, bagWindow},
        {"2: not when a paperdoll is wanted", bag, TRUE, FALSE, nullptr},
        {"3: a mobile's paperdoll", mobile, TRUE, FALSE, paperdoll},
        {"4: a mobile's shop, among children", mobile, FALSE, TRUE, shop},
        {"5: neither paperdoll nor shop", mobile, FALSE, FALSE, status},
        {"no object", nullptr, FALSE, FALSE, nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CGumpManager::FindGump(c.object, c.paperdoll, c.shop, g_gumpList), c.expected)
            << c.what;
}

TEST_F(GumpManagerTest, OpenGumpRaisesTheOpenPaperdollButMakesAShopBesideIt) {
    CMobile* mobile = NewMobile(1);
    CGump* paperdoll = CGumpManager::OpenGump(mobile, 10, nullptr, 0);
    ASSERT_NE(paperdoll, nullptr);
    Open(0, 0, 10, 10);  // something in front of it
    paperdoll->minimized = TRUE;
    EXPECT_EQ(CGumpManager::OpenGump(mobile, 10, nullptr, 0), paperdoll);
    EXPECT_EQ(g_gumpList, paperdoll);
    EXPECT_FALSE(paperdoll->minimized) << "restored";
    CGump* shop = CGumpManager::OpenGump(mobile, 48, nullptr, 0);
    ASSERT_NE(shop, nullptr);
    EXPECT_NE(shop, paperdoll);
    EXPECT_EQ(doubles.calls, (std::vector<std::string>{"CreatePaperdollGump 640 0",
                                                       "CreateShopGump 150 5"}));
    // A second shop for another mobile replaces the first.
    CGumpManager::OpenGump(NewMobile(2), 48, nullptr, 0);
    EXPECT_EQ(ClosedGumps(), std::vector<std::string>{"shop gump"});
    int shops = 0;
    for (CGump* g = g_gumpList; g; g = g->next) shops += g->IsShopGump();
    EXPECT_EQ(shops, 1);
}

TEST_F(GumpManagerTest, OpenGumpRefusesEveryObjectIdWithoutAnObject) {
    for (int id : {8, 10, 48, 49}) {
        EXPECT_EQ(CGumpManager::OpenGump(nullptr, id, nullptr, 0), nullptr) << id;
    }
    EXPECT_EQ(CGumpManager::OpenGump(nullptr, 60, nullptr, 1), nullptr) << "a container";
    EXPECT_TRUE(doubles.calls.empty());
    EXPECT_NE(ReportLog().find("CGumpManager::OpenGump, case '48': Prevented client crash by not "
                               "calling 'NEW CShopGump(150, 5, pObj);' when pObj==NULL. Return "
                               "value will also be NULL."),
              std::string::npos);
}

TEST_F(GumpManagerTest, ContainersStaggerAndStartAgainNearTheEdge) {
    tw::test::InstallGumpArt({{60, tw::datafiles::Image(100, 80, 0x1234)}});
    M_DWORD serial = 0x40001000;
    auto open = [&] {
        CGump* g =
            CGumpManager::OpenGump(new CContainerObj(++serial, 0x0E75, 0, TRUE), 60, nullptr, 1);
        EXPECT_NE(g, nullptr);
        EXPECT_EQ(g->width, 100);
        return g ? std::pair<int, int>{g->x, g->y} : std::pair<int, int>{-1, -1};
    };
    OffsetGumps = TRUE;
    EXPECT_EQ(open(), (std::pair<int, int>{32, 32}));
    EXPECT_EQ(open(), (std::pair<int, int>{48, 48}));
    EXPECT_EQ(open(), (std::pair<int, int>{64, 64}));
    // A window that would come within 16 pixels of an edge starts at 16 on
    // that axis: 526 + 100 reaches 640 - 16.
    CGumpManager::containerStaggerX = 510;
    CGumpManager::containerStaggerY = 100;
    EXPECT_EQ(open(), (std::pair<int, int>{16, 116}));
    CGumpManager::containerStaggerX = 507;
    CGumpManager::containerStaggerY = 507 - 160;
    EXPECT_EQ(open(), (std::pair<int, int>{523, 363})) << "one pixel short of the edge";
    UseScreen(800, 600);
    CGumpManager::containerStaggerX = 600;
    EXPECT_EQ(open().first, 616) << "the real screen's width counts";
    OffsetGumps = FALSE;
    EXPECT_EQ(open(), (std::pair<int, int>{800 - 100 - 10, 10}));
}

TEST_F(GumpManagerTest, SingleGumpsAreReusedOrReplaced) {
    CGump* text = CGumpManager::OpenGump(nullptr, 7, nullptr, 0);
    EXPECT_EQ(CGumpManager::OpenGump(nullptr, 7, nullptr, 0), text);
    CGump* radar = CGumpManager::OpenGump(nullptr, 5010, nullptr, 0);
    ASSERT_EQ(CGumpManager::radarGump, radar);
    CGump* again = CGumpManager::OpenGump(nullptr, 5010, nullptr, 0);
    EXPECT_EQ(CGumpManager::radarGump, again);
    EXPECT_EQ(ClosedGumps(), std::vector<std::string>{"radar gump"});
    EXPECT_EQ(doubles.calls,
              (std::vector<std::string>{"CreateTextGump 0 0", "CreateRadarGump 5010 0 0",
                                        "CreateRadarGump 5011 0 0"}));
    // The options window needs its art.
    tw::test::StderrCapture err;
    EXPECT_EQ(CGumpManager::OpenGump(nullptr, 5000, nullptr, 0), nullptr);
    EXPECT_NE(err.text().find("Error: Missing ClientCfg GUMP art!"), std::string::npos);
}

TEST_F(GumpManagerTest, AModalGumpTakesTheMouseFromEveryOtherGump) {
    TestGump* back = Open(0, 0, 200, 200);
    back->Fill(1);
    TestGump* modal = Open(300, 300, 50, 50);
    modal->Fill(1);
    TestGump* sibling = Open(0, 0, 100, 100);
    sibling->Fill(1);
    CGumpManager::modalGump = modal;
    EXPECT_EQ(CGumpManager::GetGumpAt(10, 10, nullptr, 0), nullptr);
    EXPECT_EQ(CGumpManager::GetGumpAt(310, 310, nullptr, 0), modal);
    CGumpManager::modalGump = nullptr;
    EXPECT_EQ(CGumpManager::GetGumpAt(10, 10, nullptr, 0), sibling);
    EXPECT_EQ(CGumpManager::GetGumpAt(150, 150, nullptr, 0), back);
    EXPECT_EQ(CGumpManager::GetGumpAt(150, 150, back, 0), nullptr) << "excluded";
    // With the flag, speech is taken only over a mobile or a corpse.
    TestGump* speech = Open(140, 140, 20, 20);
    speech->Fill(1);
    speech->bark = TRUE;
    EXPECT_EQ(CGumpManager::GetGumpAt(150, 150, nullptr, 1), back);
    speech->owner = NewMobile(5);
    EXPECT_EQ(CGumpManager::GetGumpAt(150, 150, nullptr, 1), speech);
}

TEST_F(GumpManagerTest, DeactivationCommitsUnlessClosingAndRebuildsThePromptInTheWorld) {
    TestGump* a = Open(0, 0, 10, 10);
    TestGump* b = Open(0, 0, 10, 10);
    CGumpManager::SetActiveGump(a);
    EXPECT_EQ(doubles.prompts, 1);
    CGumpManager::SetActiveGump(b);
    EXPECT_EQ(a->deactivations, 1);
    EXPECT_EQ(doubles.prompts, 2) << "set; the deactivation is outside the world";
    doubles.inWorld = TRUE;
    g_gumpTeardown = TRUE;
    CGumpManager::DeactivateGump();
    g_gumpTeardown = FALSE;
    EXPECT_EQ(b->deactivations, 0);
    EXPECT_EQ(doubles.prompts, 3);
    EXPECT_EQ(g_focusGump, nullptr);
}

// Gumps that close themselves and their next sibling inside a handler: run
// under AddressSanitizer, any use of a closed gump fails the test.
TEST_F(GumpManagerTest, UpdateSurvivesGumpsClosingThemselvesAndTheirNeighbours) {
    TestGump* last = Open(0, 0, 10, 10, nullptr, "last");
    TestGump* next = Open(0, 0, 10, 10, nullptr, "next");
    TestGump* closer = Open(0, 0, 10, 10, nullptr, "closer");
    TestGump* first = Open(0, 0, 10, 10, nullptr, "first");
    int updatedLast = 0;
    last->onUpdate = [&](TestGump*) { ++updatedLast; };
    closer->onUpdate = [next](TestGump* self) {
        delete next;
        delete self;
    };
    first->onUpdate = [](TestGump*) {};
    CGumpManager::Update();
    EXPECT_EQ(ClosedGumps(), (std::vector<std::string>{"next", "closer"}));
    EXPECT_EQ(updatedLast, 1);
    EXPECT_EQ(g_gumpList->next, last);

    // The radar may close itself in its update: no blink follows.
    TestGump* radar = Open(0, 0, 10, 10, nullptr, "radar");
    CGumpManager::radarGump = radar;
    CGumpManager::Update();
    EXPECT_EQ(radar->radarUpdates, 1);
    EXPECT_EQ(radar->radarBlinks, 1);
}

TEST_F(GumpManagerTest, AMouseEventMayCloseTheGumpAndItsNeighbour) {
    TestGump* neighbour = Open(0, 0, 100, 100, nullptr, "neighbour");
    TestGump* target = Open(0, 0, 50, 50, nullptr, "target");
    target->Fill(1);
    target->onLButtonDown = [neighbour](TestGump* self) {
        delete neighbour;
        delete self;
    };
    // What the mouse dispatch does: the gump under the pointer gets the
    // button, then a tick, held in a handle between the two.
    GumpHandle hovered(CGumpManager::GetGumpAt(10, 10, nullptr, 0));
    ASSERT_EQ(hovered.get(), target);
    hovered.get()->HandleLButtonDown(10, 10);
    ASSERT_FALSE(hovered);
    if (hovered) hovered.get()->Tick();
    EXPECT_EQ(g_gumpList, nullptr);
    EXPECT_EQ(ClosedGumps(), (std::vector<std::string>{"neighbour", "target"}));
}

TEST_F(GumpManagerTest, GroupClosesKeepWhatTheyMustAndSurviveChainedCloses) {
    TestGump* map = Open(0, 0, 10, 10, nullptr, "map");
    map->map = TRUE;
    map->disposable = FALSE;
    TestGump* kept = Open(0, 0, 10, 10, nullptr, "kept");
    kept->disposable = FALSE;
    TestGump* owned = Open(0, 0, 10, 10, nullptr, "owned");
    TestGump* owner = Open(0, 0, 10, 10, nullptr, "owner");
    owner->onClose = [owned] { delete owned; };
    TestGump* missile = Open(0, 0, 10, 10, nullptr, "missile");
    missile->missile = TRUE;
    missile->disposable = FALSE;
    CGumpManager::CloseFlaggedGumps();
    EXPECT_EQ(ClosedGumps(), (std::vector<std::string>{"owner", "owned"}));
    CGumpManager::CloseAllMissiles();
    EXPECT_EQ(ClosedGumps().back(), "missile");
    CGumpManager::CloseAllGumps();
    EXPECT_EQ(ClosedGumps().back(), "kept");
    EXPECT_EQ(g_gumpList, map);
    EXPECT_EQ(doubles.calls.back(), "ResetScroll");
}

TEST_F(GumpManagerTest, SpeechClosesWhenItsTimeIsUp) {
    static M_DWORD now = 1000;
    SetTimeSourceForTests([] { return now; });
    TestGump* old = Open(0, 0, 10, 10, nullptr, "old");
    old->bark = TRUE;
    old->expires = 900;
    TestGump* fresh = Open(0, 0, 10, 10, nullptr, "fresh");
    fresh->bark = TRUE;
    fresh->expires = 5000;
    CGumpManager::UpdateBarks();
    SetTimeSourceForTests(nullptr);
    EXPECT_EQ(ClosedGumps(), std::vector<std::string>{"old"});
    EXPECT_EQ(g_gumpList, fresh);
}

TEST_F(GumpManagerTest, TheArrowIsMadeOnceThenPointedAndHidden) {
    CGumpManager::SetArrow(100, 200, TRUE);
    auto* arrow = static_cast<TestGump*>(CGumpManager::arrowGump);
    ASSERT_NE(arrow, nullptr);
    EXPECT_TRUE(arrow->visible);
    CGumpManager::SetArrow(300, 400, TRUE);
    EXPECT_EQ(arrow->target, (std::pair<int, int>{300, 400}));
    CGumpManager::SetArrow(0, 0, FALSE);
    EXPECT_FALSE(arrow->visible);
    EXPECT_EQ(CGumpManager::arrowGump, arrow);
}

TEST_F(GumpManagerTest, MessageBoxesAreModalAndMailOpensAtItsPlace) {
    TestGump* parent = Open(0, 0, 10, 10);
    CWaitingGump* box = CGumpManager::OpenWaitingGump("Connection lost", parent, 1, 0, 0);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(CGumpManager::modalGump, box);
    EXPECT_EQ(box->ownerGump, parent);
    EXPECT_EQ(g_gumpList, box);
    delete parent;
    EXPECT_EQ(box->ownerGump, nullptr);

    CGumpManager::OpenMailGump();
    EXPECT_EQ(doubles.calls.back(), "CreateMailGump 120 90");
    CGumpManager::mailPlace = SavedWindowPlace{5, 6, 300, 200, TRUE};
    delete CGumpManager::pMailGump;
    CGumpManager::OpenMailGump();
    EXPECT_EQ(doubles.calls.back(), "CreateMailGump 5 6");
    EXPECT_TRUE(CGumpManager::pMailGump->minimized);
}

TEST(ContainerTableTest, GraphicsGiveTheirArtAndArtGivesItsItemArea) {
    struct {
        int graphic, art;
    } const ids[] = {{2480, 60}, {3702, 61},   {6871, 62},   {3706, 63}, {2481, 65}, {3649, 66},
                     {3709, 67}, {3645, 68},   {11000, 71},  {2617, 72}, {3650, 73}, {3708, 74},
                     {3712, 75}, {16057, 76},  {2714, 77},   {2641, 78}, {2643, 79}, {2630, 81},
                     {7774, 82}, {4006, 2330}, {4013, 2350}, {2612, 81}, {1, 9},     {3713, 9}};
    for (const auto& c : ids)
        EXPECT_EQ(CGumpManager::GetContainerGumpId(c.graphic), c.art) << c.graphic;
    struct {
        int art;
        RECT rect;
    } const bounds[] = {{9, {20, 85, 124, 196}},  {7, {30, 30, 270, 170}},
                        {79, {24, 96, 196, 152}}, {2350, {0, 0, 282, 210}},
                        {64, {16, 38, 152, 125}}, {70, {0, 0, 200, 200}}};
    for (const auto& b : bounds) {
        RECT r;
        CGumpManager::GetContainerBounds(b.art, &r);
        EXPECT_EQ(r.left, b.rect.left) << b.art;
        EXPECT_EQ(r.top, b.rect.top) << b.art;
        EXPECT_EQ(r.right, b.rect.right) << b.art;
        EXPECT_EQ(r.bottom, b.rect.bottom) << b.art;
    }
}

}  // namespace

// The play-area gump over the sample world, with a loopback server reading
// what the real connection sends and the clock driven by the test: single
// and double clicks on items, creatures and land in peace and war mode,
// answers to a target cursor, the questions before harmful acts, the drag
// off a creature or an item, walking with the right button and a double
// right click that walks round the house's wall along a found path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Clock.h"
#include "ViewTestSupport.h"
#include "app/App.h"
#include "app/AppServices.h"
#include "comm/BarkGump.h"
#include "config/Config.h"
#include "gumps/ButtonGump.h"
#include "gumps/GumpHooks.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "login/PlayAreaWarnings.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "net/TargetState.h"
#include "net/WorldMessageEvents.h"
#include "resources/GraphicManager.h"
#include "support/LoopbackServer.h"
#include "support/datafiles/ArtFormats.h"
#include "support/datafiles/DataFile.h"
#include "support/doubles/RecordingGumps.h"
#include "view/DrawManager.h"
#include "view/MapGump.h"
#include "view/PlayAreaState.h"
#include "view/WorldView.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"
#include "world/PathManager.h"
#include "world/Player.h"

namespace {

namespace sample = tw::datafiles::sample;
using tw::test::Bytes;

M_DWORD g_now = 0;
M_DWORD FakeNow() {
    return g_now;
}

constexpr M_DWORD kCrate = 0x40000010;
constexpr M_DWORD kCreature = 0x00000100;
constexpr M_BYTE kMarker = 0x5A;

struct Point {
    int x, y;
};

// The target cursor and the questions, recorded.
class RecordingSession final : public PlayAreaSession, public PlayAreaQuestions {
public:
    BOOL targeting = FALSE;
    int kind = 0;
    std::vector<CDrawItem*> answers;
    int ended = 0;
    std::vector<std::string> questions;

    BOOL IsTargeting() override { return targeting; }
    int TargetKind() override { return kind; }
    void AnswerTarget(CDrawItem* picked) override {
        answers.push_back(picked);
        targeting = FALSE;
    }
    void EndTarget() override {
        ++ended;
        targeting = FALSE;
    }
    void AskBeforeTarget(M_DWORD serial) override {
        questions.push_back("target " + std::to_string(serial));
    }
    void AskBeforeAttack(M_DWORD serial, const char* question) override {
        questions.push_back("attack " + std::to_string(serial) + " " + question);
    }
};

// A status gump maker: the status gumps the play area pulls off the map.
class StatusGumps final : public GumpFactory {
public:
    std::vector<CGump*> made;
    CGump* CreateStatusGump(CObj*, int) override {
        CGump* g = new CGump(0, 0, nullptr, nullptr, 1, 40, 20);
        g->name = "status gump";
        made.push_back(g);
        return g;
    }
    CGump* CreateTextGump(int, int) override { return nullptr; }
    CGump* CreatePaperdollGump(int, int, CGump*, CObj*, int, int, int, const char*, int) override {
        return nullptr;
    }
    CGump* CreateShopGump(int, int, CObj*) override { return nullptr; }
    CGump* CreateStackGump(int, int, CObj*) override { return nullptr; }
    CGump* CreateOptionsGump() override { return nullptr; }
    CGump* CreateRadarGump(int, int, int) override { return nullptr; }
    CGump* CreateContainerGump(int, int, CGump*, CObj*, int, int, int, int) override {
        return nullptr;
    }
    CGump* CreatePointGump(int, int, BOOL) override { return nullptr; }
    CGump* CreateGMChatGump(int, int, int, int) override { return nullptr; }
    CGump* CreateHTMLGump(int, int, int, int) override { return nullptr; }
    CGump* CreateMailGump(int, int, int, int) override { return nullptr; }
    std::string HelpChatRequestText() override { return ""; }
    std::string AccountPageAddress() override { return ""; }
    void LoadSkillGroups() override {}

private:
    tw::ScopedService<GumpFactory> factory_{this};
};

class MapGumpTest : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        // After the program's own, which the fixture installs.
        tw::Service<PlayAreaSession>::Install(&session);
        tw::Service<PlayAreaQuestions>::Install(&session);
        WriteWorld(sample::MakeSampleWorld());
        // The yes/no gump's backdrop and buttons, for the questions.
        tw::datafiles::IndexedPair gumps;
        for (int id = 2070; id <= 2076; ++id)
            tw::datafiles::AddGumpArt(gumps, id,
                                      tw::datafiles::Image(id == 2070 ? 160 : 30, 20, 0x1234));
        gumps.write("gumpidx.mul", "gumpart.mul");
        StartServices();
        UseBackBuffer(640, 480, 640, 480, false);
        AllowWindowResize = FALSE;
        playarea::reset();
        MoveManager::reset();
        SetTimeSourceForTests(FakeNow);
        g_now = 5000;
        g_pGameSocket = new CClientSock;
        ASSERT_TRUE(g_pGameSocket->Connect(tw::test::LoopbackServer::kAddress, server.port()));
        ASSERT_TRUE(server.WaitForConnections(1));
        M_DWORD seed = 0;
        ASSERT_TRUE(server.ReadSeed(&seed));
    }
    void TearDown() override {
        while (CGumpManager::modalGump) delete CGumpManager::modalGump;
        delete map;
        GraphicManager::pMapGump = nullptr;
        MouseManager::reset();
        delete g_pGameSocket;
        g_pGameSocket = nullptr;
        SetTimeSourceForTests(nullptr);
        PathManager::reset();
        playarea::reset();
        InstallAppServices();
        InstallPlayAreaWarnings();
        ViewTest::TearDown();
    }
    // The player at a place with a crate and a creature two cells west and
    // east of it, painted, and the play-area gump.
    void StartAt(int x, int y) {
        CPlayer* player = PlacePlayer(x, y);
        CObjectManager::HandleMove(kCrate, sample::kCrate, 0, 1, player->locX - 2, player->locY,
                                   player->z, 0, 0, 0);
        CObjectManager::HandleMove(kCreature, sample::kCreatureBody, 0, 0, player->locX + 2,
                                   player->locY, player->z, 4, 0, 0);
        DrawManager::UpdateRoofCut();
        Paint();
        map = new CMapGump();
        GraphicManager::pMapGump = map;
    }
    // A play-area point where the object shows its pixels.
    static Point PointOn(CDrawItem* item) {
        const RECT r = item->rect;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (DrawManager::GetItemAtScreenPoint(x - g_viewOffsetX, y - g_viewOffsetY,
                                                      FALSE) == item)
                    return Point{x - g_viewOffsetX, y - g_viewOffsetY};
        return Point{-1, -1};
    }
    static Point PointOn(M_DWORD serial) { return PointOn(CObjectManager::FindObject(serial)); }
    // A point whose pick is the land or floor of cell (x, y).
    static Point PointOnCell(int cx, int cy) {
        for (int y = 0; y < 480; y += 2)
            for (int x = 0; x < 640; x += 2) {
                CDrawItem* item = DrawManager::GetItemAtScreenPoint(x, y, FALSE);
                if (item && item->locX == cx && item->locY == cy && !item->IsMobile() &&
                    !(item->IsObj() && item->IsDynamic()))
                    return Point{x, y};
            }
        return Point{-1, -1};
    }
    void Press(Point p, M_DWORD afterMs = 0) {
        g_now += afterMs;
        map->HandleLButtonDown(p.x, p.y);
    }
    void Release(Point p, M_DWORD afterMs = 0) {
        g_now += afterMs;
        map->HandleLButtonUp(p.x, p.y);
    }
    void Tick(M_DWORD afterMs) {
        g_now += afterMs;
        map->Tick();
    }
    // Every message the client sent since the last call: a marker is sent
    // last and the messages before it are returned.
    std::vector<Bytes> Sent() {
        PDSTRUCT marker;
        PacketManager::Build73(&marker, kMarker);
        g_pGameSocket->Write(&marker);
        g_pGameSocket->Poll();
        std::vector<Bytes> sent;
        for (int i = 0; i < 64; ++i) {
            std::vector<Bytes> one = tw::test::PollMessages(server, 1);
            if (one.empty()) break;
            if (one[0] == Bytes{0x73, kMarker}) return sent;
            sent.push_back(one[0]);
        }
        ADD_FAILURE() << "the marker did not arrive";
        return sent;
    }

    static Bytes WithSerial(M_BYTE id, M_DWORD serial) {
        return Bytes{id, M_BYTE(serial >> 24), M_BYTE(serial >> 16), M_BYTE(serial >> 8),
                     M_BYTE(serial)};
    }

    CMapGump* map = nullptr;
    RecordingSession session;
    tw::test::LoopbackServer server;
};

TEST_F(MapGumpTest, ClicksLookUseAndAttackInPeaceAndWarMode) {
    StartAt(sample::kCrossroads.x, sample::kCrossroads.y);
    const Point crate = PointOn(kCrate), creature = PointOn(kCreature);
    const Point player = PointOn(pPlayerObject);
    const Point land = PointOnCell(pPlayerObject->locX, pPlayerObject->locY + 3);
    ASSERT_GE(crate.x, 0);
    ASSERT_GE(creature.x, 0);
    ASSERT_GE(player.x, 0);
    ASSERT_GE(land.x, 0);

    struct Case {
        const char* name;
        Point at;
        bool war;
        int innocent;  // 1: the creature's notoriety is innocent
        bool askFirst;
        bool doubleClick;
        std::vector<Bytes> sent;
        size_t questions;
    };
    const Bytes useCrate = WithSerial(0x06, kCrate);
    const std::vector<Case> cases = {
        {"a click on an item looks at it",
         crate,
         false,
         0,
         true,
         false,
         {WithSerial(0x09, kCrate)},
         0},
        {"a click on a creature looks at it, war or not",
         creature,
         true,
         0,
         true,
         false,
         {WithSerial(0x09, kCreature)},
         0},
        {"a click on land sends nothing", land, false, 0, true, false, {}, 0},
        {"a double click on an item uses it", crate, false, 0, true, true, {useCrate}, 0},
        {"a double click on an item in war uses it too", crate, true, 0, true, true, {useCrate}, 0},
        {"a double click on a creature in peace uses it",
         creature,
         false,
         0,
         true,
         true,
         {WithSerial(0x06, kCreature)},
         0},
        {"a double click on oneself uses oneself",
         player,
         false,
         0,
         true,
         true,
         {WithSerial(0x06, 1)},
         0},
        {"a double click on a creature in war attacks it",
         creature,
         true,
         0,
         true,
         true,
         {WithSerial(0x05, kCreature)},
         0},
        {"an innocent is asked about before an attack", creature, true, 1, true, true, {}, 1},
        {"without the question an innocent is attacked",
         creature,
         true,
         1,
         false,
         true,
         {WithSerial(0x05, kCreature)},
         0},
        {"a double click on land sends nothing", land, false, 0, true, true, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pPlayerObject->warMode = c.war;
        static_cast<CMobile*>(CObjectManager::FindObject(kCreature))->stateValue = c.innocent;
        NotorietyQuery = c.askFirst;
        session.questions.clear();
        const Point at = c.at;
        Press(at, 1000);
        Release(at, 50);
        if (c.doubleClick) {
            Press(at, 50);
            Release(at, 50);
        }
        Tick(300);
        EXPECT_EQ(Sent(), c.sent);
        EXPECT_EQ(session.questions.size(), c.questions);
    }
}

TEST_F(MapGumpTest, TwoClicksFarApartAreTwoLooksEachAfterTheDoubleClickTime) {
    StartAt(sample::kCrossroads.x, sample::kCrossroads.y);
    const Point creature = PointOn(kCreature);
    ASSERT_GE(creature.x, 0);
    Press(creature);
    Release(creature, 50);
    Tick(150);  // 200 ms after the press: still waiting for a second click
    EXPECT_EQ(Sent(), std::vector<Bytes>{});
    Tick(60);
    EXPECT_EQ(Sent(), std::vector<Bytes>{WithSerial(0x09, kCreature)});
    Press(creature, 40);
    Release(creature, 50);
    Tick(260);
    EXPECT_EQ(Sent(), std::vector<Bytes>{WithSerial(0x09, kCreature)});
}

TEST_F(MapGumpTest, ATargetIsAnsweredAtTheReleaseAndAHarmfulOneOnAnInnocentAsksFirst) {
    StartAt(sample::kCrossroads.x, sample::kCrossroads.y);
    const Point creature = PointOn(kCreature);
    const Point land = PointOnCell(pPlayerObject->locX, pPlayerObject->locY + 3);
    ASSERT_GE(land.x, 0);
    CMobile* mobile = static_cast<CMobile*>(CObjectManager::FindObject(kCreature));
    NotorietyQuery = TRUE;
    tw::doubles::RecordingGumpHooks hooks;  // in the world: the target cursor shows
    hooks.inWorld = TRUE;

    // The cursor shows the target cursor; the pick goes at the release.
    session.targeting = TRUE;
    map->HandleMouseMove(creature.x, creature.y);
    EXPECT_EQ(MouseManager::GetCursorType(), 19);
    EXPECT_EQ(g_onMobileSerial, kCreature);
    Press(creature);
    Release(creature, 30);
    ASSERT_EQ(session.answers.size(), 1u);
    EXPECT_EQ(session.answers[0], mobile);

    // An object target skips land; a location target takes it.
    for (int kind : {0, 1}) {
        session.targeting = TRUE;
        session.kind = kind;
        Press(land, 1000);
        Release(land, 30);
        ASSERT_EQ(session.answers.size(), kind ? 3u : 2u);
        CDrawItem* picked = session.answers.back();
        EXPECT_EQ(picked && picked->IsTerrain(), kind == 1);
    }

    // Harmful on an innocent: the target ends unanswered and a question
    // comes up; helpful on one is answered.
    mobile->stateValue = 1;
    for (M_BYTE harm : {1, 2}) {
        g_targetCursorFlag = harm;
        session.targeting = TRUE;
        Press(creature, 1000);
        Release(creature, 30);
    }
    EXPECT_EQ(session.ended, 1);
    EXPECT_EQ(session.questions, std::vector<std::string>{"target 256"});
    EXPECT_EQ(session.answers.size(), 4u);
    g_targetCursorFlag = 0;
    EXPECT_EQ(Sent(), std::vector<Bytes>{});
}

TEST_F(MapGumpTest, HoldingTheButtonPullsAStatusGumpOrPicksAnItemUp) {
    StartAt(sample::kCrossroads.x, sample::kCrossroads.y);
    StatusGumps statusGumps;
    const Point creature = PointOn(kCreature), crate = PointOn(kCrate);

    // Held 250 ms on a creature: its status gump follows the pointer.
    Press(creature);
    Tick(260);
    ASSERT_EQ(statusGumps.made.size(), 1u);
    EXPECT_EQ(MouseManager::GetCapture(), statusGumps.made[0]);
    std::vector<Bytes> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], (Bytes{0x34, 0xED, 0xED, 0xED, 0xED, 4, 0, 0, 1, 0}));
    Release(creature, 30);  // no click follows the drag
    EXPECT_EQ(Sent(), std::vector<Bytes>{});
    delete statusGumps.made[0];

    // Moving 4 pixels keeps the click pending; 5 picks the crate up.
    Press(crate, 1000);
    map->HandleMouseDrag(crate.x + 4, crate.y);
    EXPECT_EQ(Sent(), std::vector<Bytes>{});
    map->HandleMouseDrag(crate.x, crate.y + 5);
    sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], (Bytes{0x07, 0x40, 0, 0, 0x10, 0, 1}));
    Release(crate, 30);
    Tick(300);
    EXPECT_EQ(Sent(), std::vector<Bytes>{});
}

TEST_F(MapGumpTest, TheRightButtonWalksTowardsThePointer) {
    StartAt(sample::kCrossroads.x, sample::kCrossroads.y);
    // The pointer right of the play window's centre: the mouse manager's
    // direction 2.
    MouseManager::SetPos(g_viewX + 600, g_viewY + GraphicManager::getGameplayWindowCenterY());
    map->HandleRButtonDown(600, 240);
    Tick(50);
    std::vector<Bytes> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][0], 0x02);
    EXPECT_EQ(sent[0][1] & 7, 2);
    map->HandleRButtonUp(600, 240);
    EXPECT_EQ(Sent(), std::vector<Bytes>{}) << "the press already walked";
}

TEST_F(MapGumpTest, ADoubleRightClickWalksRoundTheHouseWall) {
    // Inside the house; the goal lies north of its north wall, so the path
    // leaves by the south door.
    StartAt(35, 35);
    const Point goal = PointOnCell(35, 31);
    ASSERT_GE(goal.x, 0);

    AllowPathfind = FALSE;
    for (int i = 0; i < 2; ++i) {
        map->HandleRButtonDown(goal.x, goal.y);
        map->HandleRButtonUp(goal.x, goal.y);
    }
    EXPECT_FALSE(g_pathWalk.active) << "path finding is switched off";

    AllowPathfind = TRUE;
    g_now += 1000;
    for (int i = 0; i < 2; ++i) {
        map->HandleRButtonDown(goal.x, goal.y);
        map->HandleRButtonUp(goal.x, goal.y);
    }
    ASSERT_TRUE(g_pathWalk.active);
    bool byTheDoor = false, throughTheWall = false;
    const PathNode* last = nullptr;
    for (const PathNode* n = g_pathWalk.node; n; n = n->parent) {
        byTheDoor |= n->x == 36 && n->y >= 39;
        if (last && n->x >= 33 && n->x <= 39 &&
            ((n->y == 33 && last->y == 32) || (n->y == 32 && last->y == 33)))
            throughTheWall = true;
        last = n;
    }
    EXPECT_TRUE(byTheDoor);
    EXPECT_FALSE(throughTheWall);
    EXPECT_EQ(last->x, 35);
    EXPECT_EQ(last->y, 35);

    // The walker asks for its first step the next frame, no more than three
    // unanswered at once.
    Sent();
    for (int i = 0; i < 5; ++i) FollowPathStep();
    const std::vector<Bytes> steps = Sent();
    EXPECT_GE(steps.size(), 1u);
    EXPECT_LE(steps.size(), 3u);
    for (const Bytes& step : steps) EXPECT_EQ(step[0], 0x02);
}

TEST_F(MapGumpTest, AWalkAlongCellsThatAreNotNeighboursEndsAndFreesThePath) {
    StartAt(sample::kCrossroads.x, sample::kCrossroads.y);
    // A "path" of two cells three apart.
    PathNode* goal =
        PathManager::FindPath(30, 31, pPlayerObject->z, 33, 31, pPlayerObject->z, 500, 0);
    ASSERT_NE(goal, nullptr);
    while (goal->parent && goal->parent->parent) goal->parent = goal->parent->parent;
    goal->x = goal->parent->x + 3;
    g_pathWalk.node = goal;
    g_pathWalk.facing = 2;
    g_pathWalk.active = TRUE;
    playarea::ForgetRoute();
    FollowPathStep();
    EXPECT_FALSE(g_pathWalk.active);
    EXPECT_EQ(g_pathWalk.node, nullptr);
    EXPECT_EQ(PathManager::LiveNodes(), 0);
    EXPECT_EQ(Sent(), std::vector<Bytes>{});
}

TEST_F(MapGumpTest, WithoutAPlayerThePointerIsIgnored) {
    StartAt(sample::kCrossroads.x, sample::kCrossroads.y);
    const Point crate = PointOn(kCrate);
    CPlayer* player = pPlayerObject;
    pPlayerObject = nullptr;
    map->HandleMouseMove(crate.x, crate.y);
    Press(crate);
    map->HandleMouseDrag(crate.x + 20, crate.y);
    Release(crate, 30);
    Tick(300);
    map->HandleRButtonDown(crate.x, crate.y);
    Tick(50);
    map->HandleRButtonUp(crate.x, crate.y);
    pPlayerObject = player;
    EXPECT_EQ(g_onObjSerial, 0u);
    EXPECT_EQ(Sent(), std::vector<Bytes>{});
}

TEST_F(MapGumpTest, TheHighlightIsKeptBySerialAndGoesWithTheObject) {
    StartAt(sample::kCrossroads.x, sample::kCrossroads.y);
    const Point crate = PointOn(kCrate);
    map->HandleMouseMove(crate.x, crate.y);
    EXPECT_EQ(g_onObjSerial, kCrate);
    EXPECT_EQ(g_onMobileSerial, 0u) << "creatures are marked only at war or when targeting";
    CObjectManager::FindObject(kCrate)->Release();
    EXPECT_EQ(g_onObjSerial, 0u);
    Paint();  // nothing draws a freed crate
    map->HandleMouseMoveAway();
}

}  // namespace

namespace {

TEST_F(MapGumpTest, AClickOnATextOverACreatureAnswersATargetWithTheCreature) {
    StartAt(sample::kCrossroads.x, sample::kCrossroads.y);
    CMobile* creature = static_cast<CMobile*>(CObjectManager::FindObject(kCreature));
    auto* bark = new CBarkGump(creature, "grr", 0, 0);
    NotorietyQuery = TRUE;
    // A helpful target on an innocent is answered; a harmful one asks first.
    creature->stateValue = 1;
    for (M_BYTE harm : {2, 1}) {
        g_targetCursorFlag = harm;
        session.targeting = TRUE;
        g_now += 1000;
        bark->HandleLButtonDown(2, 2);
        bark->HandleLButtonUp(2, 2);
        g_now += 300;
        bark->Tick();
    }
    g_targetCursorFlag = 0;
    EXPECT_EQ(session.answers, std::vector<CDrawItem*>{creature});
    EXPECT_EQ(session.questions, std::vector<std::string>{"target 256"});
    delete bark;
}

}  // namespace

namespace {

// The questions asked by the front end's yes/no gump, with the
// application's own target cursor: yes answers the target with the
// remembered creature or attacks it; no cancels the target, or does
// nothing; a creature deleted while the question is open gets nothing.
// Every answer closes the question.
TEST_F(MapGumpTest, TheQuestionsBeforeHarmfulActsSendWhatTheirAnswerSays) {
    InstallAppServices();
    InstallPlayAreaWarnings();
    StartAt(sample::kCrossroads.x, sample::kCrossroads.y);
    const Point at = PointOn(kCreature);
    ASSERT_GE(at.x, 0);
    NotorietyQuery = TRUE;
    constexpr M_DWORD kCursor = 0x01020304;
    const auto placeCreature = [&] {
        CPlayer* player = pPlayerObject;
        CObjectManager::HandleMove(kCreature, sample::kCreatureBody, 0, 0, player->locX + 2,
                                   player->locY, player->z, 4, 0, 0);
        auto* creature = static_cast<CMobile*>(CObjectManager::FindObject(kCreature));
        creature->stateValue = 1;  // innocent
        Paint();
        return creature;
    };
    const CMobile* creature = placeCreature();
    const auto word = [](int v) { return Bytes{M_BYTE(v >> 8), M_BYTE(v)}; };
    Bytes answer = {0x6C, 0, 1, 2, 3, 4, 0, 0, 0, 1, 0};
    for (int v :
         {int(creature->locX), int(creature->locY), int(creature->z), int(creature->objectType)})
        for (M_BYTE b : word(v)) answer.push_back(b);
    const Bytes cancel = {0x6C, 0, 1, 2, 3, 4, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};

    struct Case {
        const char* name;
        bool attack;
        bool yes;
        bool gone;
        std::vector<Bytes> sent;
    };
    const std::vector<Case> cases = {
        {"yes answers the target with the creature", false, true, false, {answer}},
        {"no cancels the target", false, false, false, {cancel}},
        {"yes to a creature gone meanwhile answers nothing", false, true, true, {}},
        {"yes attacks the creature", true, true, false, {WithSerial(0x05, kCreature)}},
        {"no does not attack", true, false, false, {}},
        {"yes to a creature gone meanwhile attacks nothing", true, true, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        placeCreature();
        if (c.attack) {
            pPlayerObject->warMode = TRUE;
            Press(at, 1000);
            Release(at, 50);
            Press(at, 50);
            Release(at, 50);
        } else {
            g_targetCursorId = kCursor;
            g_targetType = 0;
            tw::Service<WorldMessageApp>::Get().BeginServerTarget();
            g_targetCursorFlag = 1;  // harmful
            Press(at, 1000);
            Release(at, 50);
        }
        Tick(300);
        pPlayerObject->warMode = FALSE;
        CGump* question = CGumpManager::modalGump;
        ASSERT_NE(question, nullptr);
        EXPECT_STREQ(question->name, "YesNo gump");
        EXPECT_EQ(Sent(), std::vector<Bytes>{}) << "nothing goes before the answer";
        EXPECT_FALSE(CApp::targeting) << "the target cursor ends while the question is open";
        if (c.gone) CObjectManager::FindObject(kCreature)->Release();
        // Yes is the button on the right, no the one on the left.
        GumpCallback callback = nullptr;
        for (CGump* child = question->firstChild; child; child = child->next)
            if (child->IsButtonGump() && (child->x == 100) == c.yes)
                callback = static_cast<CButtonGump*>(child)->callback;
        ASSERT_NE(callback, nullptr);
        (question->*callback)();
        EXPECT_EQ(CGumpManager::modalGump, nullptr);
        EXPECT_FALSE(CGumpManager::IsGumpOpen(question));
        EXPECT_EQ(Sent(), c.sent);
    }
    EXPECT_NE(ReportLog().find("CGump::ConfirmTarget: object 0x00000100 is gone"),
              std::string::npos);
    EXPECT_NE(ReportLog().find("CGump::ConfirmAttack: object 0x00000100 is gone"),
              std::string::npos);
}

}  // namespace

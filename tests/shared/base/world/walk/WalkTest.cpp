// The player's walking against the loopback server: predicted steps and
// their walk requests on the wire, acknowledgements, rejections, resyncs,
// steps the server drives, the step check, playing the steps frame by frame
// and falls.  The server's answers enter through the walk code's entry
// points, as their message handlers call them.
#include <string>
#include <vector>

#include "Clock.h"
#include "FrameBuf.h"
#include "app/FrameTick.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "resources/GraphicManager.h"
#include "shared/base/world/WorldTestSupport.h"
#include "support/LoopbackServer.h"
#include "view/WorldView.h"
#include "world/MoveManager.h"
#include "world/PathManager.h"
#include "world/Terrain.h"

using namespace tw::test;

namespace {

M_DWORD g_now = 1000;
M_DWORD Now() {
    return g_now;
}

constexpr int kWall = 1001;

class WalkTest : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        SetTimeSourceForTests(&Now);
        g_now = 1000;
        GraphicManager::reset();  // every body walks 4 frames a cell and runs 2
        tiles.items[kWall] = {0x40, 0, 0, 0, 0, 0, 0, 20, "wall"};
        StartWorld();
        player = MakePlayer(100, 100);
        player->direction = 2;
        view.SetCenter(100, 100, 0, 0);
        for (int x = 95; x <= 110; ++x)
            for (int y = 95; y <= 105; ++y) Land(x, y, 0);

        ReplaceGameSocket(new CClientSock);
        ASSERT_TRUE(g_pGameSocket->Connect(LoopbackServer::kAddress, server.port()));
        ASSERT_TRUE(server.WaitForConnections(1));
        M_DWORD seed = 0;
        ASSERT_TRUE(server.ReadSeed(&seed));
        g_pGameSocket->SetLoginStreamOff(TRUE);
        g_pGameSocket->SetGameMode(TRUE);
        server.SetGameMode(true);
    }

    void TearDown() override {
        for (CDrawItem* land : lands) land->Release();
        ReplaceGameSocket(nullptr);
        SetTimeSourceForTests(nullptr);
        WorldTest::TearDown();
    }

    void Land(int x, int y, int z) {
        CTerrain* land = NewTerrain(0, nullptr);
        land->locX = static_cast<short>(x);
        land->locY = static_cast<short>(y);
        land->z = static_cast<short>(z);
        land->AddToDrawList();
        lands.push_back(land);
    }

    // The next message the server received.
    Bytes Received() {
        Bytes message;
        if (!PollUntil([&] { return server.ReadMessage(&message, 0); })) return {};
        return message;
    }

    // Everything the client sends up to now: a marker message written last
    // shows that nothing else was on its way.
    std::vector<Bytes> ReceivedUntilMarker() {
        PDSTRUCT marker;
        PacketManager::BuildTipRequest(&marker, 0x7777, 9);
        g_pGameSocket->Write(&marker);
        const size_t markerLength = PacketManager::SealPacket(&marker);
        const Bytes markerBytes(marker.data, marker.data + markerLength);
        std::vector<Bytes> messages;
        for (Bytes m = Received(); !m.empty() && m != markerBytes; m = Received())
            messages.push_back(m);
        return messages;
    }

    static Bytes Walk(int direction, int sequence, M_DWORD key = 0) {
        return {0x02,
                static_cast<M_BYTE>(direction),
                static_cast<M_BYTE>(sequence),
                static_cast<M_BYTE>(key >> 24),
                static_cast<M_BYTE>(key >> 16),
                static_cast<M_BYTE>(key >> 8),
                static_cast<M_BYTE>(key)};
    }

    // Plays frames until the queue has no entry left to play (bounded).
    void PlayAll() {
        for (int i = 0; i < 100 && MoveManager::animIndex < MoveManager::queueCount; ++i)
            MoveManager::Update();
    }

    LoopbackServer server;
    CPlayer* player = nullptr;
    std::vector<CDrawItem*> lands;
};

}  // namespace

TEST_F(WalkTest, UpToFourPredictedStepsGoOutWithSequenceNumbersAndWalkKeys) {
    player->AddWalkKey(0x11223344);
    player->AddWalkKey(0x55667788);
    for (int i = 0; i < 5; ++i) MoveManager::RequestMove(3, 0, TRUE);  // east
    MouseManager::SetPos(0, 0);  // a corner: far from the player
    MoveManager::RequestMove(3, MoveManager::RUN_BY_MOUSE, TRUE);
    EXPECT_EQ(ReceivedUntilMarker(),
              (std::vector<Bytes>{Walk(2, 0, 0x11223344), Walk(2, 1, 0x55667788), Walk(2, 2),
                                  Walk(2, 3)}))
        << "the fifth and sixth requests find the queue full";
    EXPECT_EQ(MoveManager::queueCount, 4);
    EXPECT_EQ(MoveManager::requestsInFlight, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(MoveManager::queue[i].sequence, i);
        EXPECT_EQ(MoveManager::queue[i].previousFacing, 2);
    }

    // Running by the pointer's distance sets bit 7.
    MoveManager::ClearWalkQueue();
    MoveManager::RequestMove(3, MoveManager::RUN_BY_MOUSE, TRUE);
    MouseManager::SetPos(g_viewX + GraphicManager::getGameplayWindowPixelWidth() / 2,
                         g_viewY + GraphicManager::getGameplayWindowPixelHeight() / 2);
    MoveManager::RequestMove(3, MoveManager::RUN_BY_MOUSE, TRUE);
    EXPECT_EQ(ReceivedUntilMarker(), (std::vector<Bytes>{Walk(0x82, 0), Walk(2, 1)}));
}

TEST_F(WalkTest, SequenceNumbersRunFrom1To255AndStartAt0AfterAPosition) {
    MoveManager::sequence = 254;
    for (int i = 0; i < 3; ++i) {
        MoveManager::RequestMove(3, 0, TRUE);
        MoveManager::HandleMoveAck(MoveManager::queue[MoveManager::queueCount - 1].sequence);
        PlayAll();
    }
    EXPECT_EQ(ReceivedUntilMarker(), (std::vector<Bytes>{Walk(2, 254), Walk(2, 255), Walk(2, 1)}));

    MoveManager::SetPlayerPosition(-1, -1, -1, -1);
    MoveManager::RequestMove(3, 0, TRUE);
    EXPECT_EQ(ReceivedUntilMarker(), (std::vector<Bytes>{Walk(2, 0)}));
}

TEST_F(WalkTest, AcknowledgedStepsMoveTheViewAndLeaveTheQueueOncePlayed) {
    MoveManager::RequestMove(3, 0, TRUE);
    MoveManager::RequestMove(3, 0, TRUE);
    ASSERT_EQ(ReceivedUntilMarker().size(), 2u);
    g_now += 120;
    MoveManager::HandleMoveAck(0);
    EXPECT_EQ(view.centerCalls.back(), "ShiftCenter 1 0 0");
    EXPECT_EQ(MoveManager::requestsInFlight, 1);
    EXPECT_EQ(MoveManager::roundTripMs, 60);
    EXPECT_EQ(MoveManager::queue[0].acknowledged, 1u);

    // Played and acknowledged, the first step goes; the second is played and
    // waits for its acknowledgement.
    PlayAll();
    EXPECT_EQ(player->locX, 102);
    EXPECT_EQ(MoveManager::queueCount, 1);
    EXPECT_EQ(MoveManager::animIndex, 1);
    MoveManager::HandleMoveAck(1);
    EXPECT_EQ(MoveManager::queueCount, 0);
    EXPECT_EQ(MoveManager::animIndex, 0);
    EXPECT_EQ(view.centerX, 102);

    EXPECT_EQ(MoveManager::roundTripMs, 90) << "(120 + 60) / 2";

    // A round trip of 60 s or more leaves the smoothed time alone.
    MoveManager::RequestMove(3, 0, TRUE);
    g_now += 60000;
    MoveManager::HandleMoveAck(2);
    EXPECT_EQ(MoveManager::roundTripMs, 90);
}

TEST_F(WalkTest, ARejectionPutsThePlayerBackAndEmptiesTheQueue) {
    for (int i = 0; i < 3; ++i) MoveManager::RequestMove(3, 0, TRUE);
    MoveManager::Update();
    MoveManager::SetPlayerPosition(1, 90, 91, 5);
    EXPECT_EQ(player->locX, 90);
    EXPECT_EQ(player->locY, 91);
    EXPECT_EQ(player->z, 5);
    EXPECT_TRUE(player->inList);
    EXPECT_EQ(player->slideX, 0);
    EXPECT_EQ(MoveManager::queueCount, 0);
    EXPECT_EQ(MoveManager::stepFrame, 0);
    EXPECT_EQ(MoveManager::requestsInFlight, 0);
    EXPECT_EQ(view.centerCalls.back(), "SetCenter 90 91 5 0");
    EXPECT_EQ(ReceivedUntilMarker().size(), 3u);

    player->direction = 0;  // facing north: a turn east needs no floor
    MoveManager::RequestMove(3, 0, TRUE);
    EXPECT_EQ(ReceivedUntilMarker(), (std::vector<Bytes>{Walk(2, 0)}));
}

TEST_F(WalkTest, AQueueOutOfStepAsksForAResyncOnceAndWaitsForThePosition) {
    MoveManager::RequestMove(3, 0, TRUE);
    MoveManager::RequestMove(3, 0, TRUE);
    MoveManager::HandleMoveAck(77);  // a sequence never sent
    MoveManager::HandleMoveAck(78);
    EXPECT_TRUE(MoveManager::resync);
    EXPECT_EQ(MoveManager::queueCount, 0);
    MoveManager::RequestMove(3, 0, TRUE);
    EXPECT_EQ(ReceivedUntilMarker(),
              (std::vector<Bytes>{Walk(2, 0), Walk(2, 1), Bytes{0x22, 0x00, 0x00}}))
        << "one resync message; no step while it is pending";

    // The player update clears the flags; then steps go again from 0.
    MoveManager::resyncSent = FALSE;
    MoveManager::SetPlayerPosition(-1, -1, -1, -1);
    MoveManager::RequestMove(3, 0, TRUE);
    MoveManager::RequestMove(3, 0, TRUE);
    // An acknowledgement out of order: the second entry was played first.
    PlayAll();
    MoveManager::HandleMoveAck(1);
    EXPECT_TRUE(MoveManager::resync);
    EXPECT_EQ(ReceivedUntilMarker(),
              (std::vector<Bytes>{Walk(2, 0), Walk(2, 1), Bytes{0x22, 0x00, 0x00}}));
}

TEST_F(WalkTest, TheServerDrivesAStepWithoutARequest) {
    MoveManager::requestsInFlight = 0;
    MoveManager::HandleServerMove(2);
    EXPECT_EQ(MoveManager::queueCount, 1);
    EXPECT_EQ(MoveManager::queue[0].acknowledged, 1u);
    EXPECT_EQ(MoveManager::requestsInFlight, 0) << "no request of ours was answered";
    EXPECT_EQ(MoveManager::sequence, 1u);
    EXPECT_EQ(view.centerCalls.back(), "ShiftCenter 1 0 0");
    EXPECT_TRUE(ReceivedUntilMarker().empty());

    // With a full queue the client is out of step first.
    for (int i = 0; i < 3; ++i) MoveManager::RequestMove(3, 0, TRUE);
    MoveManager::HandleServerMove(2);
    EXPECT_TRUE(MoveManager::resync);
    EXPECT_EQ(MoveManager::queueCount, 1);
    EXPECT_EQ(ReceivedUntilMarker(),
              (std::vector<Bytes>{Walk(2, 1), Walk(2, 2), Walk(2, 3), Bytes{0x22, 0x00, 0x00}}));
}

TEST_F(WalkTest, TheStepCheckTurnsBlockedDiagonalsAndAlwaysAllowsATurn) {
    // Walls: east of the player at (101, 100) only, and later south too.
    CObj* east = NewStaticObj(kWall);
    east->ToWorld(Coords(101, 100, 0));
    struct Case {
        int facing, request;  // request 1..8
        int wire;             // -1: nothing sent
    } cases[] = {
        {2, 3, -1},  // east into the wall, already facing east
        {0, 3, 2},   // a turn to the east, against the wall
        {3, 4, 4},   // south-east: the east side is blocked, south (d + 1) is free
        {1, 2, 0},   // north-east: north (d - 1) is free
        {4, 5, 4},   // south, free
    };
    for (const Case& c : cases) {
        MoveManager::ClearWalkQueue();
        player->direction = static_cast<M_BYTE>(c.facing);
        MoveManager::RequestMove(c.request, 0, TRUE);
        std::vector<Bytes> sent = ReceivedUntilMarker();
        if (c.wire < 0) {
            EXPECT_TRUE(sent.empty()) << c.facing << "/" << c.request;
        } else {
            ASSERT_EQ(sent.size(), 1u) << c.facing << "/" << c.request;
            EXPECT_EQ(sent[0][1], c.wire) << c.facing << "/" << c.request;
        }
    }

    // Only the diagonal cell blocked: of the two free sides, d + 1 wins.
    east->ToVoid();
    CObj* corner = NewStaticObj(kWall);
    corner->ToWorld(Coords(101, 101, 0));
    MoveManager::ClearWalkQueue();
    player->direction = 3;
    MoveManager::RequestMove(4, 0, TRUE);
    EXPECT_EQ(ReceivedUntilMarker(), (std::vector<Bytes>{Walk(4, 0)})) << "south, not east";
    corner->ToVoid();

    // A step east predicted from the unacknowledged steps before it: the
    // second one runs into the wall.
    NewStaticObj(kWall)->ToWorld(Coords(102, 100, 0));
    MoveManager::ClearWalkQueue();
    player->direction = 2;
    MoveManager::RequestMove(3, 0, TRUE);
    MoveManager::RequestMove(3, 0, TRUE);
    EXPECT_EQ(ReceivedUntilMarker(), (std::vector<Bytes>{Walk(2, 0)}));
}

TEST_F(WalkTest, StepsWrapRoundTheMapBelowX5120Only) {
    Land(5119, 100, 0);
    Land(5121, 100, 0);
    view.SetCenter(0, 100, 0, 0);
    player->direction = 6;
    MoveManager::RequestMove(7, 0, TRUE);  // west from x 0 to x 5119
    ASSERT_EQ(ReceivedUntilMarker(), (std::vector<Bytes>{Walk(6, 0)}));

    // Facing the way they go, blocked steps would send nothing.
    MoveManager::SetPlayerPosition(-1, -1, -1, -1);
    view.SetCenter(5120, 100, 0, 0);
    player->direction = 2;
    MoveManager::RequestMove(3, 0, TRUE);  // east from 5120: no wrapping, 5121
    MoveManager::SetPlayerPosition(-1, -1, -1, -1);
    view.SetCenter(5122, 100, 0, 0);
    player->direction = 6;
    MoveManager::RequestMove(7, 0, TRUE);  // west to 5121
    EXPECT_EQ(ReceivedUntilMarker(), (std::vector<Bytes>{Walk(2, 0), Walk(6, 0)}));
}

TEST_F(WalkTest, AStepIsPlayedOverItsFramesAndScrollsTheView) {
    player->CalcDrawZ();
    MoveManager::RequestMove(3, 0, TRUE);
    ASSERT_EQ(ReceivedUntilMarker().size(), 1u);
    struct Frame {
        int slide, locX;
    } frames[] = {{5, 100}, {11, 100}, {16, 100}, {0, 101}};  // walking: 4 frames a cell (the
                                                              // graphic manager's stand-in)
    for (const Frame& f : frames) {
        MoveManager::Update();
        EXPECT_EQ(player->slideX, f.slide);
        EXPECT_EQ(player->slideY, f.slide);
        EXPECT_EQ(player->locX, f.locX);
        EXPECT_TRUE(player->inList);
    }
    EXPECT_EQ(MoveManager::stepCounter, 4);
    EXPECT_EQ(MoveManager::animIndex, 1) << "played, not yet acknowledged";
    // A cell east is 22 pixels right and 22 down: the picture moves back.
    int scrolledX = 0, scrolledY = 0;
    for (auto [dx, dy] : view.viewScrolls) {
        scrolledX += dx;
        scrolledY += dy;
    }
    EXPECT_EQ(scrolledX, -22);
    EXPECT_EQ(scrolledY, -22);
    EXPECT_EQ(weather.scrolls.size(), view.viewScrolls.size());

    // An empty queue puts the player in its standing pose.
    MoveManager::HandleMoveAck(0);
    MoveManager::Update();
    EXPECT_TRUE(player->resting);
    EXPECT_EQ(MoveManager::stepCounter, 3);

    // A body that takes no frames a cell ends its step in the first frame.
    GraphicManager::animInfo[400][0] = 0;
    MoveManager::RequestMove(3, 0, TRUE);
    MoveManager::Update();
    EXPECT_EQ(player->locX, 102);
    EXPECT_EQ(player->slideX, 0);
    EXPECT_EQ(MoveManager::animIndex, 1);
}

TEST_F(WalkTest, WhileFollowingUnacknowledgedStepsWait) {
    MoveManager::RequestMove(3, 0, TRUE);
    MoveManager::following = TRUE;
    for (int i = 0; i < 6; ++i) MoveManager::Update();
    EXPECT_EQ(player->locX, 100);
    MoveManager::HandleMoveAck(0);
    PlayAll();
    EXPECT_EQ(player->locX, 101);
    EXPECT_EQ(MoveManager::queueCount, 0);
}

TEST_F(WalkTest, AFallOfMoreThan21HurtsAndTakesLonger) {
    struct Case {
        int from;
        bool ouch;
        int frames;  // 4 + 2 x (fall / 11)
    } cases[] = {{22, true, 8}, {21, false, 6}, {10, false, 4}};
    for (const Case& c : cases) {
        MoveManager::SetPlayerPosition(1, 100, 100, c.from);
        sound.played.clear();
        player->ClearOverheadText();
        player->direction = 2;
        MoveManager::RequestMove(3, 0, TRUE);
        ASSERT_EQ(MoveManager::queueCount, 1) << c.from;
        EXPECT_EQ(MoveManager::queue[0].falling, c.from > 10 ? 1 : 0) << c.from;
        int frames = 0;
        while (MoveManager::animIndex < MoveManager::queueCount && frames < 20) {
            MoveManager::Update();
            ++frames;
        }
        EXPECT_EQ(frames, c.frames) << c.from;
        EXPECT_EQ(player->z, 0);
        const std::vector<std::string> shown = texts.TextsOf(player);
        EXPECT_EQ(!shown.empty() && shown[0] == "ouch!", c.ouch) << c.from;
        std::vector<int> falls;  // footsteps play beside them
        for (const auto& s : sound.played)
            if (s.ifEnabled) falls.push_back(s.id);
        ASSERT_EQ(falls.size(), c.ouch ? 1u : 0u) << c.from;
        if (c.ouch) {
            EXPECT_GE(falls[0], 340);
            EXPECT_LE(falls[0], 344);
        }
    }
    EXPECT_EQ(ReceivedUntilMarker().size(), 3u);
}

TEST_F(WalkTest, KeysAndThePointerEndFollowingAndWaitForPlayedSteps) {
    player->following = TRUE;
    MoveManager::WalkByKey(2, 0);
    EXPECT_FALSE(player->following);
    EXPECT_EQ(texts.TextsOf(player), std::vector<std::string>{"Stopped following."});
    MoveManager::WalkByKey(2, 0x40000000);  // repeated while a step is unplayed
    MoveManager::WalkByMouse(2, 0);
    MoveManager::WalkByMouse(-1, 0);
    PlayAll();
    MoveManager::WalkByKey(2, 0x40000000);
    MoveManager::WalkByKey(2, 0);  // a fresh key goes at once
    MoveManager::WalkByMouse(2, 0);
    EXPECT_EQ(ReceivedUntilMarker(), (std::vector<Bytes>{Walk(2, 0), Walk(2, 1), Walk(2, 2)}));
}

TEST_F(WalkTest, WalkingClosesContainersOutOfReach) {
    CGumpManager::wornContainerGump = new tw::doubles::Listed<CGump>;
    struct Container : CGump {
        BOOL IsContainerGump() override { return TRUE; }
    };
    CDynamicObj* nearBag = PlaceItem(kItem | 1, 3701, 100, 101);
    CDynamicObj* farBag = PlaceItem(kItem | 2, 3701, 110, 101);
    auto* nearGump = new tw::doubles::Listed<Container>(nearBag);
    new tw::doubles::Listed<Container>(farBag);
    const int deleted = tw::doubles::DeletedGumps();
    MoveManager::RequestMove(3, 0, TRUE);
    EXPECT_EQ(CGumpManager::wornContainerGump, nullptr);
    EXPECT_EQ(tw::doubles::DeletedGumps(), deleted + 2) << "the worn container's and the far one";
    EXPECT_EQ(g_gumpList, nearGump);
    delete nearGump;
}

TEST_F(WalkTest, WalkKeysAreTakenInSlotOrderAndAFullSetDropsMore) {
    for (M_DWORD k = 1; k <= 11; ++k) player->AddWalkKey(k);
    player->SetWalkKey(99, 10);  // no such slot
    player->SetWalkKey(42, 3);
    const M_DWORD expected[11] = {1, 2, 3, 42, 5, 6, 7, 8, 9, 10, 0};
    for (M_DWORD e : expected) EXPECT_EQ(player->TakeWalkKey(), e);
    player->AddWalkKey(7);
    EXPECT_EQ(player->TakeWalkKey(), 7u);
}

TEST_F(WalkTest, OnlyEveryNineteenthPathRequestIsCarriedOut) {
    for (int i = 0; i < 18; ++i) MoveManager::PathfindTo(103, 100, 0);
    EXPECT_FALSE(g_pathWalk.active);
    EXPECT_TRUE(texts.TextsOf(player).empty());
    MoveManager::PathfindTo(103, 100, 0);
    ASSERT_TRUE(g_pathWalk.active);
    ASSERT_NE(g_pathWalk.node, nullptr);
    EXPECT_EQ(g_pathWalk.node->x, 102) << "one cell short will do";
    EXPECT_EQ(g_pathWalk.facing, 2);
    EXPECT_EQ(texts.TextsOf(player),
              (std::vector<std::string>{"Pathfinding to 103, 100, 0.", "103 100 0"}));
    PathManager::FreeNodes();

    for (int i = 0; i < 19; ++i) MoveManager::PathfindTo(300, 300, 0);
    EXPECT_FALSE(g_pathWalk.active) << "nothing leads there";
}

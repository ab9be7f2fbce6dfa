// Mobiles and the player: steps and slides, resting, idle animations,
// footsteps, release beyond the player's surroundings, and what a mobile
// clears when it goes.
#include <random>

#include "Clock.h"
#include "WorldTestSupport.h"
#include "config/Config.h"
#include "gumps/Sequence.h"
#include "net/ClientSock.h"
#include "resources/GraphicManager.h"
#include "world/MoveManager.h"

using namespace tw::test;

namespace {

class MobileTest : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        GraphicManager::reset();
        tiles.items[500].flags = TILE_LIGHT;
        StartWorld();
    }

    static void SetSpeed(int body, int walk, int run) {
        GraphicManager::animInfo[body][0] = static_cast<M_BYTE>(walk);
        GraphicManager::animInfo[body][1] = static_cast<M_BYTE>(run);
    }

    // Runs frames 50 ms apart from now on and collects (frames left, slide
    // x, slide y) after each.
    std::vector<std::array<int, 3>> Slide(CMobile* m, int frames) {
        std::vector<std::array<int, 3>> out;
        for (int i = 0; i < frames; ++i) {
            Frame(now_ += 50);
            out.push_back({m->stepFramesLeft, m->slideX, m->slideY});
        }
        return out;
    }

    M_DWORD now_ = 1000;
};

}  // namespace

TEST_F(MobileTest, AStepToANeighbourSlidesBackToTheCell) {
    SetSpeed(400, 4, 2);
    MakePlayer(100, 100);
    g_frameTime = now_;
    CMobile* m = PlaceMobile(5, 400, 100, 101);
    CObjectManager::HandleMove(5, 400, 0, 0, 101, 101, 0, 2, 0, 0);
    using Rows = std::vector<std::array<int, 3>>;
    EXPECT_EQ(Slide(m, 4), (Rows{{3, 16, 16}, {2, 11, 11}, {1, 5, 5}, {0, 0, 0}}));
    EXPECT_EQ(m->locX, 101);
    EXPECT_EQ(m->prevX, 100);

    // Running halves the frames; a step two cells away is taken at once.
    CObjectManager::HandleMove(5, 400, 0, 0, 102, 101, 0, 0x82, 0, 0);
    EXPECT_EQ(Slide(m, 2), (Rows{{1, 11, 11}, {0, 0, 0}}));
    CObjectManager::HandleMove(5, 400, 0, 0, 104, 101, 0, 2, 0, 0);
    m->drawZ = 99;
    EXPECT_EQ(Slide(m, 1), (Rows{{0, 0, 0}}));
    EXPECT_EQ(m->locX, 104);
    EXPECT_EQ(m->drawZ, 0) << "each filing asks the walk code for the draw z";
}

TEST_F(MobileTest, SlideOffsetsFollowTheDirection) {
    SetSpeed(400, 4, 2);
    MakePlayer(100, 100);
    CMobile* m = PlaceMobile(5, 400, 100, 100);
    const int expected[8][2] = {{11, -11}, {22, 0},  {11, 11},   {0, 22},
                                {-11, 11}, {-22, 0}, {-11, -11}, {0, -22}};
    for (int d = 0; d < 8; ++d) {
        m->direction = static_cast<M_BYTE>(d);
        m->stepFramesLeft = 2;
        m->UpdateSlideOffset();
        EXPECT_EQ(m->slideX, expected[d][0]) << d;
        EXPECT_EQ(m->slideY, expected[d][1]) << d;
    }
}

TEST_F(MobileTest, ADropTakesLongerAndOddBodiesUseTheDefaultSpeeds) {
    SetSpeed(400, 4, 2);
    MakePlayer(100, 100);
    g_frameTime = now_;
    CMobile* m = PlaceMobile(5, 400, 100, 100, 30);
    CObjectManager::HandleMove(5, 400, 0, 0, 100, 101, 8, 4, 0, 0);
    Frame(now_ += 50);
    EXPECT_EQ(m->dropFlag, 1);
    EXPECT_EQ(m->MovesPerTile(), 4 + (22 / 11) * 2);
    EXPECT_EQ(m->stepFramesLeft, 7);

    CMobile* odd = PlaceMobile(6, 0x3FFF, 100, 100);  // body 16383 from the server
    odd->running = TRUE;
    EXPECT_EQ(odd->MovesPerTile(), 2);
    CObjectManager::HandleMove(6, 0x3FFF, 0, 0, 101, 100, 0, 2, 0, 0);
    Frame(now_ += 50);
    EXPECT_EQ(odd->stepFramesLeft, 3) << "walking default 4";
}

TEST_F(MobileTest, MobilesRestAfterTwoSecondsOrAtOnce) {
    MakePlayer(100, 100);
    g_frameTime = 1000;
    CMobile* m = PlaceMobile(5, 400, 101, 101);
    CMobile* eager = PlaceMobile(6, 80, 101, 101);
    Frame(3000);
    EXPECT_FALSE(m->resting);
    EXPECT_TRUE(eager->resting) << "bodies 80 and 81 rest at once";
    Frame(3001);
    EXPECT_TRUE(m->resting);
    EXPECT_EQ(m->frameCounter, 3);
    EXPECT_TRUE(m->inList);

    // A step wakes it.
    CObjectManager::HandleMove(5, 400, 0, 0, 102, 101, 0, 2, 0, 0);
    EXPECT_FALSE(m->resting);
}

TEST_F(MobileTest, IdleAnimationsPlayByChanceAndNotInCrowds) {
    std::mt19937 roll(7);
    dice.answer = [&](int n) { return int(roll() % unsigned(n)); };
    MakePlayer(100, 100);
    g_frameTime = 0;
    CMobile* m = PlaceMobile(5, 150, 101, 101);
    int started = 0;
    for (M_DWORD t = 20000; t < 400000 && !started; t += 50) {
        Frame(t);
        started = int(view.animations.started.size());
    }
    ASSERT_EQ(started, 1) << "over many frames the dice allow one";
    EXPECT_TRUE(m->animAction == 3 || m->animAction == 4);
    EXPECT_EQ(m->animFrameCount, m->animAction == 3 ? 15 : 20);
    EXPECT_EQ(dice.calls > 0, true);

    // With 21 mobiles known nobody idles, whatever the dice say.
    dice.answer = [](int) { return 0; };
    for (M_DWORD s = 10; CObjectManager::mobileCount < 21; ++s) PlaceMobile(s, 150, 101, 101);
    view.animations.started.clear();
    dice.calls = 0;
    for (M_DWORD t = 500000; t < 600000; t += 5000) Frame(t);
    EXPECT_TRUE(view.animations.started.empty());
    EXPECT_EQ(dice.calls, 0);
}

TEST_F(MobileTest, IdleAnimationsAreRecordedWhileASequenceIsBuilt) {
    dice.answer = [](int) { return 1; };
    MakePlayer(100, 100);
    g_frameTime = 0;
    CMobile* m = PlaceMobile(0x1234, 21, 101, 101);
    m->resting = TRUE;
    g_sequencing = TRUE;
    g_currentSequence = new CSequence();
    Frame(16000);
    ASSERT_EQ(g_currentSequence->steps.size(), 1u);
    const auto& r = g_currentSequence->steps[0];
    EXPECT_EQ(r.kind, 7);
    EXPECT_EQ(r.data,
              (std::vector<unsigned char>{0x34, 0x12, 0, 0, 17, 0, 5, 0, 0, 0, 1, 0, 0, 0, 1, 0}));
    EXPECT_FALSE(m->animActive);
    CSequence::reset();
}

TEST_F(MobileTest, ObjectsBeyondEighteenCellsAreReleasedWithWhatTheyHold) {
    MakePlayer(100, 100);
    CDynamicObj* near = PlaceItem(kItem | 1, 1, 118, 82);
    PlaceItem(kItem | 2, 1, 119, 100);
    auto* bag = new CContainerObj(kItem | 3, 1, 0, TRUE);
    bag->ToWorld(Coords(100, 130, 0));
    for (M_DWORD s = 4; s < 8; ++s)
        NewDynamicObj(kItem | s, 1, 0)->ToContainer(bag, Coords(1, 1, 0));
    CMobile* walker = PlaceMobile(9, 400, 100, 118);
    CObjectManager::HandleMove(9, 400, 0, 0, 100, 119, 0, 4, 0, 0);  // queued beyond 18
    CDynamicObj* after = PlaceItem(kItem | 10, 1, 101, 101);
    // What a far mobile wears may follow it in the master list (made before
    // it); the walk goes on past it to the mobiles behind.
    CMobile* behind = PlaceMobile(11, 400, 101, 101);
    CObjectManager::HandleMove(11, 400, 0, 0, 102, 101, 0, 2, 0, 0);
    auto* pack = new CContainerObj(kItem | 12, 1, 0, TRUE);
    CMobile* leaving = PlaceMobile(13, 400, 100, 125);
    pack->ToEquipped(leaving, 21);

    Frame(100);
    EXPECT_NE(CObjectManager::FindObject(kItem | 1), nullptr);
    EXPECT_EQ(CObjectManager::FindObject(kItem | 2), nullptr);
    EXPECT_EQ(CObjectManager::FindObject(kItem | 3), nullptr);
    for (M_DWORD s = 4; s < 8; ++s) EXPECT_EQ(CObjectManager::FindObject(kItem | s), nullptr);
    EXPECT_EQ(CObjectManager::FindObject(9), nullptr) << "counted at its last queued step";
    EXPECT_EQ(CObjectManager::FindObject(kItem | 10), after);
    EXPECT_EQ(near->locX, 118);
    EXPECT_EQ(CObjectManager::FindObject(13), nullptr);
    EXPECT_EQ(CObjectManager::FindObject(kItem | 12), nullptr);
    EXPECT_EQ(behind->locX, 102) << "the walk reached it";
    (void)walker;
}

TEST_F(MobileTest, AMobileDeletedByItsAnimationsEndLeavesTheWalkIntact) {
    MakePlayer(100, 100);
    g_frameTime = 1000;
    // The worn item comes after its wearer in the master list, where a walk
    // that went on blindly would find it freed; the mobile behind it must
    // still take its step.
    CMobile* behind = PlaceMobile(7, 400, 103, 103);
    CObjectManager::HandleMove(7, 400, 0, 0, 104, 103, 0, 2, 0, 0);
    CDynamicObj* worn = new CItemObj(kItem | 1, 1, 0, TRUE);
    CMobile* a = PlaceMobile(5, 400, 101, 101);
    worn->ToEquipped(a, 3);
    CMobile* b = PlaceMobile(6, 400, 102, 102);
    a->SetAnimation(9, 5, 0, 1, 0, 0);
    CObjectManager::HandleMove(5, 400, 0, 0, 101, 102, 0, 4, 0, 0);
    view.animations.stopDeletes = true;
    Frame(1050);
    EXPECT_EQ(CObjectManager::FindObject(5), nullptr);
    EXPECT_EQ(CObjectManager::FindObject(kItem | 1), nullptr);
    EXPECT_EQ(CObjectManager::FindObject(6), b);
    EXPECT_EQ(behind->locX, 104) << "the walk reached it";
}

TEST_F(MobileTest, WalkingHumansSoundTheirFootsteps) {
    SetSpeed(400, 8, 4);
    MakePlayer(100, 100);
    g_frameTime = 1000;
    CMobile* m = PlaceMobile(5, 400, 101, 101);
    sound.played.clear();
    CObjectManager::HandleMove(5, 400, 0, 0, 102, 101, 0, 2, 0, 0);
    for (M_DWORD t = 1050; t <= 1050 + 50 * 8; t += 50) Frame(t);
    // Action 0 over 10 frames: the frame is the counter modulo 9; frame 1
    // sounds 299 and frame 6 sounds 300.
    std::vector<int> ids;
    for (const auto& s : sound.played) {
        ids.push_back(s.id);
        EXPECT_TRUE(s.positional);
        EXPECT_EQ(s.x, m->locX);
    }
    EXPECT_EQ(ids, (std::vector<int>{299, 300}));

    // Not with the option off, nor for ghosts, nor for small bodies.
    Footsteps = FALSE;
    m->frameCounter = 1;
    m->AddToDrawList();
    EXPECT_EQ(sound.played.size(), 2u);
    Footsteps = TRUE;
    for (int body : {402, 200}) {
        m->objectType = static_cast<M_WORD>(body);
        m->frameCounter = 1;
        m->AddToDrawList();
    }
    EXPECT_EQ(sound.played.size(), 2u);

    // The player's own steps sound at the listener; mounted, another action.
    m->objectType = 400;
    CDynamicObj* horse = NewDynamicObj(kItem | 1, 1, 0);
    horse->ToEquipped(pPlayerObject, CMobile::MOUNT_LAYER);
    MoveManager::stepRunning = TRUE;
    MoveManager::stepCounter = 5;  // action 24 of 5 frames: frame 5 % 4 = 1
    pPlayerObject->AddToDrawList();
    ASSERT_EQ(sound.played.size(), 3u);
    EXPECT_EQ(sound.played[2].id, 297);
    EXPECT_FALSE(sound.played[2].positional);
}

TEST_F(MobileTest, StatusFlagsCloseTheGumpsOfAMobileThatTurnsHidden) {
    MakePlayer(100, 100);
    CMobile* m = PlaceMobile(5, 400, 101, 101);
    auto* owned = new tw::doubles::Listed<CGump>(m);
    m->ownedGumps = owned;
    CObjectManager::HandleMove(5, 400, 0, 0, 101, 101, 0, 0, 0, 0x40);
    Frame(100);
    EXPECT_EQ(m->bit6State, 1);
    EXPECT_EQ(tw::doubles::DeletedGumps(), 0);
    CObjectManager::HandleMove(5, 400, 0, 0, 101, 101, 0, 0, 0, 0x80);
    Frame(150);
    EXPECT_EQ(m->ownedGumps, nullptr);
    EXPECT_EQ(tw::doubles::DeletedGumps(), 1);
    EXPECT_EQ(m->bit6State, 0);

    CMobile* ghost = PlaceMobile(6, 402, 101, 101);
    ghost->ApplyStatusFlags(0x40);
    EXPECT_EQ(ghost->bit6State, 0) << "forced off for ghosts";
}

TEST_F(MobileTest, AGoneMobileLeavesNoReferenceBehind) {
    CPlayer* player = MakePlayer(100, 100);
    CMobile* m = PlaceMobile(5, 400, 101, 101);
    player->following = TRUE;
    player->followedSerial = 5;
    view.pointerObject = m;
    auto* status = new tw::doubles::Listed<CGump>(m);
    struct StatusGump : CGump {
        BOOL IsStatusGump() override { return TRUE; }
    };
    auto* mobileStatus = new tw::doubles::Listed<StatusGump>(m);
    auto* trade = new tw::doubles::Listed<tw::doubles::TradeGump>();
    trade->tradeSerial = 0x01020304;
    m->tradeGump = trade;
    CClientSock connection;
    g_pGameSocket = &connection;
    CDynamicObj* corpse = PlaceItem(kItem | 9, CORPSE_OBJ, 101, 101);
    CObjectManager::AddLink(m, kItem | 9, 1);
    CDynamicObj* worn = NewDynamicObj(kItem | 2, 1, 0);
    worn->ToEquipped(m, 11);

    m->Release();
    EXPECT_FALSE(player->following);
    EXPECT_EQ(view.pointerObject, nullptr);
    EXPECT_EQ(view.circleRemoved, std::vector<const void*>{m});
    EXPECT_EQ(status->owner, nullptr) << "a gump that showed it forgets it";
    EXPECT_EQ(tw::doubles::DeletedGumps(), 2) << "the status gump and the trade gump";
    const auto sent = SentPackets(connection);
    ASSERT_EQ(sent.size(), 1u) << "the trade is cancelled";
    EXPECT_EQ(std::vector<unsigned char>(sent[0].begin(), sent[0].begin() + 8),
              (std::vector<unsigned char>{0x6F, 0, 17, 1, 1, 2, 3, 4}));
    EXPECT_FALSE(CObjectManager::IsLinked(kItem | 9, 0));
    EXPECT_EQ(CObjectManager::FindObject(kItem | 2), nullptr);
    EXPECT_EQ(CObjectManager::FindObject(kItem | 9), corpse);
    EXPECT_EQ(CObjectManager::mobileCount, 1);
    (void)mobileStatus;
    delete status;
}

TEST_F(MobileTest, ThePlayerFacesItsFightTargetWhenTheWalkIsIdle) {
    CPlayer* player = MakePlayer(100, 100);
    PlaceMobile(5, 400, 103, 98);
    CClientSock socket;
    g_pGameSocket = &socket;
    player->fightTargetSerial = 5;
    player->resting = TRUE;
    player->bit6State = 1;
    g_wallTime = 10;
    MoveManager::lastRequestTime = 7;
    Frame(100);
    EXPECT_TRUE(SentPackets(socket).empty()) << "only 3 seconds since the last request";
    g_wallTime = 11;
    MoveManager::requestsInFlight = 1;
    Frame(150);
    EXPECT_TRUE(SentPackets(socket).empty()) << "a request is in flight";
    MoveManager::requestsInFlight = 0;
    Frame(200);
    ASSERT_EQ(SentPackets(socket).size(), 1u);
    EXPECT_EQ(SentPackets(socket)[0], (std::vector<unsigned char>{0x02, 1, 0, 0, 0, 0, 0}))
        << "a turn to the north-east";
    g_pGameSocket = nullptr;

    struct Case {
        int dx, dy, d;
    } cases[] = {{0, -3, 0}, {2, -1, 1}, {5, 0, 2},   {1, 1, 3}, {0, 2, 4},
                 {-1, 4, 5}, {-2, 0, 6}, {-1, -1, 7}, {0, 0, 7}};
    for (const Case& c : cases)
        EXPECT_EQ(DirectionTowards(0, 0, c.dx, c.dy), c.d) << c.dx << "," << c.dy;
}

TEST(LayerCover, HidesOnlyTheLayersTheRuleNames) {
    CObj hood, robe, cloak;
    hood.objectType = 8270;
    robe.objectType = 7939;
    cloak.objectType = 5397;
    struct Case {
        int layer;
        int on22;  // 0: empty, 1: item 8270, 2: another item
        bool on24;
        int covered;
    } cases[] = {
        {3, 0, true, 1},   {4, 0, true, 1},   {3, 0, false, 0},  {5, 0, true, 0},
        {11, 1, false, 1}, {11, 2, false, 0}, {13, 2, false, 1}, {19, 1, false, 1},
        {13, 0, false, 0}, {2, 2, true, 0},   {20, 2, true, 0},  {24, 2, true, 0},
        {-1, 2, true, 0},  {30, 2, true, 0},
    };
    for (const Case& c : cases) {
        CObj* layers[CMobile::LAYERS] = {};
        layers[22] = c.on22 == 1 ? &hood : c.on22 == 2 ? &robe : nullptr;
        layers[24] = c.on24 ? &cloak : nullptr;
        EXPECT_EQ(IsLayerCovered(c.layer, layers), c.covered) << "layer " << c.layer;
    }
    EXPECT_EQ(IsLayerCovered(3, nullptr), 0);
}

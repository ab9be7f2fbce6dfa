// The table of animating mobiles, stepped frame by frame as the drawing
// steps it: delays, repeats, back-and-forth play, the end, a full table, a
// death fall handing over to the corpse, and mobiles deleted mid-play.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "net/PacketManager.h"
#include "net/WorldMessageState.h"
#include "support/ServerMessage.h"
#include "view/DrawManager.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

class MobileAnimation : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        StartSampleWorld();
        UseBackBuffer(640, 480, 640, 480, false);
        PlacePlayer(tw::datafiles::sample::kCrossroads.x, tw::datafiles::sample::kCrossroads.y);
        ClearMobileAnimations();
    }
    void TearDown() override {
        PacketManager::reset();
        ViewTest::TearDown();
    }
    static CMobile* Creature(M_DWORD serial) {
        CObjectManager::HandleMove(serial, 200, 0, 0, pPlayerObject->locX + 2, pPlayerObject->locY,
                                   pPlayerObject->z, 0, 0, 0);
        return static_cast<CMobile*>(CObjectManager::FindObject(serial));
    }
    // Steps the table until the mobile leaves it or is deleted (at most
    // `limit` frames); the frames shown, one per frame change, and the drawn
    // frames it took.
    static std::string Play(CMobile* m, int* frames, int limit = 200) {
        const M_DWORD serial = m->GetSerial();
        std::ostringstream shown;
        shown << m->animFrame;
        int lastFrame = m->animFrame, lastPlay = m->animActionOffset;
        *frames = 0;
        while (m->animTableIndex >= 0 && *frames < limit) {
            StepMobileAnimations();
            ++*frames;
            if (CObjectManager::FindObject(serial) != m || m->animTableIndex < 0) break;
            if (m->animFrame != lastFrame || m->animActionOffset != lastPlay) {
                shown << ' ' << m->animFrame;
                if (m->animActionOffset != lastPlay) shown << '/' << m->animActionOffset;
                lastFrame = m->animFrame;
                lastPlay = m->animActionOffset;
            }
        }
        return shown.str();
    }
};

// The server's animation message (0x6E) for a mobile.
void SendAnimation(M_DWORD serial, int action, int frames, int repeat, int backward,
                   int backAndForth, int delay) {
    const std::vector<M_BYTE> message = tw::test::Msg(0x6E)
                                            .u32(serial)
                                            .u16(action)
                                            .u16(frames)
                                            .u16(repeat)
                                            .u8(backward)
                                            .u8(backAndForth)
                                            .u8(delay);
    PacketManager::Dispatch(PacketIn(message.data(), message.size()));
}

struct TimingCase {
    const char* what;
    int frames, repeat, fourth, backward, delay;
    bool pingPong;      // asked for by the animation message (fourth 1)
    const char* shown;  // frame/play on each change
    int drawnFrames;    // frames until the mobile leaves the table
};

class AnimationTiming : public MobileAnimation, public ::testing::WithParamInterface<TimingCase> {};

TEST_P(AnimationTiming, PlaysItsFramesAtItsPace) {
    const TimingCase& c = GetParam();
    CMobile* m = Creature(0x100);
    if (c.fourth == 1) {
        InstallWorldHandlers();
        SendAnimation(0x100, 5, c.frames, c.repeat, c.backward, c.pingPong ? 1 : 0, c.delay);
    } else {
        m->SetAnimation(5, c.frames, c.repeat, c.fourth, c.backward, c.delay);
    }
    ASSERT_GE(m->animTableIndex, 0);
    EXPECT_EQ(m->GetAnimFrame(), c.backward ? c.frames - 1 : 0);
    int frames = 0;
    EXPECT_EQ(Play(m, &frames), c.shown);
    EXPECT_EQ(frames, c.drawnFrames);
    EXPECT_EQ(m->animTableIndex, -1);
    EXPECT_EQ(m->GetAnimFrame(), -1) << "drawn in its normal pose again";
    EXPECT_TRUE(m->inList);
}

// A delay d steps every d + 2 frames; the last step of a play ends it.
INSTANTIATE_TEST_SUITE_P(
    Table, AnimationTiming,
    ::testing::Values(TimingCase{"delay0", 3, 1, 1, 0, 0, false, "0 1 2", 6},
                      TimingCase{"delay3", 3, 1, 1, 0, 3, false, "0 1 2", 15},
                      TimingCase{"repeatZeroPlaysOnce", 3, 0, 1, 0, 0, false, "0 1 2", 6},
                      TimingCase{"twoPlays", 2, 2, 1, 0, 0, false, "0 1 0/1 1", 8},
                      TimingCase{"backward", 3, 1, 2, 1, 0, false, "2 1 0 2/0 1 0", 12},
                      TimingCase{"pingPong", 5, 1, 1, 0, 0, true, "0 1 2 3 4 3 2 1 0", 18},
                      TimingCase{"pingPongSlow", 3, 1, 1, 0, 1, true, "0 1 2 1 0", 15},
                      TimingCase{"backwardPingPong", 3, 1, 1, 1, 0, true, "2 1 0 1 2", 10},
                      TimingCase{"oneFrame", 1, 1, 1, 0, 0, false, "0", 2}),
    [](const ::testing::TestParamInfo<TimingCase>& info) { return std::string(info.param.what); });

TEST_F(MobileAnimation, ATwentyFirstMobileDoesNotAnimateAndIsNotRemembered) {
    std::vector<CMobile*> mobiles;
    for (M_DWORD s = 0; s < 21; ++s) {
        mobiles.push_back(Creature(0x100 + s));
        mobiles.back()->SetAnimation(5, 3, 1, 1, 0, 0);
    }
    for (int i = 0; i < 20; ++i) EXPECT_EQ(mobiles[i]->animTableIndex, i);
    EXPECT_EQ(mobiles[20]->animTableIndex, -1);
    // A free entry takes the next one that starts; starting twice is once.
    StopMobileAnimation(mobiles[7]);
    mobiles[20]->SetAnimation(5, 3, 1, 1, 0, 0);
    EXPECT_EQ(mobiles[20]->animTableIndex, 7);
    StartMobileAnimation(mobiles[20]);
    EXPECT_EQ(mobiles[20]->animTableIndex, 7);
}

TEST_F(MobileAnimation, ADeathFallEndsByHandingOverToTheCorpseButThePlayerStays) {
    CMobile* m = Creature(0x200);
    CObjectManager::AddLink(m, 0x40000200, 0);
    ASSERT_GE(m->animTableIndex, 0);
    int frames = 0;
    Play(m, &frames);
    EXPECT_EQ(CObjectManager::FindObject(0x200 | 0x80000000u), nullptr);
    EXPECT_EQ(CObjectManager::FindObject(0x200), nullptr);

    // The player's fall leaves its link to the server.
    CPlayer* player = pPlayerObject;
    CObjectManager::AddLink(player, 0x40000201, 0);
    const M_DWORD linked = player->GetSerial();
    Play(player, &frames);
    EXPECT_EQ(pPlayerObject, player);
    EXPECT_EQ(player->animTableIndex, -1);
    EXPECT_EQ(player->GetSerial(), linked);
    EXPECT_TRUE(CObjectManager::IsLinked(0x40000201, linked));
}

TEST_F(MobileAnimation, AMobileDeletedWhileItAnimatesLeavesTheTable) {
    CMobile* a = Creature(0x300);
    CMobile* b = Creature(0x301);
    a->SetAnimation(5, 4, 1, 1, 0, 0);
    b->SetAnimation(5, 4, 1, 1, 0, 0);
    StepMobileAnimations();
    a->Release();
    // Stepping on must not touch the deleted mobile (the sanitizers watch).
    for (int i = 0; i < 10; ++i) StepMobileAnimations();
    EXPECT_EQ(b->animTableIndex, -1);
    // A new mobile takes the freed first entry.
    CMobile* c = Creature(0x302);
    c->SetAnimation(5, 4, 1, 1, 0, 0);
    EXPECT_EQ(c->animTableIndex, 0);
}

}  // namespace

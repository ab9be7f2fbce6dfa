// Effect sequences recorded and played: the order and repetitions of their
// steps, a long sequence on a flat stack, steps that wait for an effect or
// an animation to end (or for the mobile to go), and the messages that
// begin and end a recording out of turn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "gumps/GumpManager.h"
#include "gumps/Sequence.h"
#include "gumps/WaitingGump.h"
#include "net/EffectMessages.h"
#include "view/DrawManager.h"
#include "view/Missile.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

namespace sample = tw::datafiles::sample;

class Sequence : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        StartSampleWorld();
        UseBackBuffer(640, 480, 640, 480, false);
        player = PlacePlayer(sample::kCrossroads.x, sample::kCrossroads.y);
        ClearMobileAnimations();
        sound.played.clear();
    }
    void TearDown() override {
        CGumpManager::CloseAllMissiles();
        if (CGump* modal = CGumpManager::modalGump) delete modal;
        CSequence::reset();
        ViewTest::TearDown();
    }
    static void Sound(int id) { net::Effects().RecordSound(id, 1, 2, 3); }
    std::vector<int> Played() const {
        std::vector<int> ids;
        for (const auto& p : sound.played) ids.push_back(p.id);
        return ids;
    }
    CMobile* Creature(M_DWORD serial) {
        CObjectManager::HandleMove(serial, 200, 0, 0, player->locX + 2, player->locY, player->z, 0,
                                   0, 0);
        return static_cast<CMobile*>(CObjectManager::FindObject(serial));
    }
    static std::string WaitingText() {
        auto* box = static_cast<CWaitingGump*>(CGumpManager::modalGump);
        return box ? std::string(reinterpret_cast<const char*>(box->text)) : std::string();
    }
    CPlayer* player = nullptr;
};

TEST_F(Sequence, StepsPlayInOrderAsOftenAsTheClosingMessageSays) {
    struct {
        const char* what;
        std::vector<int> sounds;
        int count;
        std::vector<int> played;
    } cases[] = {
        {"nothing recorded: deleted at once", {}, 3, {}},
        {"one sound twice", {5}, 2, {5, 5}},
        {"three sounds three times", {5, 6, 7}, 3, {5, 6, 7, 5, 6, 7, 5, 6, 7}},
    };
    for (const auto& c : cases) {
        sound.played.clear();
        HandleSequenceMessage(0);
        ASSERT_TRUE(g_sequencing);
        const M_DWORD id = g_currentSequence->id;
        for (int s : c.sounds) Sound(s);
        EXPECT_TRUE(Played().empty()) << "recorded, not played: " << c.what;
        HandleSequenceMessage(c.count);
        EXPECT_FALSE(g_sequencing);
        EXPECT_EQ(Played(), c.played) << c.what;
        EXPECT_EQ(CSequence::Find(id), nullptr) << "gone after its last step: " << c.what;
    }
    sound.played.clear();
    HandleSequenceMessage(0);
    Sound(9);
    HandleSequenceMessage(255);
    EXPECT_EQ(Played(), std::vector<int>(255, 9));
}

// A sound service that notes how deep the stack is at each sound.
class StackProbe final : public SoundService {
public:
    std::uintptr_t lowest = UINTPTR_MAX, highest = 0;
    long plays = 0;
    void startup() override {}
    void shutdown() override {}
    void OpenIfEnabled() override {}
    void OpenDevice() override {}
    void CloseDevice() override {}
    void Enable(BOOL) override {}
    void Update() override {}
    int PlaySound(int, int, int, BOOL, int, BOOL) override { return 0; }
    int PlaySoundIfEnabled(int, int, int) override { return 0; }
    int PlayPositional(int, int, int, int, float, BOOL, int, BOOL) override {
        volatile char here = 0;
        const auto at = reinterpret_cast<std::uintptr_t>(&here);
        lowest = std::min(lowest, at);
        highest = std::max(highest, at);
        ++plays;
        return 0;
    }
    void SetAmbient(int) override {}
    void SetVolume(unsigned char) override {}
};

TEST_F(Sequence, ALongSequencePlaysOnAFlatStack) {
    StackProbe probe;
    tw::ScopedService<SoundService> installed(&probe);
    HandleSequenceMessage(0);
    for (int i = 0; i < 1000; ++i) Sound(i % 600);
    HandleSequenceMessage(255);
    EXPECT_EQ(probe.plays, 255L * 1000);
    EXPECT_LT(probe.highest - probe.lowest, 256u) << "every sound at the same depth";
}

TEST_F(Sequence, AStepRecordedBeyondTheCapIsDropped) {
    auto* s = new CSequence();
    const M_BYTE bytes[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < CSequence::MAX_STEPS + 10; ++i)
        CSequence::AddPacket(s, CSequence::SOUND_RECORD, bytes, 8);
    EXPECT_EQ(s->steps.size(), static_cast<size_t>(CSequence::MAX_STEPS));
    // An unknown kind ends the sequence instead of leaving it waiting.
    auto* odd = new CSequence();
    CSequence::AddPacket(odd, 42, bytes, 8);
    CSequence::AddPacket(odd, CSequence::SOUND_RECORD, bytes, 8);
    const M_DWORD id = odd->id;
    odd->Start(3);
    EXPECT_EQ(CSequence::Find(id), nullptr);
    EXPECT_TRUE(Played().empty());
    delete s;
}

TEST_F(Sequence, TheSoundAfterAFlightWaitsForTheFlightToEnd) {
    HandleSequenceMessage(0);
    EffectRequest e;
    e.type = 0;
    e.art = 0x3000;
    e.sourcePos = Coords(player->locX, player->locY, player->z);
    e.targetPos = Coords(static_cast<short>(player->locX + 3), player->locY, player->z);
    CreateEffect(e);
    Sound(33);
    const M_DWORD id = g_currentSequence->id;
    HandleSequenceMessage(1);
    ASSERT_NE(g_gumpList, nullptr);
    ASSERT_TRUE(g_gumpList->IsMissileGump());
    EXPECT_TRUE(Played().empty());
    int frames = 0;
    while (g_gumpList && g_gumpList->IsMissileGump() && frames < 100) {
        CGumpManager::Update();
        ++frames;
        if (frames == 1) {
            EXPECT_TRUE(Played().empty()) << "still flying";
        }
    }
    EXPECT_TRUE(Played().empty()) << "the sequence goes on at the next frame";
    CGumpManager::Update();
    EXPECT_EQ(Played(), std::vector<int>{33});
    EXPECT_EQ(CSequence::Find(id), nullptr);
}

TEST_F(Sequence, AnAnimationStepEndsWithTheAnimationOrWithItsMobile) {
    for (bool deleted : {false, true}) {
        sound.played.clear();
        CMobile* m = Creature(deleted ? 0x201 : 0x200);
        HandleSequenceMessage(0);
        m->SetAnimation(4, 3, 1, 0, 0, 0);  // recorded, not played
        EXPECT_EQ(m->animTableIndex, -1);
        Sound(44);
        HandleSequenceMessage(1);
        EXPECT_GE(m->animTableIndex, 0) << "the step plays the animation";
        EXPECT_TRUE(Played().empty());
        if (deleted) {
            m->Release();
        } else {
            for (int i = 0; i < 50 && m->animTableIndex >= 0; ++i) StepMobileAnimations();
        }
        EXPECT_TRUE(Played().empty()) << "the sequence goes on at the next frame";
        CGumpManager::Update();
        EXPECT_EQ(Played(), std::vector<int>{44}) << (deleted ? "deleted" : "ended");
    }
    // A mobile gone before its step: the step is skipped.
    sound.played.clear();
    CMobile* gone = Creature(0x202);
    HandleSequenceMessage(0);
    gone->SetAnimation(4, 3, 1, 0, 0, 0);
    Sound(45);
    gone->Release();
    HandleSequenceMessage(1);
    EXPECT_EQ(Played(), std::vector<int>{45});
}

TEST_F(Sequence, MessagesOutOfTurnOnlySaySo) {
    HandleSequenceMessage(4);
    EXPECT_EQ(WaitingText(), "not sequencing!");
    delete CGumpManager::modalGump;
    HandleSequenceMessage(0);
    CSequence* first = g_currentSequence;
    Sound(3);
    HandleSequenceMessage(0);
    EXPECT_EQ(WaitingText(), "already sequencing!");
    EXPECT_EQ(g_currentSequence, first) << "the recording goes on";
    Sound(4);
    HandleSequenceMessage(1);
    EXPECT_EQ(Played(), (std::vector<int>{3, 4}));
}

}  // namespace

// Graphic effects frame by frame (each UpdateState is one frame of the
// clock, the dice are scripted): flights and their arrival, frame stepping,
// fixed effects, what CreateEffect makes of each request, and what it
// records while a sequence is recorded.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "Random.h"
#include "ViewTestSupport.h"
#include "gumps/GumpManager.h"
#include "gumps/Sequence.h"
#include "resources/AnimData.h"
#include "view/Missile.h"
#include "view/RotatedBlit.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

namespace sample = tw::datafiles::sample;

// Art ids with no animation record whose tile data the tests set.
constexpr int kArt = 0x3000;

class Missile : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        StartSampleWorld();
        UseBackBuffer(640, 480, 640, 480, false);
        player = PlacePlayer(sample::kCrossroads.x, sample::kCrossroads.y);
        SetRandomSourceForTests([](int n) { return n > 0 ? n - 1 : 0; });
        SetFrames(kArt, 3);
    }
    void TearDown() override {
        CGumpManager::CloseAllMissiles();
        CSequence::reset();
        animCrap::reset();
        SetRandomSourceForTests(nullptr);
        ViewTest::TearDown();
    }
    static void SetFrames(int art, int frames) {
        CObjectManager::itemTiles[art].fieldB = static_cast<M_BYTE>(frames);
    }
    Coords Near(int dx, int dy, int dz = 0) const {
        return Coords(static_cast<short>(player->locX + dx), static_cast<short>(player->locY + dy),
                      static_cast<short>(player->z + dz));
    }
    CMobile* Creature(M_DWORD serial, Coords at) {
        CObjectManager::HandleMove(serial, 200, 0, 0, at.x, at.y, at.z, 0, 0, 0);
        return static_cast<CMobile*>(CObjectManager::FindObject(serial));
    }
    // Runs frames until the gump closes (at most limit); the frames it took.
    static int RunToEnd(CMissileGump* gump, int limit = 2000) {
        for (int frame = 1; frame <= limit; ++frame) {
            gump->UpdateState();
            if (!CGumpManager::IsGumpOpen(gump)) return frame;
        }
        return -1;
    }
    static std::vector<CMissileGump*> Missiles() {
        std::vector<CMissileGump*> out;
        for (CGump* g = g_gumpList; g; g = g->next)
            if (g->IsMissileGump()) out.push_back(static_cast<CMissileGump*>(g));
        return out;
    }
    CPlayer* player = nullptr;
};

TEST_F(Missile, FlightsToAPositionTakeTheirStepsAndEnd) {
    struct {
        const char* what;
        int dx, dy, dz, speed;
        int framesLeft;  // n + 1
        int frames;      // updates until it ends
    } cases[] = {
        {"no distance at all arrives at once", 0, 0, 0, 0, 1, 1},
        {"one cell east: 31 px in steps of 10", 1, 0, 0, 0, 4, 4},
        {"faster: steps of 20", 1, 0, 0, 5, 2, 2},
        {"a long flight outlasts an 8-bit counter", 200, 0, 0, 0, 623, 623},
    };
    for (const auto& c : cases) {
        CMissileGump* g =
            LaunchMissilePosToPos(kArt, Near(0, 0), Near(c.dx, c.dy, c.dz), c.speed, 0, 0);
        EXPECT_EQ(g->framesLeft, c.framesLeft) << c.what;
        EXPECT_FALSE(std::isnan(g->stepX)) << c.what;
        EXPECT_EQ(RunToEnd(g), c.frames) << c.what;
    }
    // One cell east: the point moves (7.33, 7.33) a frame, truncated toward
    // zero (three steps add up to just under 22).
    CMissileGump* g = LaunchMissilePosToPos(kArt, Near(0, 0), Near(1, 0), 0, 0, 0);
    const int x0 = g->x, y0 = g->y;
    std::vector<std::pair<int, int>> seen;
    for (int i = 0; i < 3; ++i) {
        g->UpdateState();
        seen.emplace_back(g->x - x0, g->y - y0);
    }
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{7, 7}, {14, 14}, {21, 21}}));
    EXPECT_EQ(g->direction, (RadiansToDirection256(std::atan2(22.0f, 22.0f)) + 128) & 255);
}

TEST_F(Missile, FixedDirectionKeepsTheFirstArtUnrotated) {
    CMissileGump* g = LaunchMissilePosToPos(kArt, Near(0, 0), Near(5, 0), 0, 1, 0);
    EXPECT_EQ(g->direction, 0);
    EXPECT_FALSE(g->rotates);
    EXPECT_EQ(g->lastArt, kArt);
    for (int i = 0; i < 5; ++i) {
        g->UpdateState();
        EXPECT_EQ(g->currentArt, kArt);
    }
    CMissileGump* turning = LaunchMissilePosToPos(kArt, Near(0, 0), Near(5, 0), 0, 0, 0);
    EXPECT_EQ(turning->lastArt, kArt + 2);
    std::vector<int> arts;
    for (int i = 0; i < 4; ++i) {
        turning->UpdateState();
        arts.push_back(turning->currentArt - kArt);
    }
    EXPECT_EQ(arts, (std::vector<int>{1, 2, 0, 1}));
}

TEST_F(Missile, AFlightAtAMobileFollowsItAndArrivesWithinTwentyFourPixels) {
    CMobile* target = Creature(0x77, Near(4, 0));
    CMissileGump* g = LaunchMissilePosToObj(kArt, Near(0, 0), target, 0, 0, 1);
    EXPECT_EQ(g->framesLeft, 0);
    EXPECT_EQ(g->speedFactor, 6);
    // It moves: the flight re-aims at its new place.
    CObjectManager::HandleMove(0x77, 200, 0, 0, target->locX, target->locY + 3, target->z, 0, 0, 0);
    g->UpdateState();
    EXPECT_EQ(g->targetPos.y, target->locY);
    const int frames = RunToEnd(g);
    EXPECT_GT(frames, 0);
    // The arrival effect: art 14027 one z unit above the target, 9 frames.
    const auto made = Missiles();
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0]->firstArt, 14027);
    EXPECT_EQ(made[0]->targetPos.z, target->z + 1);
    EXPECT_EQ(made[0]->framesLeft, 9);
    EXPECT_EQ(made[0]->frameDelay, 1);
    EXPECT_EQ(RunToEnd(made[0]), 9);

    // Arrival at a position: art 14001 for 13 frames.
    LaunchMissilePosToPos(kArt, Near(0, 0), Near(1, 0), 0, 0, 1)->framesLeft = 1;
    RunToEnd(Missiles()[0]);
    ASSERT_EQ(Missiles().size(), 1u);
    EXPECT_EQ(Missiles()[0]->firstArt, 14001);
    EXPECT_EQ(RunToEnd(Missiles()[0]), 13);
}

TEST_F(Missile, AFlightWhoseTargetIsDeletedEndsWithoutTouchingIt) {
    CMobile* target = Creature(0x78, Near(10, 0));
    CMissileGump* g = LaunchMissilePosToObj(kArt, Near(0, 0), target, 0, 0, 1);
    g->UpdateState();
    target->Release();
    EXPECT_EQ(RunToEnd(g), 1);
    EXPECT_TRUE(Missiles().empty()) << "no arrival effect for a vanished target";

    // An effect on a mobile ends with the mobile.
    CMobile* carrier = Creature(0x79, Near(2, 0));
    auto* on = new CMissileGump(static_cast<CObj*>(carrier), kArt, 10, 0, 0, 0);
    on->PutInGump(nullptr);
    EXPECT_EQ(carrier->attachedEffects, on);
    on->UpdateState();
    carrier->Release();
    EXPECT_EQ(RunToEnd(on), 1);
}

TEST_F(Missile, FramesStepForwardBackwardAndBounce) {
    struct {
        const char* what;
        int reverse, bounce;
        std::vector<int> arts;  // current art - first art after each update
    } cases[] = {
        {"forward", 0, 0, {1, 2, 0, 1, 2, 0}},
        {"forward with bounce", 0, 1, {1, 2, 1, 0, 1, 2}},
        {"backwards", 1, 0, {2, 1, 0, 2, 1, 0}},
        // Both start at the first art.
        {"backwards with bounce", 1, 1, {1, 2, 1, 0, 1, 2}},
    };
    for (const auto& c : cases) {
        auto* g = new CMissileGump(Near(1, 1), kArt, 10, 0, c.reverse, c.bounce);
        g->PutInGump(nullptr);
        std::vector<int> arts;
        for (size_t i = 0; i < c.arts.size(); ++i) {
            g->UpdateState();
            arts.push_back(g->currentArt - kArt);
        }
        EXPECT_EQ(arts, c.arts) << c.what;
        delete g;
    }
}

TEST_F(Missile, FixedEffectsLastTheirDurationAndNeverStall) {
    struct {
        const char* what;
        int speed, duration, frameDelay, frames;
    } cases[] = {
        {"five frames", 10, 5, 1, 5},    {"a duration of 0 lasts 256 frames", 10, 0, 1, 256},
        {"slow art", 3, 20, 8, 20},      {"speed 11 still steps every frame", 11, 4, 1, 4},
        {"speed 200 too", 200, 4, 1, 4},
    };
    for (const auto& c : cases) {
        auto* g = new CMissileGump(Near(1, 1), kArt, c.speed, c.duration, 0, 0);
        g->PutInGump(nullptr);
        EXPECT_EQ(g->frameDelay, c.frameDelay) << c.what;
        EXPECT_EQ(RunToEnd(g), c.frames) << c.what;
    }
}

TEST_F(Missile, ArtRecordsAreBoundedByWhatTheyHold) {
    // A tile with no frames: the last art is not before the first.
    SetFrames(kArt + 10, 0);
    auto* none = new CMissileGump(Near(1, 1), kArt + 10, 10, 0, 0, 1);
    none->PutInGump(nullptr);
    EXPECT_EQ(none->lastArt, kArt + 10);
    for (int i = 0; i < 4; ++i) {
        none->UpdateState();
        EXPECT_EQ(none->currentArt, kArt + 10);
    }
    // An animation record that claims 200 frames steps through its 64.
    AnimDataEntry& entry = animCrap::entries[kArt + 20];
    entry.frameCount = 200;
    entry.interval = 1;
    entry.start = 0;
    for (int i = 0; i < 64; ++i) entry.frames[i] = static_cast<std::int8_t>(i % 5);
    auto* animated = new CMissileGump(Near(1, 1), kArt + 20, 10, 0, 0, 0);
    animated->PutInGump(nullptr);
    EXPECT_TRUE(animated->animated);
    EXPECT_EQ(animated->frameDelay, 1) << "a start delay of 0 still steps";
    for (int i = 1; i <= 130; ++i) {
        animated->UpdateState();
        EXPECT_EQ(animated->lastArt, i % 64);
        EXPECT_EQ(animated->currentArt, kArt + 20 + (i % 64) % 5);
    }
}

TEST_F(Missile, CreateEffectMakesWhatTheRequestNames) {
    CMobile* a = Creature(0x81, Near(2, 0));
    CMobile* b = Creature(0x82, Near(-2, 1));
    struct {
        const char* what;
        int type;
        CObj* source;
        CObj* target;
        size_t made;
        bool followsObject, fixed, flicker, onMobile;
    } cases[] = {
        {"type 0, no objects: position to position", 0, nullptr, nullptr, 1, false, false, false,
         false},
        {"type 0, both: object to object", 0, a, b, 1, true, false, false, false},
        {"type 0, source only: object to position", 0, a, nullptr, 1, false, false, false, false},
        {"type 0, target only: position to object", 0, nullptr, b, 1, true, false, false, false},
        {"type 1 flickers on its object", 1, a, nullptr, 1, false, true, true, false},
        {"type 1 without an object: nothing", 1, nullptr, nullptr, 0, false, false, false, false},
        {"type 2 stays at the target position", 2, nullptr, nullptr, 1, false, true, false, false},
        {"type 3 stays on the mobile", 3, a, nullptr, 1, false, true, false, true},
        {"type 3 without an object: nothing", 3, nullptr, nullptr, 0, false, false, false, false},
        {"an unknown type: nothing", 9, a, b, 0, false, false, false, false},
    };
    for (const auto& c : cases) {
        EffectRequest e;
        e.type = c.type;
        e.source = c.source;
        e.target = c.target;
        e.art = kArt;
        e.sourcePos = Near(0, 0);
        e.targetPos = Near(3, 3);
        e.p[0] = 2;
        e.p[1] = 7;
        CreateEffect(e);
        const auto made = Missiles();
        ASSERT_EQ(made.size(), c.made) << c.what;
        if (c.made) {
            EXPECT_EQ(made[0]->targetSerial != 0 && !made[0]->fixed, c.followsObject) << c.what;
            EXPECT_EQ(made[0]->fixed != 0, c.fixed) << c.what;
            EXPECT_EQ(made[0]->flicker != 0, c.flicker) << c.what;
            EXPECT_EQ(made[0]->drawItem == nullptr, c.onMobile) << c.what;
        }
        CGumpManager::CloseAllMissiles();
    }
    EXPECT_EQ(a->attachedEffects, nullptr) << "closing unchains the effect";
}

TEST_F(Missile, WhileASequenceIsRecordedEachEffectIsOneStepRecord) {
    CMobile* a = Creature(0x91, Near(2, 0));
    g_sequencing = TRUE;
    g_currentSequence = new CSequence();
    EffectRequest e;
    e.art = 0x1234;
    e.sourcePos = Coords(1, 2, -3);
    e.targetPos = Coords(4, 5, 6);
    for (int i = 0; i < 6; ++i) e.p[i] = static_cast<M_BYTE>(i + 1);
    e.type = 0;
    CreateEffect(e);
    e.type = 0;
    e.source = a;
    CreateEffect(e);
    e.type = 2;
    CreateEffect(e);
    e.type = 3;
    e.source = nullptr;
    CreateEffect(e);  // needs an object: nothing recorded
    EXPECT_TRUE(Missiles().empty()) << "nothing shows while recording";
    const auto& steps = g_currentSequence->steps;
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].kind, 3);
    EXPECT_EQ(steps[0].data,
              (std::vector<M_BYTE>{0x34, 0x12, 1, 0, 2, 0, 0xFD, 0xFF, 4, 0, 5, 0, 6, 0, 1, 5, 6}));
    EXPECT_EQ(steps[1].kind, 5);
    EXPECT_EQ(steps[1].data,
              (std::vector<M_BYTE>{0x34, 0x12, 0x91, 0, 0, 0, 4, 0, 5, 0, 6, 0, 1, 5, 6}));
    EXPECT_EQ(steps[2].kind, 0);
    EXPECT_EQ(steps[2].data, (std::vector<M_BYTE>{4, 0, 5, 0, 6, 0, 0x34, 0x12, 1, 2, 3, 4}));

    // Played back, each record makes the effect it stands for; a record
    // naming a mobile that is gone is skipped.
    EXPECT_NE(PlayEffectRecord(3, steps[0].data.data(), 17), nullptr);
    EXPECT_NE(PlayEffectRecord(5, steps[1].data.data(), 15), nullptr);
    a->Release();
    EXPECT_EQ(PlayEffectRecord(5, steps[1].data.data(), 15), nullptr);
    EXPECT_EQ(PlayEffectRecord(3, steps[0].data.data(), 16), nullptr) << "a record cut short";
}

}  // namespace

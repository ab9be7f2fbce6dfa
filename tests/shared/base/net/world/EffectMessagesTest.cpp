// The effect, sound, light, clock, weather, sequence and target messages:
// sent by the loopback game server through the real connection, each
// reaches its effect; cut short, each is dropped with a log line; and the
// reply to a target cursor for each kind of pick.
#include <string>
#include <vector>

#include "WorldMessageFixture.h"
#include "net/ClientSock.h"
#include "net/EffectMessages.h"
#include "net/TargetState.h"
#include "support/LoopbackServer.h"
#include "support/doubles/RecordingSound.h"
#include "support/doubles/RecordingUpperServices.h"
#include "world/MultiTarget.h"
#include "world/Terrain.h"

using namespace tw::test;

namespace {

size_t g_dispatched = 0;
void Count(const PacketIn&) {
    ++g_dispatched;
}

constexpr M_DWORD kMobile = 0x44;

// The effect side of the messages, as one log of calls.
class RecordingEffects final : public EffectMessages {
public:
    std::vector<std::string> calls;
    BOOL recording = FALSE;

    void CreateEffect(int type, CObj* source, CObj* target, int art, Coords from, Coords to,
                      const M_BYTE p[6]) override {
        char text[160];
        snprintf(text, sizeof text, "Effect %d %X %X %d %d,%d,%d %d,%d,%d %d %d %d %d %d %d", type,
                 Serial(source), Serial(target), art, from.x, from.y, from.z, to.x, to.y, to.z,
                 p[0], p[1], p[2], p[3], p[4], p[5]);
        calls.emplace_back(text);
    }
    BOOL RecordSound(int sound, int, int, int) override {
        if (recording) calls.push_back("RecordSound " + std::to_string(sound));
        return recording;
    }
    void SequenceMessage(int value) override {
        calls.push_back("Sequence " + std::to_string(value));
    }

private:
    static M_DWORD Serial(CObj* o) {
        return o && o->IsDynamic() ? static_cast<CDynamicObj*>(o)->GetSerial() : 0;
    }
    tw::ScopedService<EffectMessages> installed_{this};
};

class EffectMessagesTest : public WorldMessageTest {
protected:
    void SetUp() override {
        WorldMessageTest::SetUp();
        MakePlayer(100, 100);
        PlaceMobile(kMobile, kHuman, 101, 100);
        g_dispatched = 0;
        PacketManager::SetDispatchObserverForTests(Count);
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
        ReplaceGameSocket(nullptr);
        delete g_multiTarget;
        g_multiTarget = nullptr;
        ResetTargetState();
        WorldMessageTest::TearDown();
    }
    // The server sends the message; the client handles it.
    void Step(const std::vector<M_BYTE>& message) {
        const size_t want = g_dispatched + 1;
        ASSERT_TRUE(server.SendMessage(message));
        ASSERT_TRUE(PollUntil([&] { return g_dispatched >= want; }));
    }

    LoopbackServer server;
    RecordingEffects effects;
    tw::doubles::RecordingWeather weather;
    tw::doubles::RecordingSound sound;
    tw::ScopedService<SoundService> sound_{&sound};
};

TEST_F(EffectMessagesTest, EachMessageFromTheServerReachesItsEffect) {
    // A moving effect from the mobile to a position; the target serial
    // names nothing and the source z is signed.
    Step(Msg(0x70)
             .u8(0)
             .u32(kMobile)
             .u32(0x999)
             .u16(0x36D4)
             .u16(10)
             .u16(20)
             .u8(0xFE)
             .u16(30)
             .u16(40)
             .u8(5)
             .u8(7)
             .u8(1)
             .u8(2)
             .u8(3)
             .u8(1)
             .u8(1));
    // An item is no effect object either.
    Step(Msg(0x70)
             .u8(3)
             .u32(kPlayerSerial + 0x40000000)
             .u32(0)
             .u16(1)
             .u16(0)
             .u16(0)
             .u8(0)
             .u16(0)
             .u16(0)
             .u8(0)
             .u8(0)
             .u8(0)
             .u8(0)
             .u8(0)
             .u8(0)
             .u8(0));
    ASSERT_EQ(effects.calls.size(), 2u);
    EXPECT_EQ(effects.calls[0], "Effect 0 44 0 14036 10,20,-2 30,40,5 7 1 2 3 1 1");
    EXPECT_EQ(effects.calls[1], "Effect 3 0 0 1 0,0,0 0,0,0 0 0 0 0 0 0");

    // Sounds: one at a place, the ambient one, one past the known ids.
    Step(Msg(0x54).u8(1).u16(0x2A).u16(0).u16(101).u16(102).u16(3));
    Step(Msg(0x54).u8(0).u16(0x10).u16(0).u16(0).u16(0).u16(0));
    Step(Msg(0x54).u8(1).u16(655).u16(0).u16(0).u16(0).u16(0));
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0].id, 0x2A);
    EXPECT_EQ(sound.played[0].x, 101);
    EXPECT_EQ(sound.ambient, std::vector<int>{0x10});
    // While a sequence records, the sound is its step instead.
    effects.recording = TRUE;
    Step(Msg(0x54).u8(1).u16(0x2B).u16(0).u16(1).u16(2).u16(3));
    EXPECT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(effects.calls.back(), "RecordSound 43");
    Step(Msg(0x7B).u8(0));
    Step(Msg(0x7B).u8(3));
    EXPECT_EQ(effects.calls[effects.calls.size() - 2], "Sequence 0");
    EXPECT_EQ(effects.calls.back(), "Sequence 3");

    // The player's light, the clock, the weather.
    Step(Msg(0x4E).u32(kPlayerSerial).u8(0xFB));
    EXPECT_EQ(pPlayerObject->personalLight, -5);
    Step(Msg(0x5B).u8(13).u8(61).u8(7));
    EXPECT_EQ(upper.Calls("GameClock"), std::vector<std::string>{"GameClock 13:61:7"});
    Step(Msg(0x65).u8(1).u8(40).u8(0xF6));
    ASSERT_EQ(weather.weather.size(), 1u);
    EXPECT_EQ(weather.weather[0], (std::vector<int>{1, 40, -10}));

    // A target cursor, then one with a list of objects shown at it.
    Step(Msg(0x6C).u8(1).u32(0xCAFE).u8(2).raw(std::vector<M_BYTE>(12)));
    EXPECT_EQ(g_targetCursorId, 0xCAFEu);
    EXPECT_EQ(g_targetType, 1);
    EXPECT_EQ(g_targetCursorFlag, 2);
    EXPECT_EQ(upper.Calls("BeginServerTarget").size(), 1u);
    g_multiTarget = new MultiTarget();
    Step(Msg(0xB4)
             .u8(0)
             .u32(0xBEEF)
             .u16(100)
             .u16(100)
             .u16(0)
             .u16(2)
             .u16(0x0E75)
             .u16(1)
             .u16(101)
             .u16(102)
             .u16(5)
             .u16(0x0E76)
             .u16(0)
             .u16(99)
             .u16(100)
             .u16(0));
    EXPECT_EQ(g_targetCursorId, 0xBEEFu);
    ASSERT_EQ(g_multiTarget->count, 2);
    EXPECT_EQ(g_multiTarget->components[0].graphic, 0x0E75);
    EXPECT_EQ(g_multiTarget->components[0].x, 1);
    EXPECT_EQ(g_multiTarget->components[0].y, 2);
    EXPECT_EQ(g_multiTarget->components[0].z, 5);
    EXPECT_EQ(g_multiTarget->components[1].x, -1);
    Step(Msg(0xB4).u8(0).u32(0xBEF0).u16(1).u16(1).u16(0).u16(0));
    EXPECT_EQ(g_multiTarget->count, 0) << "an empty list";
    // A multi placement with no such multi: the cursor alone.
    Step(Msg(0x99).u8(1).u32(0xD00D).raw(std::vector<M_BYTE>(12)).u16(7).u16(0).u16(0).u16(0));
    EXPECT_EQ(g_targetCursorId, 0xD00Du);

    // The server's target: its gump opens for a known mobile only.
    Step(Msg(0xAA).u32(kMobile));
    Step(Msg(0xAA).u32(0));
    EXPECT_EQ(g_serverTargetSerial, 0u);
    EXPECT_EQ(upper.Calls("SetServerTarget"), std::vector<std::string>{"SetServerTarget 44"});
}

TEST_F(EffectMessagesTest, EveryMessageCutShortIsDroppedWithALogLine) {
    struct {
        const char* name;
        std::vector<M_BYTE> message;
    } cases[] = {
        {"0x70", {0x70, 0, 0, 0, 0, 0x44, 0, 0, 0, 0, 0x36}},
        {"0x54", {0x54, 1, 0, 0x2A}},
        {"0x4E", {0x4E, 0, 0, 0, 1}},
        {"0x5B", {0x5B, 1, 2}},
        {"0x65", {0x65, 1}},
        {"0x7B", {0x7B}},
        {"0x6C", {0x6C, 1, 0, 0}},
        {"0x99", Msg(0x99).u8(1).u32(2).raw(std::vector<M_BYTE>(12)).u16(7)},
        {"0xB4", Msg(0xB4).u8(0).u32(1).u16(1).u16(1)},
        {"0xB4 count past its bytes",
         Msg(0xB4).u8(0).u32(1).u16(1).u16(1).u16(0).u16(3).raw(std::vector<M_BYTE>(25))},
        {"0xB4 count 65535", Msg(0xB4).u8(0).u32(1).u16(1).u16(1).u16(0).u16(0xFFFF)},
        {"0xAA", {0xAA, 0, 0}},
    };
    g_multiTarget = new MultiTarget();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int drops = DropsLogged();
        Dispatch(c.message);
        EXPECT_EQ(DropsLogged(), drops + 1);
    }
    EXPECT_TRUE(effects.calls.empty());
    EXPECT_TRUE(sound.played.empty());
    EXPECT_TRUE(weather.weather.empty());
    EXPECT_TRUE(upper.Calls("BeginServerTarget").empty());
    EXPECT_EQ(g_multiTarget->count, 0);
}

TEST_F(EffectMessagesTest, APickAnswersTheCursorWithWhatWasPicked) {
    Step(Msg(0x6C).u8(0).u32(0x77).u8(1).raw(std::vector<M_BYTE>(12)));
    CMobile* mobile = FindMobile(kMobile);
    PacketManager::SendTargetResponse(mobile);
    PacketManager::SendTargetResponse(mobile);  // the same mobile again
    PacketManager::SendTargetResponse(pPlayerObject);
    PacketManager::SendTargetResponse(nullptr);  // nothing sent
    const std::vector<Bytes> replies = PollMessages(server, 3);
    ASSERT_EQ(replies.size(), 3u);
    EXPECT_EQ(replies[0], (Bytes{0x6C, 0, 0, 0, 0, 0x77, 1, 0, 0, 0, 0x44, 0, 101, 0, 100, 0, 0,
                                 kHuman >> 8, kHuman & 0xFF}));
    EXPECT_EQ(replies[1][6], 0) << "the cursor flag is cleared by the first reply";
    EXPECT_EQ(replies[2][10], kPlayerSerial);
    EXPECT_EQ(upper.Calls("SetLastTarget"), std::vector<std::string>{"SetLastTarget 44"});
    EXPECT_EQ(g_lastTarget.kind, 1);
    EXPECT_EQ(g_lastTarget.serial, kMobile) << "picking the player leaves it";
    EXPECT_EQ(upper.Calls("EndTarget").size(), 3u);
}

}  // namespace

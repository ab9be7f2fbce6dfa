// A world the loopback game server describes, message by message, over the
// real connection and handlers, and then drawn: what the messages left in
// the world model is what the play area shows.
#include <gtest/gtest.h>

#include "ViewTestSupport.h"
#include "config/Config.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "net/WorldMessageState.h"
#include "support/LoopbackServer.h"
#include "support/ServerMessage.h"
#include "view/MapManager.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

namespace sample = tw::datafiles::sample;
using tw::test::LoginConfirm;
using tw::test::Msg;

size_t g_dispatched = 0;
void Count(const PacketIn&) {
    ++g_dispatched;
}

constexpr M_DWORD kPlayer = 0x1234;
constexpr M_DWORD kGuard = 0x50;
constexpr M_DWORD kTraveller = 0x51;
constexpr M_DWORD kBeast = 0x52;
constexpr M_DWORD kFallen = 0x53;
constexpr M_DWORD kCrate = 0x40000060;
constexpr M_DWORD kCorpse = 0x40000061;
constexpr M_DWORD kWorn = 0x40000100;

class ScriptedWorldDraw : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        StartSampleWorld();
        UseBackBuffer(640, 480, 640, 480, true);
        ShowTips = FALSE;
        ShowIncomingNames = FALSE;
        worldmsg::reset();
        InstallWorldHandlers();
        pPlayerObject = new CPlayer(0);

        g_dispatched = 0;
        PacketManager::SetDispatchObserverForTests(Count);
        ReplaceGameSocket(new CClientSock);
        ASSERT_TRUE(g_pGameSocket->Connect(tw::test::LoopbackServer::kAddress, server.port()));
        ASSERT_TRUE(server.WaitForConnections(1));
        M_DWORD seed = 0;
        ASSERT_TRUE(server.ReadSeed(&seed));
        g_pGameSocket->SetLoginStreamOff(TRUE);
        g_pGameSocket->SetGameMode(TRUE);
        server.SetGameMode(true);
    }

    void TearDown() override {
        ReplaceGameSocket(nullptr);
        PacketManager::reset();
        worldmsg::reset();
        ViewTest::TearDown();
    }

    void Step(const std::vector<M_BYTE>& message) {
        const size_t want = g_dispatched + 1;
        ASSERT_TRUE(server.SendMessage(message));
        ASSERT_TRUE(tw::test::PollUntil([&] { return g_dispatched >= want; }));
    }

    // 0x78: a mobile coming into view dressed in hair, a shirt and pants.
    void DressedMobileEnters(M_DWORD serial, int body, int dx, int dy, int direction, int hue,
                             int shirtHue, M_DWORD firstWorn) {
        Step(Msg(0x78)
                 .u32(serial)
                 .u16(body)
                 .u16(sample::kByTheFire.x + dx)
                 .u16(sample::kByTheFire.y + dy)
                 .u8(z())
                 .u8(direction)
                 .u16(hue)
                 .u8(0)
                 .u8(1)
                 .u32(firstWorn)
                 .u16(sample::kHair)
                 .u8(11)
                 .u32(firstWorn + 1)
                 .u16(sample::kShirt | 0x8000)
                 .u8(5)
                 .u16(shirtHue)
                 .u32(firstWorn + 2)
                 .u16(sample::kPants)
                 .u8(4)
                 .u32(0));
    }

    int z() const { return pPlayerObject->z; }

    tw::test::LoopbackServer server;
};

TEST_F(ScriptedWorldDraw, TheWorldTheServerDescribesIsDrawn) {
    // The player enters by the campfire; the ground's height there is the
    // player's.
    signed char corners[4];
    MapManager::GetLandCornerZ(sample::kByTheFire.x, sample::kByTheFire.y, corners);
    Step(LoginConfirm(kPlayer, sample::kMaleBody, sample::kByTheFire.x, sample::kByTheFire.y,
                      static_cast<M_WORD>(corners[0]), 2));
    ASSERT_EQ(CObjectManager::FindObject(kPlayer), pPlayerObject);
    // The player's position follows, and with it the view's offset.
    Step(Msg(0x20)
             .u32(kPlayer)
             .u16(sample::kMaleBody)
             .u8(0)
             .u16(0)
             .u8(0)
             .u16(sample::kByTheFire.x)
             .u16(sample::kByTheFire.y)
             .u16(0)
             .u8(2)
             .u8(static_cast<M_BYTE>(corners[0])));
    DressedMobileEnters(kPlayer, sample::kMaleBody, 0, 0, 2, 0, 38, kWorn);

    // Others come into view; one walks closer.
    DressedMobileEnters(kGuard, sample::kMaleBody, -3, -2, 3, 2186, 0, kWorn + 0x10);
    DressedMobileEnters(kTraveller, sample::kFemaleBody, 2, -3, 5, 2176, 2250, kWorn + 0x20);
    Step(Msg(0x78)
             .u32(kBeast)
             .u16(sample::kCreatureBody)
             .u16(sample::kByTheFire.x - 4)
             .u16(sample::kByTheFire.y + 3)
             .u8(z())
             .u8(1)
             .u16(2250)
             .u8(0)
             .u8(1)
             .u32(0));
    Step(Msg(0x77)
             .u32(kTraveller)
             .u16(sample::kFemaleBody)
             .u16(sample::kByTheFire.x + 2)
             .u16(sample::kByTheFire.y - 2)
             .u8(z())
             .u8(4)
             .u16(2176)
             .u8(0)
             .u8(1));

    // A crate is put down, and a man dies out of sight: his corpse, in his
    // shirt, lies near the guard.
    Step(Msg(0x1A)
             .u32(kCrate)
             .u16(sample::kCrate)
             .u16(sample::kByTheFire.x + 3)
             .u16(sample::kByTheFire.y + 1)
             .u8(z()));
    Step(Msg(0xAF).u32(kFallen).u32(kCorpse).u32(0));
    Step(Msg(0x1A)
             .u32(kCorpse | 0x80000000)
             .u16(CORPSE_OBJ)
             .u16(sample::kMaleBody)
             .u16(sample::kByTheFire.x + 1)
             .u16(sample::kByTheFire.y + 3)
             .u8(z()));
    Msg shirt(0x25);
    shirt.u32(kWorn + 0x31).u16(sample::kShirt).u8(0).u16(1).u16(0).u16(0).u32(kCorpse).u16(38);
    Step(shirt);
    Step(Msg(0x89).u32(kCorpse).u8(5).u32(kWorn + 0x31).u8(0));

    EXPECT_NE(CObjectManager::FindObject(kGuard), nullptr);
    ASSERT_NE(CObjectManager::FindObject(kCorpse), nullptr);
    EXPECT_TRUE(CObjectManager::FindObject(kCorpse)->IsCorpse());
    EXPECT_NE(CObjectManager::FindObject(kBeast), nullptr);
    Paint();
    EXPECT_TRUE(tw::test::MatchesGolden(PlayArea(), "shared/base/view/golden/scripted_world.png"));
}

}  // namespace

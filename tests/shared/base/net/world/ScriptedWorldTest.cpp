// A scripted world from the loopback game server: the real connection
// deciphers and frames the server's stream and hands each message to its
// handler, and after each step the world model is checked.
#include "WorldMessageFixture.h"
#include "config/Config.h"
#include "net/ClientSock.h"
#include "resources/DHDCache.h"
#include "resources/PatchOwners.h"
#include "support/LoopbackServer.h"
#include "support/datafiles/ArtFormats.h"
#include "support/datafiles/DataFiles.h"
#include "view/ViewServices.h"
#include "world/MoveManager.h"

using namespace tw::test;

namespace {

size_t g_dispatched = 0;
void Count(const PacketIn&) {
    ++g_dispatched;
}

constexpr M_DWORD kPlayer = 0x1234;
constexpr M_DWORD kGuard = 0x50;
constexpr M_DWORD kHelm = kItem | 0x60;
constexpr M_DWORD kPack = kItem | 0x61;
constexpr M_DWORD kCoin = kItem | 0x62;
constexpr M_DWORD kGem = kItem | 0x63;
constexpr M_DWORD kRock = kItem | 0x64;
constexpr M_DWORD kBody = kItem | 0x65;

class ScriptedWorldTest : public WorldMessageTest {
protected:
    void SetUp() override {
        WorldMessageTest::SetUp();
        // A small installation of the data files for the art update.
        for (int i = 0; i < CDHDCache::NUM_FILES; ++i)
            tw::datafiles::WriteBytes(CDHDCache::GetFileName(i),
                                      tw::datafiles::Bytes(i == FN_MAP0 ? 196 : 12, 0xFF));
        hdConfig = MaxHD;
        CDHDCache::startup();
        CDHDCache::Init();
        ShowTips = FALSE;
        pPlayerObject = new CPlayer(0);

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
        // The data-file updates act for an editing server (set after the
        // connection: an editing-server connection sends no seed).
        EditServerAddress = 0x7F000001;
    }

    void TearDown() override {
        ReplaceGameSocket(nullptr);
        CDHDCache::reset();
        WorldMessageTest::TearDown();
    }

    // The server sends the message; the client handles it.
    void Step(const std::vector<M_BYTE>& message) {
        const size_t want = g_dispatched + 1;
        ASSERT_TRUE(server.SendMessage(message));
        ASSERT_TRUE(PollUntil([&] { return g_dispatched >= want; }));
    }

    LoopbackServer server;
    tw::ScopedService<PatchOwners> owners_{&ViewDataFileOwners()};
};

TEST_F(ScriptedWorldTest, AWorldArrivesMovesFightsAndDies) {
    // Login confirmation: the player enters at its position.
    Step(LoginConfirm(kPlayer, kHuman, 1000, 1000, 0, 4));
    CPlayer* player = pPlayerObject;
    ASSERT_EQ(Find(kPlayer), player);
    EXPECT_EQ(player->locX, 1000);
    EXPECT_EQ(player->direction, 4);

    // The player's position and status.
    Step(Msg(0x20).u32(kPlayer).u16(kHuman).u8(0).u16(33).u8(0).u16(1001).u16(1002).u16(0).u8(2).u8(
        5));
    EXPECT_EQ(player->locX, 1001);
    EXPECT_EQ(player->locY, 1002);
    EXPECT_EQ(player->z, 5);
    EXPECT_EQ(player->hue, 33);
    Step(Msg(0x11)
             .u32(kPlayer)
             .text("Alia", 30)
             .u16(70)
             .u16(80)
             .u8(0)
             .u8(1)
             .u8(0)
             .u16(50)
             .u16(40)
             .u16(30)
             .u16(11)
             .u16(12)
             .u16(21)
             .u16(22)
             .u32(500)
             .u16(0)
             .u16(0));
    EXPECT_STREQ(worldmsg::status.name, "Alia");
    EXPECT_EQ(worldmsg::status.vital3Maximum, 12);
    Step(Msg(0x2D).u32(kPlayer).u16(80).u16(70).u16(22).u16(21).u16(12).u16(11));
    EXPECT_EQ(player->vitalCurrent[2], 11);

    // A guard with a helmet and a backpack comes into view.
    Step(Msg(0x78)
             .u32(kGuard)
             .u16(kHuman)
             .u16(1003)
             .u16(1002)
             .u8(5)
             .u8(6)
             .u16(0)
             .u8(0)
             .u8(1)
             .u32(kHelm)
             .u16(kShirt | 0x8000)
             .u8(6)
             .u16(44)
             .u32(kPack)
             .u16(kBag)
             .u8(21)
             .u32(0));
    CMobile* guard = FindMobile(kGuard);
    ASSERT_NE(guard, nullptr);
    EXPECT_EQ(guard->locX, 1003);
    EXPECT_EQ(guard->equippedItem[6], Find(kHelm));
    EXPECT_EQ(Find(kHelm)->hue, 44);
    EXPECT_EQ(guard->equippedItem[21], Find(kPack));

    // Items on the ground and in the backpack.
    Step(Msg(0x1A).u32(kRock).u16(kShirt).u16(1004).u16(1004).u8(0));
    EXPECT_EQ(Find(kRock)->locX, 1004);
    Msg contents(0x3C);
    contents.u16(2);
    ContainerRecord(contents, kCoin, kShirt, 12, 40, 50, kPack);
    ContainerRecord(contents, kGem, kShirt, 1, 60, 70, kPack);
    Step(contents);
    EXPECT_EQ(Find(kCoin)->containedBy, Find(kPack));
    EXPECT_EQ(Find(kCoin)->amount, 12);
    EXPECT_EQ(Find(kGem)->containedBy, Find(kPack));

    // Hostile messages on the same connection are dropped and the script
    // goes on.
    Msg pastTheEnd(0x3C);
    pastTheEnd.u16(40);
    ContainerRecord(pastTheEnd, kItem | 0x70, kShirt, 1, 1, 1, kPack);
    Step(pastTheEnd);
    Step(Msg(0x2E).u32(kItem | 0x71).u16(kShirt).u8(0).u8(200).u32(kGuard).u16(0));
    Step(Msg(0x78)
             .u32(kGuard)
             .u16(kHuman)
             .u16(1003)
             .u16(1002)
             .u8(5)
             .u8(6)
             .u16(0)
             .u8(0)
             .u8(1)
             .u32(kItem | 0x72)
             .u16(kShirt)
             .u8(99)
             .u32(0));
    EXPECT_EQ(Find(kItem | 0x70), nullptr);
    EXPECT_EQ(Find(kItem | 0x71), nullptr);
    EXPECT_EQ(Find(kItem | 0x72), nullptr);
    EXPECT_EQ(guard->equippedItem[6], Find(kHelm));
    EXPECT_EQ(Find(kCoin)->containedBy, Find(kPack));
    const size_t drops = ReportLog().find("dropped");
    EXPECT_NE(drops, std::string::npos);

    // The guard walks; the rock goes.
    Step(Msg(0x77).u32(kGuard).u16(kHuman).u16(1004).u16(1002).u8(5).u8(2).u16(0).u8(0).u8(1));
    int x, y, z;
    guard->GetTargetCell(&x, &y, &z);
    EXPECT_EQ(x, 1004);
    Step(Msg(0x1D).u32(kRock));
    EXPECT_EQ(Find(kRock), nullptr);

    // War, skills and an extended command of each kind.
    Step(Msg(0x72).u8(1).u8(4).u8(0).u8(0));
    EXPECT_EQ(upper.Calls("ApplyWarMode"), std::vector<std::string>{"ApplyWarMode 1"});
    Step(Msg(0x3A).u8(0).u16(1).u16(555).u16(2).u16(666).u16(0));
    EXPECT_EQ(worldmsg::skills.values[1], 666);
    Msg keys(0xBF);
    keys.u16(1);
    for (int i = 0; i < 10; ++i) keys.u32(0x100 + i);
    Step(keys);
    player->walkKeys[4] = 0;
    Step(Msg(0xBF).u16(2).u32(0xABC));
    EXPECT_EQ(player->walkKeys[4], 0xABCu);
    Step(
        Msg(0xBF).u16(3).text("gm@shard", 32).text("Alia", 32).text("Stuck", 32).text("Help", 128));

    // The guard dies: its corpse, the link and the corpse's equipment.
    Step(Msg(0xAF).u32(kGuard).u32(kBody).u32(0));
    ASSERT_EQ(CObjectManager::linkedPairs.size(), 1u);
    EXPECT_EQ(CObjectManager::linkedPairs[0].first, kBody);
    Step(Msg(0x1A).u32(kBody | 0x80000000).u16(CORPSE_OBJ).u16(1).u16(1004).u16(1002).u8(5));
    ASSERT_TRUE(Find(kBody)->IsCorpse());
    Step(Msg(0x89).u32(kBody).u8(6).u32(kHelm).u8(21).u32(kPack).u8(0));
    EXPECT_EQ(static_cast<CCorpse*>(Find(kBody))->equippedSerial[6], kHelm);

    // Tile data and art from the editing server.
    Msg group(0x41);
    group.u32(512 + kBag / 32).u32(0);
    for (int i = 0; i < 32; ++i)
        group.u32(i == kBag % 32 ? TILE_CONTAINER : 0)
            .u8(0)
            .u8(0)
            .u32(0)
            .u16(0)
            .u16(0)
            .u16(0)
            .u8(3)
            .text("thing", 20);
    Step(group);
    EXPECT_EQ(CObjectManager::ItemTile(kBag).height, 3);
    EXPECT_TRUE(CObjectManager::IsContainerTile(kBag));
    const tw::datafiles::Bytes land = tw::datafiles::LandTileSolid(0x0421);
    Step(Msg(0x42).u32(7).u32(0).u32(2048).raw(land));
    int size = 0, extra = 0;
    EXPECT_NE(CDHDCache::GetCacheItem(FN_ARTIDX, FN_ART, 7, &size, &extra), nullptr);
    EXPECT_EQ(size, 2048);
    Step(Msg(0x42).u32(7).u32(0).u32(0xFFFFFFFF));
    EXPECT_EQ(CDHDCache::GetCacheItem(FN_ARTIDX, FN_ART, 7, &size, &extra), nullptr);

    // The connection is still up and the walk state in step.
    EXPECT_NE(g_pGameSocket, nullptr);
    EXPECT_FALSE(MoveManager::resync);
}

}  // namespace

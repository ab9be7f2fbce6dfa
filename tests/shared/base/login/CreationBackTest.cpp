// The profession gump's back arrow when the account has no character: the
// client leaves the game server, logs in to the login server again with the
// account it used, and the shard list comes back; when the login server
// cannot be reached, the message stands over the profession gump.
#include <memory>
#include <string>
#include <vector>

#include "ProcessFlags.h"
#include "app/App.h"
#include "app/AppServices.h"
#include "gumps/GumpManager.h"
#include "gumps/WaitingGump.h"
#include "login/CharCreation.h"
#include "login/CreationGumps.h"
#include "login/LoginRoad.h"
#include "login/ProfessionGump.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "shared/base/gumps/GumpTestSupport.h"
#include "support/LoopbackServer.h"
#include "support/ScriptedServer.h"
#include "support/ServerMessage.h"
#include "support/doubles/RecordingConnection.h"
#include "support/doubles/RecordingLoginScreens.h"

namespace {

using tw::test::Bytes;
using tw::test::Msg;
using tw::test::PollUntil;
using tw::test::ScriptedServer;

int Count(const std::vector<std::string>& calls, const std::string& line) {
    int n = 0;
    for (const std::string& c : calls) n += c == line;
    return n;
}

class CreationBackTest : public tw::test::GumpTest {
protected:
    void SetUp() override {
        GumpTest::SetUp();
        // After the stand-ins and the real screens, which they replace.
        upper = std::make_unique<tw::doubles::RecordingConnection>();
        screens = std::make_unique<tw::doubles::RecordingLoginScreens>();
        InstallLoginHandlers();
        InstallCharacterCreation();
        g_timeZoneMinutesWest = 0;
        login::ResetLoginRoad();
        ReplaceGameSocket(new CClientSock);
    }
    void TearDown() override {
        while (CGump* head = g_gumpList) delete head;
        ReplaceGameSocket(nullptr);
        PacketManager::reset();
        screens.reset();
        upper.reset();
        GumpTest::TearDown();
    }

    std::unique_ptr<tw::doubles::RecordingConnection> upper;
    std::unique_ptr<tw::doubles::RecordingLoginScreens> screens;
};

TEST_F(CreationBackTest, BackWithoutCharactersLogsInAgainAndShowsTheShards) {
    ScriptedServer game(ScriptedServer::kGame);
    Msg none(0xA9);
    none.u8(0);
    for (int k = 0; k < 5; ++k) none.text("", 60);
    none.u8(0);  // no city
    game.On(0x91, {none});
    ScriptedServer login(ScriptedServer::kLogin);
    Msg shards(0xA8);
    shards.u8(77).u16(1).u16(7).text("First", 32).u8(0).u8(0).u32(ScriptedServer::address());
    login.On(0x80, {shards});
    login.On(0xA0, [&](const Bytes&) {
        return std::vector<Bytes>{
            Msg(0x8C).u32(ScriptedServer::address()).u16(game.port()).u32(0xCAFE0042)};
    });
    tw::test::WriteLoginCfg(".", login.port());
    CApp::readConfig("login.cfg", 0);
    ASSERT_EQ(CApp::ConnectToServer(), 1);
    std::string account = "wanderer", password = "secret";
    ASSERT_TRUE(CApp::SendAcctLogin(account.data(), password.data(), 5));
    ASSERT_TRUE(PollUntil([&] { return Count(screens->calls, "ShowShards 1 0") == 1; }));
    PDSTRUCT choice;
    PacketManager::BuildSelectServer(&choice, 7);
    ASSERT_TRUE(g_pGameSocket->Write(&choice));
    ASSERT_TRUE(game.WaitForPolling(0x91));
    ASSERT_TRUE(PollUntil([&] { return login::g_road.onGameServer && g_pGameSocket->IsGameMode(); }));
    ASSERT_TRUE(PollUntil([&] { return Count(screens->calls, "NewCharacterList") == 1; }));
    ASSERT_EQ(login::g_road.characterCount, 0);

    tw::Service<CharacterCreation>::Get().OpenProfessionGump();
    ProfessionGump* g = pProfessionGump;
    ASSERT_NE(g, nullptr);
    g->BackFromSkills();
    EXPECT_EQ(pProfessionGump, nullptr);

    // A second connection to the login server, with the same account and
    // the key of the shard list.
    Bytes again;
    ASSERT_TRUE(login.WaitForPolling(0x80, &again, ScriptedServer::kTimeoutMs, 1));
    EXPECT_EQ(again, Bytes(Msg(0x80).text(account, 30).text(password, 30).u8(77)));
    EXPECT_EQ(login.Connections(), 2);
    EXPECT_FALSE(g_pGameSocket->IsGameMode());
    EXPECT_TRUE(PollUntil([&] { return Count(screens->calls, "ShowShards 1 0") == 2; }));
}

TEST_F(CreationBackTest, UnreachableLoginServerLeavesTheProfessionGumpUnderItsMessage) {
    M_WORD port;
    {
        tw::test::LoopbackServer gone;
        port = gone.port();
    }
    tw::test::WriteLoginCfg(".", port);
    CApp::readConfig("login.cfg", 0);
    tw::Service<CharacterCreation>::Get().OpenProfessionGump();
    ProfessionGump* g = pProfessionGump;
    ASSERT_NE(g, nullptr);
    g->BackFromSkills();
    ASSERT_EQ(pProfessionGump, g);
    EXPECT_FALSE(g->visible);
    auto* box = static_cast<CWaitingGump*>(CGumpManager::pWaitingGump);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->ownerGump, g);
    EXPECT_STREQ(reinterpret_cast<const char*>(box->text),
                 "Couldn't connect to Tarrowmere.  Please try again in a few moments.");
    box->CloseOrLogout();
    EXPECT_TRUE(g->visible);
}

}  // namespace

// The whole login road through the real connection code against the
// scripted login and game servers on 127.0.0.1: the account login, the
// shard list, the shard choice, the relay to the game server, its login,
// the character list and the play request.  A recording double stands in
// for the login screens; where a screen would send (the shard choice), the
// test sends what the screen sends.
#include <string>
#include <vector>

#include "ProcessFlags.h"
#include "app/App.h"
#include "config/Config.h"
#include "login/LoginRoad.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "support/ScriptedServer.h"
#include "support/ServerMessage.h"
#include "support/TwTest.h"
#include "support/doubles/RecordingConnection.h"
#include "support/doubles/RecordingLoginScreens.h"

namespace {

using tw::test::Bytes;
using tw::test::Msg;
using tw::test::PollUntil;
using tw::test::ScriptedServer;

constexpr M_DWORD kRelayKey = 0xCAFE0042;

Bytes ShardList(M_BYTE nextKey) {
    Msg m(0xA8);
    m.u8(nextKey).u16(2);
    m.u16(7).text("First", 32).u8(0).u8(0).u32(ScriptedServer::address());
    m.u16(9).text("Second", 32).u8(0).u8(0).u32(ScriptedServer::address());
    return m;
}

Bytes Relay(M_WORD port) {
    return Msg(0x8C).u32(ScriptedServer::address()).u16(port).u32(kRelayKey);
}

Bytes CharacterList() {
    Msg m(0xA9);
    m.u8(2).text("Alpha", 30).text("", 30).text("Beta", 30).text("", 30);
    for (int k = 2; k < 5; ++k) m.text("", 60);
    m.u8(1).u8(0).text("Harbour", 31).text("The Inn", 31);
    return m;
}

bool Has(const std::vector<std::string>& calls, const std::string& line) {
    for (const std::string& c : calls)
        if (c == line) return true;
    return false;
}

class LoginNetworkTest : public tw::test::TwTest {
protected:
    void SetUp() override {
        TwTest::SetUp();
        InstallLoginHandlers();
        g_timeZoneMinutesWest = 0;
        ReplaceGameSocket(new CClientSock);
    }
    void TearDown() override {
        ReplaceGameSocket(nullptr);
        PacketManager::reset();
        TwTest::TearDown();
    }

    tw::doubles::RecordingConnection upper;
    tw::doubles::RecordingLoginScreens screens;
};

TEST_F(LoginNetworkTest, TheRoadFromAccountToCharacter) {
    ScriptedServer game(ScriptedServer::kGame);
    game.On(0x91, {CharacterList()});
    ScriptedServer login(ScriptedServer::kLogin);
    login.On(0x80, {ShardList(77)});
    login.On(0xA0, [&](const Bytes&) { return std::vector<Bytes>{Relay(game.port())}; });

    // The client finds its login server through login.cfg.
    tw::test::WriteLoginCfg(".", login.port());
    CApp::readConfig("login.cfg", 0);
    ASSERT_EQ(CApp::ConnectToServer(), 1);
    screens.open = kLoginAcctGump;

    std::string account = "wanderer";
    std::string password(30, 'k');
    ASSERT_TRUE(CApp::SendAcctLogin(account.data(), password.data(), 5));
    Bytes acct;
    ASSERT_TRUE(login.WaitForPolling(0x80, &acct));
    EXPECT_EQ(acct, Bytes(Msg(0x80).text(account, 30).text(password, 30).u8(5)));

    // The shard list reaches the screens in its order, and its key is kept.
    ASSERT_TRUE(PollUntil([&] { return Has(screens.calls, "ShowShards 2 0"); }));
    EXPECT_TRUE(Has(screens.calls, "Shard 7 0 First"));
    EXPECT_TRUE(Has(screens.calls, "Shard 9 0 Second"));
    EXPECT_EQ(login::g_road.nextLoginKey, 77);

    // The second shard is chosen: its id goes out.
    PDSTRUCT choice;
    PacketManager::BuildSelectServer(&choice, 9);
    ASSERT_TRUE(g_pGameSocket->Write(&choice));
    Bytes selected;
    ASSERT_TRUE(login.WaitForPolling(0xA0, &selected));
    EXPECT_EQ(selected, (Bytes{0xA0, 0, 9}));

    // The relay: a new connection to the game server's port on the same
    // address, the relay key as its seed, then the game login.
    Bytes gameLogin;
    ASSERT_TRUE(game.WaitForPolling(0x91, &gameLogin));
    EXPECT_EQ(game.Seeds(), std::vector<M_DWORD>{kRelayKey});
    EXPECT_EQ(gameLogin, Bytes(Msg(0x91).u32(kRelayKey).text(account, 30).text(password, 30)));
    EXPECT_EQ(login.Connections(), 1);
    EXPECT_TRUE(g_pGameSocket->IsGameMode());
    EXPECT_EQ(g_pGameSocket->PeerPort(), game.port());

    // The character list, compressed by the game server, reaches the screens.
    ASSERT_TRUE(PollUntil([&] { return Has(screens.calls, "AddCharacter 1 Beta "); }));
    EXPECT_TRUE(Has(screens.calls, "AddCharacter 0 Alpha "));
    EXPECT_STREQ(login::g_road.cityText[0], "Harbour: The Inn");

    // Playing the second character sends its name and slot.
    char name[] = "Beta";
    char none[] = "";
    ASSERT_TRUE(CApp::SendPlayChar(name, none, 1));
    Bytes play;
    ASSERT_TRUE(game.WaitForPolling(0x5D, &play));
    ASSERT_EQ(play.size(), 73u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&play[5])), "Beta");
    EXPECT_EQ(play[65] << 24 | play[66] << 16 | play[67] << 8 | play[68], 1);
}

// The login server closing the connection in the middle of the road is seen
// by the client as a closed connection.
TEST_F(LoginNetworkTest, TheLoginServerClosingMidRoadClosesTheConnection) {
    ScriptedServer login(ScriptedServer::kLogin);
    login.CloseAfter(0x80);
    ASSERT_TRUE(g_pGameSocket->Connect(ScriptedServer::address(), login.port()));
    std::string account = "a";
    std::string password = "b";
    ASSERT_TRUE(CApp::SendAcctLogin(account.data(), password.data(), 0));
    ASSERT_TRUE(login.WaitForPolling(0x80));
    EXPECT_TRUE(PollUntil([&] { return g_pGameSocket->Descriptor() == -1; }));
}

}  // namespace

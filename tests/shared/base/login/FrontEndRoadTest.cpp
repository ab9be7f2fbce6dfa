// The front end over the real application, screens, handlers and
// connection code against the scripted login and game servers: what each
// refusal shows, a server closing the connection at each stage of the road,
// the login completion held by the entering box, deleting a character, Enter
// on the selection, and what a whole login leaves in tw.cfg.
#include <functional>
#include <string>
#include <vector>

#include "ProcessFlags.h"
#include "app/App.h"
#include "app/AppServices.h"
#include "app/SmallMessages.h"
#include "config/Config.h"
#include "gumps/ButtonGump.h"
#include "gumps/GumpManager.h"
#include "gumps/InputControlGump.h"
#include "gumps/MouseManager.h"
#include "gumps/ToggleControlGump.h"
#include "gumps/WaitingGump.h"
#include "login/FrontEnd.h"
#include "login/LoginRoad.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "resources/GraphicManager.h"
#include "shared/base/gumps/GumpTestSupport.h"
#include "support/LoginRoadMessages.h"
#include "support/ScriptedServer.h"
#include "support/ServerMessage.h"

namespace {

using tw::test::Bytes;
using tw::test::Msg;
using tw::test::PollUntil;
using tw::test::RowanAndSable;
using tw::test::ScriptedServer;
using tw::test::TwoShardList;

constexpr M_DWORD kRelayKey = 0x0BADF00D;

std::string BoxText() {
    auto* box = static_cast<CWaitingGump*>(CGumpManager::pWaitingGump);
    if (!box || !CGumpManager::IsGumpOpen(box)) return "";
    return reinterpret_cast<const char*>(box->text);
}

class FrontEndRoadTest : public tw::test::GumpTest {
protected:
    void SetUp() override {
        GumpTest::SetUp();
        InstallLoginHandlers();
        InstallSmallMessageHandlers();
        std::vector<std::pair<int, tw::datafiles::Image>> art;
        for (int id : {1140, 1141, 1150, 2070}) art.push_back({id, tw::datafiles::Image(40, 20, 0x1234)});
        for (int id = 2600; id <= 2608; ++id) art.push_back({id, tw::datafiles::Image(10, 10, 0x0421)});
        tw::test::InstallGumpArt(art);
        login::ResetLoginRoad();
        g_timeZoneMinutesWest = 0;
        LastServerID = 0;
        RememberAcctPW = FALSE;
        AcctID[0] = AcctPassword[0] = 0;
        ReplaceGameSocket(new CClientSock);
        game.On(0x91, {RowanAndSable(0xA9, true)});
        login.On(0x80, {TwoShardList(42)});
        login.On(0xA0, [&](const Bytes&) {
            return std::vector<Bytes>{Msg(0x8C).u32(ScriptedServer::address())
                                          .u16(game.port())
                                          .u32(kRelayKey)};
        });
        tw::test::WriteLoginCfg(".", login.port());
        CApp::readConfig("login.cfg", 0);
    }
    void TearDown() override {
        CGumpManager::CloseAllGumps();
        if (GraphicManager::pMainMenuGump) delete GraphicManager::pMainMenuGump;
        CApp::connected = FALSE;
        g_loginComplete = FALSE;
        g_worldShown = FALSE;
        ReplaceGameSocket(nullptr);
        PacketManager::reset();
        GumpTest::TearDown();
    }

    // The main menu with the account typed in, and its arrow pressed.
    void TypeAccountAndConnect() {
        if (!GraphicManager::pMainMenuGump) {
            GraphicManager::pMainMenuGump = new CMainMenuGump();
            GraphicManager::pMainMenuGump->PutInGump(nullptr);
        }
        ASSERT_NE(pAcctLoginGump, nullptr);
        pAcctLoginGump->accountField->SetText("player");
        pAcctLoginGump->passwordField->SetText("secret");
        pAcctLoginGump->savePassword->SetState(1);
        pAcctLoginGump->Connect();
    }
    // From the main menu to the character selection of the game server.
    void RoadToCharacterSelection() {
        TypeAccountAndConnect();
        ASSERT_TRUE(PollUntil([] { return pShardGump != nullptr; }));
        pShardGump->SelectShard(2);
        ASSERT_TRUE(PollUntil([] { return pLGump != nullptr && pLGump->visible; }));
    }
    // Presses the open box's button (Enter is the button).
    static void AnswerBox() {
        ASSERT_NE(CGumpManager::pWaitingGump, nullptr);
        CGumpManager::pWaitingGump->HandleKey(13);
    }

    ScriptedServer game{ScriptedServer::kGame};
    ScriptedServer login{ScriptedServer::kLogin};
    AppConnectionEvents events;
    AppConnectionWindows windows;
    tw::ScopedService<ConnectionEvents> events_{&events};
    tw::ScopedService<ConnectionWindows> windows_{&windows};
};

// Every refusal of the account shows its own text over the hidden login box,
// with a button, and no busy cursor; the server then closes the connection,
// which keeps the message and asks for no new login.  Without a text (254)
// the closed connection says so itself.
TEST_F(FrontEndRoadTest, EachRefusalShowsItsTextAndTheClosedConnectionKeepsIt) {
    const std::string problem =
        "There is some problem communicating with Corvane. Please restart Tarrowmere and try "
        "again.";
    struct Case {
        M_BYTE reason;
        std::string text;
        BOOL logout;
    } cases[] = {
        {0,
         "Either the Account Name or Password you provided were incorrect.  If this is a new "
         "account your account may not be active yet.  Please try again shortly.",
         TRUE},
        {1, "Someone is already using this account.", FALSE},
        {2, "Your account has been blocked. Please visit ", FALSE},
        {3, "Your account credentials are invalid. Check your user ID and password and try again.",
         FALSE},
        {9, problem, TRUE},
        {254, "Connection lost", FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.reason));
        login.On(0x80, {Msg(0x82).u8(c.reason)});
        login.CloseAfter(0x80);
        const int connections = login.Connections();
        TypeAccountAndConnect();
        ASSERT_TRUE(PollUntil([&] { return BoxText().rfind(c.text, 0) == 0; }))
            << "shown: " << BoxText();
        ASSERT_TRUE(PollUntil([] { return g_pGameSocket->Descriptor() == -1; }));
        for (int i = 0; i < 20; ++i) g_pGameSocket->Poll();
        EXPECT_EQ(BoxText().rfind(c.text, 0), 0u) << "shown: " << BoxText();
        EXPECT_EQ(login.Connections(), connections + 1) << "no login again";
        EXPECT_FALSE(CApp::IsConnected());
        auto* box = static_cast<CWaitingGump*>(CGumpManager::pWaitingGump);
        EXPECT_EQ(box->logout, c.logout);
        EXPECT_EQ(box->ownerGump, pAcctLoginGump);
        EXPECT_EQ(MouseManager::BusyCount(), 0);
        EXPECT_FALSE(pAcctLoginGump->visible);
        // The answer brings the login box back (or, with logout, a new main
        // menu and its login box).
        AnswerBox();
        ASSERT_NE(pAcctLoginGump, nullptr);
        EXPECT_TRUE(pAcctLoginGump->visible);
        EXPECT_EQ(CGumpManager::pWaitingGump, nullptr);
    }
}

// A server closing the connection at any stage before the world: the road's
// screens close and the main menu says "Connection lost" over its login box;
// nothing connects again on its own.
TEST_F(FrontEndRoadTest, ConnectionClosedMidRoadReturnsToTheMainMenu) {
    struct Case {
        const char* stage;
        std::function<void()> drive;
    } cases[] = {
        {"verifying the account",
         [this] {
             login.On(0x80, std::vector<Bytes>{});
             login.CloseAfter(0x80);
             TypeAccountAndConnect();
         }},
        {"on the shard list",
         [this] {
             TypeAccountAndConnect();
             ASSERT_TRUE(PollUntil([] { return pShardGump != nullptr; }));
             login.Close();
         }},
        {"relayed, waiting for the characters",
         [this] {
             game.On(0x91, std::vector<Bytes>{});
             game.CloseAfter(0x91);
             TypeAccountAndConnect();
             ASSERT_TRUE(PollUntil([] { return pShardGump != nullptr; }));
             pShardGump->SelectShard(1);
         }},
        {"on the character selection",
         [this] {
             RoadToCharacterSelection();
             game.Close();
         }},
        {"entering the world",
         [this] {
             game.CloseAfter(0x5D);
             RoadToCharacterSelection();
             pLGump->AskPlayChar();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stage);
        const int logins = login.Connections();
        c.drive();
        ASSERT_TRUE(PollUntil([] { return BoxText() == "Connection lost"; }))
            << "shown: " << BoxText();
        for (int i = 0; i < 20; ++i) g_pGameSocket->Poll();
        EXPECT_EQ(BoxText(), "Connection lost");
        EXPECT_EQ(login.Connections(), logins + 1);
        EXPECT_EQ(pShardGump, nullptr);
        EXPECT_EQ(pLGump, nullptr);
        EXPECT_NE(GraphicManager::pMainMenuGump, nullptr);
        EXPECT_FALSE(CApp::IsConnected());
        EXPECT_EQ(g_pGameSocket->Descriptor(), -1);
        EXPECT_EQ(MouseManager::BusyCount(), 0);
        AnswerBox();
        EXPECT_TRUE(pAcctLoginGump->visible);
        // The defaults for the next case.
        login.On(0x80, {TwoShardList(42)});
        game.On(0x91, {RowanAndSable(0xA9, true)});
        for (M_BYTE id : {0x80, 0x91, 0x5D}) {
            login.CloseAfter(id, false);
            game.CloseAfter(id, false);
        }
    }
}

// The world's completion arriving while the entering box is still up waits
// for its button, which enters the world; the world's own arrival (closing
// the front end) runs a held completion instead of losing i
TEST_F(FrontEndRoadTest, LoginCompletionWaitsForTheEnteringBox) {
    for (const bool byButton : {true, false}) {
        SCOPED_TRACE(byButton ? "button" : "front end closed");
        // A message follows: the client frames a lone last message of a
        // burst only when more input arrives.
        game.On(0x5D, {Bytes{0x55}, Bytes{0x73, 0}});
        RoadToCharacterSelection();
        pLGump->AskPlayChar();
        Bytes play;
        ASSERT_TRUE(game.WaitForPolling(0x5D, &play));
        ASSERT_TRUE(PollUntil([] { return frontend::heldLoginCompletion != nullptr; }));
        EXPECT_FALSE(g_worldShown);
        EXPECT_EQ(BoxText(), "Entering Veldoria...");
        if (byButton)
            AnswerBox();
        else
            CloseLoginGumps();
        EXPECT_TRUE(g_worldShown);
        EXPECT_TRUE(g_loginComplete);
        EXPECT_EQ(GraphicManager::pMainMenuGump, nullptr);
        EXPECT_EQ(frontend::heldLoginCompletion, nullptr);
        // Back to the main menu for the next round.
        ::LogoutFromWorld();
        EXPECT_FALSE(g_worldShown);
        EXPECT_FALSE(g_loginComplete);
    }
}

// Deleting the selected character sends its slot (0x83); the server's new
// list (0x86) refills the selection, which is shown again.
TEST_F(FrontEndRoadTest, DeletingACharacterSendsItAndTakesTheNewList) {
    game.On(0x83, {RowanAndSable(0x86, false)});
    RoadToCharacterSelection();
    pLGump->SelectSlot(pLGump->slots[1]);
    pLGump->AskDeleteChar();
    // Enter on the delete dialog is its accept.
    CApp::OnChar(13);
    Bytes deleted;
    ASSERT_TRUE(game.WaitForPolling(0x83, &deleted));
    ASSERT_EQ(deleted.size(), 39u);
    EXPECT_EQ(deleted[34], 1);
    ASSERT_TRUE(PollUntil([] { return pLGump->visible; }));
    EXPECT_EQ(pLGump->count, 1);
    EXPECT_STREQ(pLGump->slots[0]->text, "Rowan");
    EXPECT_STREQ(pLGump->slots[1]->text, "");
    EXPECT_EQ(CGumpManager::pWaitingGump, nullptr);
    EXPECT_TRUE(game.Received().size() >= 2);
    for (const Bytes& m : game.Received()) EXPECT_NE(m[0], 0x5D) << "nothing was played";
}

// Enter on the character selection plays the selected character; it never
// reaches the hidden login box behind it.
TEST_F(FrontEndRoadTest, EnterOnTheSelectionPlaysTheCharacter) {
    RoadToCharacterSelection();
    pLGump->SelectSlot(pLGump->slots[1]);
    CApp::OnChar(13);
    Bytes play;
    ASSERT_TRUE(game.WaitForPolling(0x5D, &play));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&play[5])), "Sable");
    for (const Bytes& m : game.Received()) EXPECT_NE(m[0], 0x80);
    EXPECT_EQ(login.Connections(), 1);
}

// A whole login, from the typed account to the character played, changes in
// tw.cfg exactly the account, the scrambled password and its flag, the next
// login key, the shard and the character; every other line stays.
TEST_F(FrontEndRoadTest, ALoginChangesOnlyItsKeysInTwCfg) {
    const std::string before =
        "; my settings\r\n"
        "Sound=off\r\n"
        "AcctID=someone\r\n"
        "RememberAcctPW=no\r\n"
        "AcctPassword=\r\n"
        "WindowWidth=640\r\n"
        "LastServerID=0\r\n"
        "NextLoginKey=0\r\n"
        "PlayerName=\r\n"
        "DefaultChar=0\r\n"
        "SaveJournal=off\r\n";
    tw::test::WriteFile("tw.cfg", before);
    CApp::readConfig("tw.cfg", 0);
    RoadToCharacterSelection();
    pLGump->SelectSlot(pLGump->slots[1]);
    pLGump->AskPlayChar();
    ASSERT_TRUE(game.WaitForPolling(0x5D));
    char scrambled[31] = "secret";
    ScramblePassword(scrambled);
    const std::string after = std::string(
                                  "; my settings\r\n"
                                  "Sound=off\r\n"
                                  "AcctID=player\r\n"
                                  "RememberAcctPW=yes\r\n"
                                  "AcctPassword=") +
                              scrambled +
                              "\r\n"
                              "WindowWidth=640\r\n"
                              "LastServerID=2\r\n"
                              "NextLoginKey=42\r\n"
                              "PlayerName=Sable\r\n"
                              "DefaultChar=1\r\n"
                              "SaveJournal=off\r\n";
    EXPECT_EQ(tw::test::ReadFile("tw.cfg"), after);
}

}  // namespace

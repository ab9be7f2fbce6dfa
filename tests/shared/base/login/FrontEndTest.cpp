// The front-end screens over the real gump framework: the shard list's
// default and sort orders, the account login's connect and what it keeps in
// tw.cfg, and the play and delete paths with the bytes they send to a
// loopback server.
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ProcessFlags.h"
#include "config/Config.h"
#include "gumps/ChoiceGump.h"
#include "gumps/GumpManager.h"
#include "gumps/InputControlGump.h"
#include "gumps/ToggleControlGump.h"
#include "login/CharCreation.h"
#include "login/FrontEnd.h"
#include "login/FrontEndSort.h"
#include "login/LoginRoad.h"
#include "login/LoginState.h"
#include "net/ClientSock.h"
#include "net/GMSSock.h"
#include "net/PacketManager.h"
#include "resources/GraphicManager.h"
#include "shared/base/gumps/GumpTestSupport.h"
#include "support/LoopbackServer.h"
#include "support/doubles/RecordingConnection.h"

namespace {

using tw::test::Bytes;
using tw::test::LoopbackServer;
using tw::test::PollUntil;

// The application as the screens see it: the connect goes to a loopback
// server; the requests are recorded and the play request is also written.
class TestApp final : public FrontEndApp {
public:
    M_WORD port = 0;
    bool refuse = false;
    std::vector<std::string> calls;

    int ConnectToServer() override {
        calls.push_back("ConnectToServer");
        if (refuse) return 0;
        return g_pGameSocket->Connect(LoopbackServer::kAddress, port);
    }
    void SendAcctLogin(char* account, char* password, M_BYTE key) override {
        calls.push_back(std::string("SendAcctLogin ") + account + " " + password + " " +
                        std::to_string(key));
    }
    void SendPlayChar(char* name, char* password, int slot) override {
        calls.push_back(std::string("SendPlayChar ") + name + " [" + password + "] " +
                        std::to_string(slot));
        PDSTRUCT p;
        PacketManager::BuildPlayChar(&p, name, password, static_cast<M_DWORD>(slot), 0);
        g_pGameSocket->Write(&p);
    }
    void ShowCredits() override { calls.push_back("ShowCredits"); }
    void SetInWorld(BOOL) override {}
    void ResetWorldState() override { calls.push_back("ResetWorldState"); }
    void SaveDesktop() override { calls.push_back("SaveDesktop"); }
    void ClearMessageStore() override { calls.push_back("ClearMessageStore"); }
    void ClearBackBuffer() override {}
    void UseSlotHues(int slot) override { calls.push_back("UseSlotHues " + std::to_string(slot)); }
    void SetChosenShard(int id) override { calls.push_back("SetChosenShard " + std::to_string(id)); }
    void SetPlayedCharacter(const char*, const char*) override {}
    const char* VersionText() override { return "1.0"; }
};

class RecordingCreation final : public CharacterCreation {
public:
    int opened = 0;
    void OpenProfessionGump() override { ++opened; }
    void CloseCreationGumps() override {}
};

std::string ReadFile(const char* name) {
    std::ifstream in(name);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class FrontEndTest : public tw::test::GumpTest {
protected:
    void SetUp() override {
        GumpTest::SetUp();
        // After the program's own services, which the fixture installs.
        tw::Service<FrontEndApp>::Install(&app);
        tw::Service<CharacterCreation>::Install(&creation);
        UseScreen(640, 480);
        // The backdrops the dialogs assert on, and the frame pieces.
        std::vector<std::pair<int, tw::datafiles::Image>> art;
        for (int id : {1140, 1141, 1150, 2070}) art.push_back({id, tw::datafiles::Image(40, 20, 0x1234)});
        for (int id = 2600; id <= 2608; ++id) art.push_back({id, tw::datafiles::Image(10, 10, 0x0421)});
        tw::test::InstallGumpArt(art);
        login::ResetLoginRoad();
        LastServerID = 0;
        ReplaceGameSocket(new CClientSock);
    }
    void TearDown() override {
        CGumpManager::CloseAllGumps();
        if (GraphicManager::pMainMenuGump) delete GraphicManager::pMainMenuGump;
        g_quitFlag = 0;
        g_exitStatus = 0;
        ReplaceGameSocket(nullptr);
        tw::Service<FrontEndApp>::Install(nullptr);
        tw::Service<CharacterCreation>::Install(nullptr);
        GumpTest::TearDown();
    }

    void Connect(LoopbackServer& server) {
        ASSERT_TRUE(g_pGameSocket->Connect(LoopbackServer::kAddress, server.port()));
        ASSERT_TRUE(server.WaitForConnections(1));
        M_DWORD seed;
        ASSERT_TRUE(server.ReadSeed(&seed));
    }

    static void Shards(std::vector<login::ShardEntry> entries) {
        login::g_road.shardCount = static_cast<int>(entries.size());
        for (size_t i = 0; i < entries.size(); ++i) {
            login::g_road.shards[i] = entries[i];
            login::g_road.shards[i].hasName = entries[i].name[0] != 0;
        }
    }

    CLoginGump* Selection(std::vector<std::pair<const char*, const char*>> characters) {
        pLGump = new CLoginGump();
        pLGump->PutInGump(nullptr);
        for (size_t k = 0; k < characters.size(); ++k) {
            strcpy(login::g_road.characters[k].name, characters[k].first);
            strcpy(login::g_road.characters[k].password, characters[k].second);
            pLGump->AddCharacter(characters[k].first, characters[k].second, static_cast<int>(k));
        }
        return pLGump;
    }

    TestApp app;
    RecordingCreation creation;
};

login::ShardEntry Shard(M_WORD id, const char* name, M_BYTE load, int timeZone, M_WORD ping) {
    login::ShardEntry s{};
    strcpy(s.name, name);
    s.id = id;
    s.load = load;
    s.timeZone = timeZone;
    s.ping = ping;
    return s;
}

// Each sort key orders ascending, the first of equal keys first, and a shard
// whose status byte is '2' ends after all the others.
TEST_F(FrontEndTest, ShardOrdersPutTheUnsortedShardLast) {
    const login::ShardEntry shards[] = {
        Shard(1, "A", 5, '2', 10), Shard(2, "B", 3, 4, 30), Shard(3, "C", 9, 1, 20),
        Shard(4, "D", 3, 7, 5),
    };
    struct Case {
        int key;
        std::vector<int> order;
    } cases[] = {
        {0, {1, 3, 2, 0}},  // load 3, 3 (first wins), 9; '2' last
        {1, {2, 1, 3, 0}},  // time zones 1, 4, 7
        {2, {3, 2, 1, 0}},  // pings 5, 20, 30
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        int order[4];
        login::OrderShards(shards, 4, c.key, order);
        EXPECT_EQ(std::vector<int>(order, order + 4), c.order);
    }
}

// LastServerID naming a listed shard makes it the default that Enter sends;
// missing from the list, the first entry is the default.  The choice is
// sent as 0xA0, kept in tw.cfg and the gump closes.
TEST_F(FrontEndTest, DefaultShardFollowsLastServerIdAndEnterSendsIt) {
    struct Case {
        int last;
        int expected;
        const char* shownName;
    } cases[] = {{7, 7, "Beta"}, {99, 3, "Alpha"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.last);
        LoopbackServer server;
        ReplaceGameSocket(new CClientSock);
        Connect(server);
        Shards({Shard(3, "Alpha", 0, 0, 0), Shard(7, "Beta", 0, 0, 0)});
        LastServerID = c.last;
        pShardGump = new CShardChoiceGump();
        pShardGump->PutInGump(nullptr);
        EXPECT_STREQ(pShardGump->selectedName, c.shownName);
        pShardGump->HandleKey(13);
        EXPECT_EQ(pShardGump, nullptr);
        Bytes got;
        ASSERT_TRUE(PollUntil([&] { return server.ReadMessage(&got, 0); }));
        EXPECT_EQ(got, (Bytes{0xA0, 0, static_cast<M_BYTE>(c.expected)}));
        EXPECT_EQ(LastServerID, c.expected);
        EXPECT_NE(ReadFile("tw.cfg").find("LastServerID=" + std::to_string(c.expected)),
                  std::string::npos);
        EXPECT_STREQ(frontend::currentShardName, c.shownName);
    }
}

// With no named shard the default-shard button does nothing.
TEST_F(FrontEndTest, UnnamedDefaultShardIsNotPlayedByItsButton) {
    Shards({Shard(5, "", 0, 0, 0)});
    pShardGump = new CShardChoiceGump();
    pShardGump->PutInGump(nullptr);
    pShardGump->PlayDefaultShard();
    EXPECT_NE(pShardGump, nullptr);
    EXPECT_EQ(g_pGameSocket->OutputLength(), 0u);
}

// Closing the shard list on its own (Esc or a right click closes it as a
// window) goes back to the main menu and frees the shard gump once.
TEST_F(FrontEndTest, ClosedShardListReturnsToTheMainMenu) {
    Shards({Shard(5, "West", 0, 0, 0), Shard(6, "East", 0, 0, 0)});
    pShardGump = new CShardChoiceGump();
    pShardGump->PutInGump(nullptr);
    delete pShardGump->GetList();
    EXPECT_EQ(pShardGump, nullptr);
    EXPECT_NE(GraphicManager::pMainMenuGump, nullptr);
}

// The account login connects, sends the fields with the login key and
// writes exactly AcctID, RememberAcctPW and the scrambled AcctPassword into
// tw.cfg; other lines stay as they were.  A 30-character password fits.
TEST_F(FrontEndTest, ConnectSendsTheLoginAndKeepsOnlyItsKeys) {
    LoopbackServer server;
    app.port = server.port();
    {
        std::ofstream cfg("tw.cfg");
        cfg << "; kept\nSound=on\nAcctID=old\nWindowWidth=640\n";
    }
    login::g_road.nextLoginKey = 9;
    RememberAcctPW = TRUE;
    // A remembered password of 30 characters fills the field whole.
    const std::string stored(30, 'q');
    snprintf(AcctPassword, sizeof AcctPassword, "%s", stored.c_str());
    auto* menu = new CMainMenuGump();
    GraphicManager::pMainMenuGump = menu;
    menu->PutInGump(nullptr);
    ASSERT_NE(pAcctLoginGump, nullptr);
    EXPECT_EQ(std::string(pAcctLoginGump->passwordField->text), stored);
    const std::string password(30, 'p');
    pAcctLoginGump->accountField->SetText("player");
    pAcctLoginGump->passwordField->SetText(password.c_str());
    pAcctLoginGump->savePassword->SetState(1);
    pAcctLoginGump->OnAccept();

    EXPECT_EQ(app.calls, (std::vector<std::string>{"ConnectToServer",
                                                   "SendAcctLogin player " + password + " 9"}));
    EXPECT_FALSE(pAcctLoginGump->visible);
    char scrambled[31];
    snprintf(scrambled, sizeof scrambled, "%s", password.c_str());
    ScramblePassword(scrambled);
    // A rewritten line ends the way the configuration writer ends it.
    EXPECT_EQ(ReadFile("tw.cfg"), std::string("; kept\nSound=on\nAcctID=player\r\nWindowWidth=640\n"
                                              "RememberAcctPW=yes\nAcctPassword=") +
                                      scrambled + "\n");

    // Unchecked, the password is stored as empty text.
    pAcctLoginGump->savePassword->SetState(0);
    pAcctLoginGump->OnAccept();
    const std::string cfg = ReadFile("tw.cfg");
    EXPECT_NE(cfg.find("RememberAcctPW=no\r\n"), std::string::npos);
    EXPECT_NE(cfg.find("AcctPassword=\r\n"), std::string::npos);
}

// A refused connect shows its message over the hidden login box and saves
// nothing.
TEST_F(FrontEndTest, FailedConnectShowsItsMessageAndSavesNothing) {
    app.refuse = true;
    auto* menu = new CMainMenuGump();
    GraphicManager::pMainMenuGump = menu;
    menu->PutInGump(nullptr);
    pAcctLoginGump->accountField->SetText("player");
    pAcctLoginGump->Connect();
    ASSERT_NE(CGumpManager::pWaitingGump, nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(
                     static_cast<CWaitingGump*>(CGumpManager::pWaitingGump)->text),
                 frontend::kCouldNotConnect);
    EXPECT_FALSE(pAcctLoginGump->visible);
    EXPECT_EQ(ReadFile("tw.cfg"), "");
}

// Play: a slot without a password is played at once with an empty password;
// a slot with one opens the dialog, whose accept sends the typed password.
// DefaultChar holds the selection index, and an empty slot sends nothing.
TEST_F(FrontEndTest, PlayPathsSendTheRightPasswords) {
    LoopbackServer server;
    Connect(server);
    CLoginGump* selection = Selection({{"Anna", ""}, {"Bert", "secret"}});

    selection->AskPlayChar();
    Bytes got;
    ASSERT_TRUE(PollUntil([&] { return server.ReadMessage(&got, 0); }));
    EXPECT_EQ(app.calls.back(), "SendPlayChar Anna [] 0");
    EXPECT_EQ(DefaultChar, 0);

    selection->visible = TRUE;
    selection->SelectSlot(selection->slots[1]);
    selection->AskPlayChar();
    CGump* dialog = g_gumpList;
    ASSERT_STREQ(dialog->name, "PlayChar gump");
    auto* typed = static_cast<CPlayCharGump*>(dialog)->passwordField;
    typed->SetText("secret");
    dialog->OnAccept();
    EXPECT_EQ(app.calls.back(), "SendPlayChar Bert [secret] 1");
    EXPECT_EQ(DefaultChar, 1);
    EXPECT_STREQ(PlayerName, "Bert");

    const size_t before = app.calls.size();
    selection->SelectSlot(selection->slots[3]);
    selection->AskPlayChar();
    EXPECT_EQ(app.calls.size(), before);
    EXPECT_STREQ(reinterpret_cast<const char*>(
                     static_cast<CWaitingGump*>(CGumpManager::pWaitingGump)->text),
                 "No character to login with.");
}

// Delete: the accept sends 0x83 with the slot's id and password; a right
// click closes the dialog and shows the selection again.
TEST_F(FrontEndTest, DeleteSendsTheSlotAndRightClickCancels) {
    LoopbackServer server;
    Connect(server);
    CLoginGump* selection = Selection({{"Anna", ""}, {"Bert", "pw"}});
    selection->SelectSlot(selection->slots[1]);

    selection->AskDeleteChar();
    ASSERT_STREQ(g_gumpList->name, "DeleteChar gump");
    EXPECT_TRUE(g_gumpList->HitTest(-500, 900));
    g_gumpList->HandleRButtonUp(0, 0);
    EXPECT_TRUE(selection->visible);

    selection->AskDeleteChar();
    g_gumpList->OnAccept();
    Bytes got;
    ASSERT_TRUE(PollUntil([&] { return server.ReadMessage(&got, 0); }));
    ASSERT_EQ(got.size(), 39u);
    EXPECT_EQ(got[0], 0x83);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&got[1])), "pw");
    EXPECT_EQ(got[34], 1);
    EXPECT_FALSE(selection->visible);
}

// Removing slot 0 of three moves the others up; a sixth character is
// refused; with five, a new character is refused with its message.
TEST_F(FrontEndTest, SlotsMoveUpAndFiveIsTheLimit) {
    CLoginGump* selection = Selection({{"A", ""}, {"B", ""}, {"C", ""}});
    selection->RemoveCharacter(0);
    EXPECT_STREQ(selection->slots[0]->text, "B");
    EXPECT_STREQ(selection->slots[1]->text, "C");
    EXPECT_STREQ(selection->slots[2]->text, "");
    EXPECT_EQ(selection->slotIds[2], -1);
    EXPECT_EQ(selection->count, 2);

    for (const char* n : {"D", "E", "F", "G"}) selection->AddCharacter(n, "", 4);
    EXPECT_EQ(selection->count, 5);
    EXPECT_STREQ(selection->slots[4]->text, "F");
    selection->NewChar();
    EXPECT_EQ(creation.opened, 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(
                     static_cast<CWaitingGump*>(CGumpManager::pWaitingGump)->text),
                 "You already have 5 characters.");

    selection->RemoveCharacter(4);
    selection->NewChar();
    EXPECT_EQ(creation.opened, 1);
    EXPECT_FALSE(selection->visible);
}

// The exit button and the macro's quit question end the main loop with
// status 0; the quit prompt's yes logs out of the world instead.
TEST_F(FrontEndTest, ExitEndsTheLoopAndQuitPromptLogsOut) {
    tw::doubles::RecordingConnection connection;
    tw::Service<LoginService>::Get().OpenQuitQuestion("Quit         Tarrowmere?");
    EXPECT_TRUE(tw::Service<LoginService>::Get().IsQuitQuestionOpen());
    CGump* question = g_gumpList;
    EXPECT_EQ(CGumpManager::modalGump, question);
    question->HandleRButtonUp(0, 0);  // a right click does not answer it
    EXPECT_EQ(g_gumpList, question);
    question->ExitProgram();
    EXPECT_EQ(g_quitFlag.load(), 1);
    EXPECT_EQ(g_exitStatus.load(), 0);
    g_quitFlag = 0;
    delete question;
    EXPECT_FALSE(tw::Service<LoginService>::Get().IsQuitQuestionOpen());

    question = new CYesNoGump("Quit?", &CGump::QuitConfirmed, &CGump::Close, nullptr);
    question->PutInGump(nullptr);
    question->QuitConfirmed();
    EXPECT_EQ(g_quitFlag.load(), 0);
    // The world is forgotten, the windows' places saved and the messages of
    // this login dropped.
    EXPECT_EQ(app.calls, (std::vector<std::string>{"ResetWorldState", "SaveDesktop",
                                                   "ClearMessageStore"}));
    EXPECT_NE(GraphicManager::pMainMenuGump, nullptr);
    // The message service starts again with the next login.
    EXPECT_NE(g_pGMSSock, nullptr);
    EXPECT_EQ(g_messageServiceState, -1);
}

}  // namespace

namespace {

// With the connection closed, no callback writes: the shard choice, the
// delete and the logout from the selection leave nothing in the output.
TEST_F(FrontEndTest, ClosedConnectionGetsNothingFromTheCallbacks) {
    tw::doubles::RecordingConnection connection;
    Shards({Shard(3, "Alpha", 0, 0, 0)});
    pShardGump = new CShardChoiceGump();
    pShardGump->PutInGump(nullptr);
    pShardGump->HandleKey(13);
    CLoginGump* selection = Selection({{"Anna", "pw"}});
    selection->AskDeleteChar();
    g_gumpList->OnAccept();
    EXPECT_EQ(g_pGameSocket->OutputLength(), 0u);
    selection->LogoutFromCharSelect();
    EXPECT_EQ(pLGump, nullptr);
    EXPECT_NE(GraphicManager::pMainMenuGump, nullptr);
    EXPECT_EQ(g_pGameSocket->OutputLength(), 0u);
    EXPECT_NE(ReportLog().find("the connection is not open; nothing is sent"), std::string::npos);
}

}  // namespace

#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "gumps/MouseManager.h"
#include "net/ClientSock.h"
#include "support/LoopbackServer.h"
#include "world/Mobile.h"
#include "world/Player.h"

namespace {

using tw::test::Bytes;
using tw::test::LoopbackServer;
using tw::test::PollUntil;

// A connected game connection whose messages a loopback server reads back.
class WarModeTest : public tw::test::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        g_pGameSocket = new CClientSock;
        ASSERT_TRUE(g_pGameSocket->Connect(LoopbackServer::kAddress, server_.port()));
        ASSERT_TRUE(server_.WaitForConnections(1));
        M_DWORD seed;
        ASSERT_TRUE(server_.ReadSeed(&seed));
    }
    void TearDown() override {
        delete g_pGameSocket;
        g_pGameSocket = nullptr;
        AppTest::TearDown();
    }

    // The next count messages the client sends.
    std::vector<Bytes> Sent(size_t count) { return tw::test::PollMessages(server_, count); }

    LoopbackServer server_;
};

Bytes TextCommand(M_BYTE type, const std::string& text) {
    const size_t length = 4 + text.size() + 1;
    Bytes m = {0x12, static_cast<M_BYTE>(length >> 8), static_cast<M_BYTE>(length), type};
    for (char c : text) m.push_back(static_cast<M_BYTE>(c));
    m.push_back(0);
    return m;
}

TEST_F(WarModeTest, RequestsGoToTheServerWithTheExtraValues) {
    CApp::warModeExtra[0] = 4;
    theCircleTrans.list = new CCircleTransEntry;
    CApp::SetWarMode(1);
    EXPECT_EQ(CApp::WarModeRequest(), 1);
    EXPECT_EQ(Sent(1), (std::vector<Bytes>{{0x72, 1, 4, 0, 0}}));
    EXPECT_EQ(theCircleTrans.list, nullptr) << "the see-through list was emptied";
    EXPECT_EQ(viewServices.hoverForgets, 1);

    // Toggling asks for the opposite of the player's own flag; a ghost first
    // answers the death menu.
    pPlayerObject = new CPlayer(1);
    pPlayerObject->SetWarModeFlag(TRUE);
    pPlayerObject->objectType = 402;  // a ghost
    CApp::SetWarMode(-1);
    EXPECT_EQ(CApp::WarModeRequest(), 0);
    EXPECT_EQ(Sent(2), (std::vector<Bytes>{{0x2C, 0}, {0x72, 0, 4, 0, 0}}));
}

TEST_F(WarModeTest, TheServersAnswerSetsThePlayersFlagAndClearsTheRequest) {
    pPlayerObject = new CPlayer(1);
    pPlayerObject->inList = TRUE;
    CApp::warModeRequest = 1;
    CApp::ApplyWarMode(1);
    EXPECT_EQ(CApp::WarModeRequest(), -1);
    EXPECT_TRUE(CApp::PlayerAtWar());
    // Taken off its draw list and put back, so that it is redrawn.
    ASSERT_EQ(view.objEvents.size(), 2u);
    EXPECT_EQ(view.objEvents[0].what, "remove");
    EXPECT_EQ(view.objEvents[1].what, "add");
    EXPECT_EQ(dialogs.playerGumpCalls,
              (std::vector<std::string>{"RefreshStatus", "PaperdollWar 1"}));

    CApp::warModeRequest = 1;
    CApp::ApplyWarMode(0);
    EXPECT_EQ(CApp::WarModeRequest(), 1);
    EXPECT_FALSE(CApp::PlayerAtWar());
}

TEST_F(WarModeTest, TargetRequestsAnswerWithTextCommands) {
    CMobile* mobile = new CMobile(0x0000ABCD, 400, 0);
    mobile->ToWorld(Coords(10, 20, -5));
    CDynamicObj* item = NewDynamicObj(0x40000001, 1, 0);
    item->ToWorld(Coords(30, 40, 7));
    gumps.hooks.inWorld = TRUE;

    // Kind 0 completes at once.
    CApp::BeginTarget("bow", 0, 0);
    CApp::BeginTarget("x", 0, 12);
    EXPECT_FALSE(CApp::targeting);

    // Kind 1: a location; kind 2: a mobile only.
    CApp::BeginTarget("tele", 1, 0);
    EXPECT_TRUE(CApp::targeting);
    EXPECT_EQ(MouseManager::GetCursorType(), 19) << "the target cursor";
    ASSERT_NE(CApp::targetCallback, nullptr);
    CApp::targetCallback(item);
    EXPECT_FALSE(CApp::targeting);
    EXPECT_EQ(CApp::targetCallback, nullptr);
    CApp::BeginTarget("", 1, 9);
    CApp::targetCallback(mobile);
    CApp::BeginTarget("heal", 2, 0);
    CApp::targetCallback(mobile);
    CApp::BeginTarget("", 2, 3);
    CApp::targetCallback(item);  // not a mobile: nothing is sent
    CApp::BeginTarget("", 1, 4);
    CApp::targetCallback(nullptr);  // no pick: nothing is sent
    CApp::SendTextCommand(86, "5");

    EXPECT_EQ(Sent(6),
              (std::vector<Bytes>{TextCommand(39, "bow"), TextCommand(47, "12"),
                                  TextCommand(39, "tele 30 40 7"), TextCommand(47, "9 10 20 -5"),
                                  TextCommand(39, "heal 43981"), TextCommand(86, "5")}));
    // Every target request ends with the normal cursor.
    EXPECT_EQ(MouseManager::GetCursorType(), MouseManager::NORMAL_CURSOR);
}

// An input field that names a mobile uses the application's target cursor:
// its own callback while the cursor is up, nothing after it ends.
TEST_F(WarModeTest, InputFieldsTargetWithTheApplicationsCursor) {
    AppInputTargets targets;
    gumps.hooks.inWorld = TRUE;
    const auto picked = [](CDrawItem*) {};
    EXPECT_FALSE(targets.IsTargeting());
    targets.SetTargetCursor(2, picked);
    EXPECT_TRUE(targets.IsTargeting());
    EXPECT_EQ(CApp::targetCallback, static_cast<CApp::TargetCallback>(picked));
    EXPECT_EQ(MouseManager::GetCursorType(), 19) << "the target cursor";
    targets.EndTarget();
    EXPECT_FALSE(CApp::targeting);
    EXPECT_EQ(CApp::targetCallback, nullptr);
    EXPECT_EQ(MouseManager::GetCursorType(), MouseManager::NORMAL_CURSOR);
}

}  // namespace

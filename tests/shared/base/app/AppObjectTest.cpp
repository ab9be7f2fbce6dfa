#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "FrameBuf.h"
#include "app/AppServices.h"
#include "gumps/InputWindow.h"
#include "gumps/MouseManager.h"
#include "gumps/WaitingGump.h"
#include "net/ClientSock.h"
#include "net/TargetState.h"
#include "resources/GraphicManager.h"
#include "world/MoveManager.h"
#include "world/Player.h"

namespace {

using Calls = std::vector<std::string>;

class AppObjectTest : public tw::test::AppTest {
protected:
    void TearDown() override {
        g_focusGump = nullptr;
        g_inputWindow = nullptr;
        g_backBuffer = nullptr;
        AppTest::TearDown();
    }
};

TEST_F(AppObjectTest, WalkingKeysWalkInTheirDirections) {
    pPlayerObject = new CPlayer(5, 400, 0);
    CClientSock socket;
    g_pGameSocket = &socket;
    const int directions[8] = {3, 4, 5, 2, 6, 1, 0, 7};
    for (int code = -8; code <= -1; ++code) {
        // Facing away, every key turns the player: no surfaces are needed.
        MoveManager::ClearWalkQueue();
        pPlayerObject->direction = static_cast<M_BYTE>(directions[code + 8] ^ 4);
        CApp::OnChar(code);
        ASSERT_EQ(MoveManager::queueCount, 1) << code;
        EXPECT_EQ(MoveManager::queue[0].direction, directions[code + 8]) << code;
    }
    g_pGameSocket = nullptr;
}

TEST_F(AppObjectTest, KeysGoToTheFocusedGumpElseToTheSpeechLine) {
    CInputWindow line;
    g_inputWindow = &line;
    CApp::OnChar('a');
    CApp::OnChar(9);  // Tab without a focused gump is dropped
    CApp::OnChar(27);
    EXPECT_EQ(gumps.input.calls, (Calls{"HandleKey 97"}));

    tw::doubles::RecordingGump gump;
    g_focusGump = &gump;
    CApp::OnChar('b');
    CApp::OnChar(9);
    CApp::OnChar(27);
    EXPECT_EQ(gump.calls, (Calls{"HandleKey 98", "HandleKey 9", "HandleKey 27"}));
    EXPECT_EQ(gumps.input.calls.size(), 1u);

    g_focusGump = nullptr;
    g_inputWindow = nullptr;
    CApp::OnChar('c');  // no line either: nothing to crash on
}

// The cancel answers the server's cursor with its id and flag, no object and
// the position 0xFFFF, 0xFFFF, and ends targeting.
TEST_F(AppObjectTest, EscapeAnswersAPromptFirstThenCancelsATarget) {
    tw::doubles::RecordingGump gump;
    g_focusGump = &gump;
    CClientSock socket;
    g_pGameSocket = &socket;
    g_targetCursorId = 0x01020304;
    g_targetCursorFlag = 2;
    CApp::SetTargetCursor();
    gumps.input.promptPending = true;
    CApp::OnChar(27);
    EXPECT_EQ(gumps.input.calls, (Calls{"PromptReply 0 ''"}));
    EXPECT_EQ(socket.OutputLength(), 0u);
    EXPECT_TRUE(CApp::targeting);

    gumps.input.promptPending = false;
    CApp::OnChar(27);
    const std::vector<M_BYTE> sent(socket.PendingOutput(),
                                   socket.PendingOutput() + socket.OutputLength());
    EXPECT_EQ(sent, (std::vector<M_BYTE>{0x6C, 0, 1, 2, 3, 4, 2, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF,
                                         0xFF, 0, 0, 0, 0}));
    EXPECT_FALSE(CApp::targeting);
    EXPECT_EQ(g_targetCursorFlag, 0);
    EXPECT_TRUE(gump.calls.empty());
    g_pGameSocket = nullptr;
}

// The connection-loss box logs out when its button is pressed; the server
// ping's box only closes.  Neither is the large kind.
TEST_F(AppObjectTest, TheNetworksMessageBoxesKeepTheirLogoutChoice) {
    AppConnectionWindows windows;
    for (int logout : {0, 1}) {
        CWaitingGump* box = windows.OpenWaitingGump("Connection lost", nullptr, 0, logout, 0);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->logout, logout);
        EXPECT_FALSE(box->large);
        EXPECT_TRUE(windows.IsGumpOpen(box));
        delete box;
        EXPECT_FALSE(windows.IsGumpOpen(box));
    }
}

TEST_F(AppObjectTest, TargetCursorOnAndOff) {
    gumps.hooks.inWorld = TRUE;
    CApp::SetTargetCursor();
    EXPECT_TRUE(CApp::targeting);
    EXPECT_EQ(MouseManager::GetCursorType(), 19);
    CApp::EndTarget();
    EXPECT_FALSE(CApp::targeting);
    EXPECT_EQ(MouseManager::GetCursorType(), MouseManager::NORMAL_CURSOR);
}

TEST_F(AppObjectTest, MouseEntryPointsGoToTheMouseManager) {
    // The gump holding the mouse gets the buttons at its own coordinates.
    tw::doubles::Listed<tw::doubles::RecordingGump> gump;
    gump.x = 1;
    gump.y = 1;
    MouseManager::SetCapture(&gump);
    CApp::OnLButtonDown(1, 2);
    CApp::OnLButtonUp(3, 4);
    CApp::OnRButtonDown(5, 6);
    CApp::OnRButtonUp(7, 8);
    CApp::OnMouseMove(9, 10);
    EXPECT_EQ(gump.calls,
              (Calls{"LButtonDown 0 1", "LButtonUp 2 3", "RButtonDown 4 5", "RButtonUp 6 7"}));
    int x = 0, y = 0;
    MouseManager::GetMousePos(&x, &y);
    EXPECT_EQ(x, 9);
    EXPECT_EQ(y, 10);
}

// The 640x480 play area in a buffer two pixels wider and a row higher,
// whose ring start lies near the end, so that rows wrap inside and across
// the end of the buffer.
TEST_F(AppObjectTest, ClearScreenClearsThePlayAreaFromTheRingStartWrapping) {
    GraphicManager::reset();  // a 640x480 play area
    const int width = 642;
    const int total = width * 481;
    std::vector<M_WORD> big(total, 0xFFFF);
    g_backBuffer = big.data();
    g_displayWidth = width;
    g_displayHeight = 481;
    g_ringStart = total - width - 2;
    CApp::ClearScreen();
    // Row 0 runs from the ring start for 640 pixels; row 1 starts 2 pixels
    // before the end and wraps; the rows after follow from pixel 640 on.
    EXPECT_EQ(std::count(big.begin(), big.end(), 0), 640 * 480);
    EXPECT_EQ(big[total - width - 2], 0);
    EXPECT_EQ(big[total - 5], 0);
    EXPECT_EQ(big[total - 4], 0xFFFF);
    EXPECT_EQ(big[total - 3], 0xFFFF);
    EXPECT_EQ(big[total - 2], 0);
    EXPECT_EQ(big[total - 1], 0);
    EXPECT_EQ(big[637], 0);
    EXPECT_EQ(big[638], 0xFFFF);
    EXPECT_EQ(big[639], 0xFFFF);
    EXPECT_EQ(big[640], 0);

    // A play area larger than the buffer stays inside it.
    std::vector<M_WORD> pixels(24, 0xFFFF);
    g_backBuffer = pixels.data();
    g_displayWidth = 6;
    g_displayHeight = 4;
    g_ringStart = -5;
    CApp::ClearScreen();
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0), 24);

    std::fill(pixels.begin(), pixels.end(), 7);
    CApp::ClearBackBuffer();
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0), 24);

    g_backBuffer = nullptr;
    CApp::ClearScreen();
    CApp::ClearBackBuffer();
}

TEST_F(AppObjectTest, InputLineIsRedrawnOnlyWithTheFrameCounter) {
    CInputWindow line;
    g_inputWindow = &line;
    CApp::RedrawInputLine();
    EXPECT_TRUE(gumps.input.calls.empty());
    FrameCounter = 1;
    CApp::speechHue = 33;
    CApp::RedrawInputLine();
    EXPECT_EQ(gumps.input.calls, (Calls{"RedrawText 33 3"}));
}

TEST_F(AppObjectTest, ResetWorldStateForgetsTheWorld) {
    pPlayerObject = new CPlayer(5);
    pPlayerObject->resetState = 7;
    CObjectManager::HandleMove(0x40000001, 100, 0, 1, 10, 10, 0, 0, 0, 0);
    g_ringStart = 99;
    g_viewX = 3;
    g_viewY = 4;
    MoveManager::queueCount = 2;
    MoveManager::sequence = 9;
    thelightthingie::ambientLevel = 12;
    thelightthingie::personalLight = 3;
    MapManager::mapNumber = 2;
    CApp::ResetWorldState();
    EXPECT_EQ(g_ringStart, 0);
    EXPECT_EQ(g_viewX, 0);
    EXPECT_EQ(g_viewY, 0);
    EXPECT_EQ(thelightthingie::ambientLevel, 0) << "the light levels were cleared";
    EXPECT_EQ(thelightthingie::personalLight, 0);
    EXPECT_EQ(MapManager::mapNumber, -1) << "the map view state was forgotten";
    EXPECT_EQ(pPlayerObject->resetState, 0u);
    EXPECT_EQ(CObjectManager::FindObject(0x40000001), nullptr) << "the world's objects went";
    EXPECT_EQ(CObjectManager::FindObject(5), pPlayerObject);
    EXPECT_EQ(MoveManager::queueCount, 0);
    EXPECT_EQ(MoveManager::sequence, 0u);
}

}  // namespace

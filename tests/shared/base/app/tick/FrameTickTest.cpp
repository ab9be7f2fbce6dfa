// The frame tick run whole under a fake clock: the order of its steps, a
// skipped draw, the second-tick ageing of the recent texts, and the
// keep-alive written to a loopback server.
#include <string>
#include <vector>

#include "../AppTestSupport.h"
#include "Clock.h"
#include "OssSound.h"
#include "PlatformServices.h"
#include "Service.h"
#include "app/AppServices.h"
#include "app/FrameTick.h"
#include "net/ClientSock.h"
#include "pending/PendingServices.h"
#include "resources/ScreenUpdate.h"
#include "support/LoopbackServer.h"
#include "view/InputLineRedraw.h"
#include "view/ViewServices.h"

namespace {

using tw::test::Bytes;
using tw::test::LoopbackServer;
using tw::test::PollUntil;

M_DWORD s_now;
time_t s_wall;
std::vector<std::string> s_steps;

// Every step of one tick body in the order it runs.  A new per-frame update
// takes its place in this list.
const std::vector<std::string> kAllSteps = {
    "AdvanceGameClock",
    "CApp::UpdateSpeechQueue",
    "FollowPathStep",
    "SoundManager::Update",
    "MouseManager::Update",
    "MoveManager::Update",
    "CObjectManager::UpdateMovement",
    "CObjectManager::AgeRecentList",
    "WeatherManager::Update",
    "CGumpManager::Update",
    "CApp::MacroTick",
    "arm/disarm cool-down",
    "GraphicManager::UpdateScreen",
    "GraphicManager::Update",
    "keep-alive",
};

std::vector<std::string> StepsWithout(const std::vector<std::string>& leftOut) {
    std::vector<std::string> steps;
    for (const std::string& step : kAllSteps) {
        bool skipped = false;
        for (const std::string& left : leftOut) skipped = skipped || left == step;
        if (!skipped) steps.push_back(step);
    }
    return steps;
}

class FrameTickTest : public tw::test::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        // The tick runs what the program runs: the stand-ins of the services
        // not built yet take the place of the fixture's doubles.
        InstallPendingServices();
        s_now = 500000;
        s_wall = 1000000;
        s_steps.clear();
        SetTimeSourceForTests([] { return s_now; });
        SetWallTimeSourceForTests([] { return s_wall; });
        SetFrameStepObserver([](const char* step) { s_steps.emplace_back(step); });
    }

    // One call of the tick, ms after the previous one; the steps it ran.
    static std::vector<std::string> Tick(M_DWORD ms, int skipDraw = 0) {
        s_now += ms;
        s_steps.clear();
        CApp::FrameTick(skipDraw);
        return s_steps;
    }

private:
    // The platform's sound and hooks, the screen update and its input line,
    // as main installs them.
    tw::ScopedService<SoundService> sound_{&OssSound::Service()};
    tw::ScopedService<PlatformHooks> hooks_{&X11PlatformHooks()};
    tw::ScopedService<ScreenUpdate> screen_{&ViewScreenUpdate()};
    tw::ScopedService<InputLineRedraw> inputLine_{&ApplicationInputLine()};
};

TEST_F(FrameTickTest, StepsRunInTheirFixedOrder) {
    const std::vector<std::string> withinTheSecond =
        StepsWithout({"AdvanceGameClock", "CObjectManager::AgeRecentList"});
    struct {
        M_DWORD after;
        int skipDraw;
        std::vector<std::string> steps;
        const char* what;
    } calls[] = {
        {0, 0, kAllSteps, "the first call is a second tick"},
        {50, 0, {}, "50 ms later the gate holds"},
        {50, 0, withinTheSecond, "100 ms after the body"},
        {75, 0, {}, "75 ms: still held"},
        {1, 0, withinTheSecond, "76 ms"},
        {100, 1,
         StepsWithout(
             {"AdvanceGameClock", "CObjectManager::AgeRecentList", "GraphicManager::UpdateScreen"}),
         "a skipped frame updates everything but draws nothing"},
        {1000, 1, StepsWithout({"GraphicManager::UpdateScreen"}),
         "a skipped frame on a second tick"},
        {300, 0, withinTheSecond, "drawing again"},
    };
    for (const auto& call : calls)
        EXPECT_EQ(Tick(call.after, call.skipDraw), call.steps) << call.what;
}

TEST_F(FrameTickTest, SkippedFramesStillAgeRecentTextsOncePerSecond) {
    CObjectManager::recentTexts.push_back({7, 0, "hail", 0, 3, 0, 0});
    CApp::gameHour = 23;
    CApp::gameMinute = 59;
    CApp::gameSeconds = 19;
    g_armDisarmCooldown = 12;

    Tick(0, 1);  // a second tick
    EXPECT_EQ(CObjectManager::recentTexts.at(0).age, 1);
    EXPECT_EQ(CApp::gameHour, 0);
    EXPECT_EQ(CApp::gameMinute, 0);
    EXPECT_EQ(CApp::gameSeconds, 0);
    for (int i = 0; i < 9; ++i) Tick(100, i % 2);  // the rest of that second
    EXPECT_EQ(CObjectManager::recentTexts.at(0).age, 1);
    EXPECT_EQ(CApp::gameSeconds, 0);
    EXPECT_EQ(g_armDisarmCooldown, 2) << "counted down by every body, drawn or not";

    Tick(100, 1);  // a whole second after the last second tick
    EXPECT_EQ(CObjectManager::recentTexts.at(0).age, 2);
    EXPECT_EQ(CApp::gameSeconds, 1);
}

// The game connection talks to a loopback server.
class FrameTickKeepAliveTest : public FrameTickTest {
protected:
    void SetUp() override {
        FrameTickTest::SetUp();
        g_pGameSocket = new CClientSock;
        ASSERT_TRUE(g_pGameSocket->Connect(LoopbackServer::kAddress, server_.port()));
        ASSERT_TRUE(server_.WaitForConnections(1));
        M_DWORD seed;
        ASSERT_TRUE(server_.ReadSeed(&seed));
    }
    void TearDown() override {
        delete g_pGameSocket;
        g_pGameSocket = nullptr;
        FrameTickTest::TearDown();
    }

    // A tick at that many wall seconds after the start; the messages that
    // reach the server within a short wait after it.
    std::vector<Bytes> TickAt(time_t seconds) {
        s_wall = 1000000 + seconds;
        Tick(1000);
        std::vector<Bytes> messages;
        Bytes m;
        while (PollUntil([&] { return server_.ReadMessage(&m, 0); }, 150)) messages.push_back(m);
        return messages;
    }

    LoopbackServer server_;
};

TEST_F(FrameTickKeepAliveTest, KeepAliveReachesTheServerAfterSixtySecondsInUse) {
    const std::vector<Bytes> none;
    const std::vector<Bytes> keepAlive = {{0x73, 0x00}};

    EXPECT_EQ(TickAt(0), none);  // idle: the wait starts here
    CApp::inWorld = TRUE;
    EXPECT_EQ(TickAt(60), none);
    EXPECT_EQ(TickAt(61), keepAlive);
    EXPECT_EQ(TickAt(121), none);
    EXPECT_EQ(TickAt(122), keepAlive);

    // Out of the world and not relayed: nothing, however long it has been.
    CApp::inWorld = FALSE;
    EXPECT_EQ(TickAt(300), none);

    // Relayed to a game server before the login confirmation: in use again,
    // counted from the last idle tick, and enciphered like all game output.
    g_pGameSocket->SetLoginStreamOff(TRUE);
    g_pGameSocket->SetGameMode(TRUE);
    server_.SetGameMode(true);
    EXPECT_EQ(TickAt(360), none);
    EXPECT_EQ(TickAt(361), keepAlive);
}

}  // namespace

// The client program itself under Xvfb: it starts its services, opens its
// window, runs the main loop until the window manager asks it to close, and
// stops the services in the reverse of their start order.
#include <filesystem>
#include <functional>
#include <memory>

#include "support/ClientRun.h"
#include "support/GoldenImage.h"
#include "support/LoginRoadMessages.h"
#include "support/LoopbackServer.h"
#include "support/ScriptedServer.h"
#include "support/ServerMessage.h"
#include "support/TwTest.h"
#include "support/Xvfb.h"
// Xlib's macros (None, Bool, Status) must come after the test framework.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace {

using tw::test::ClientProcess;
using tw::test::Msg;
using tw::test::RowanAndSable;
using tw::test::TwoShardList;
using tw::test::WaitForClientWindow;
using tw::test::WaitForFrames;
using tw::test::XvfbClient;
using tw::test::XvfbOptions;
using tw::test::XvfbServer;

// A sample installation in the current directory (data files, "tw.cfg",
// "login.cfg", "version.dat"), with extra lines added to "tw.cfg".
void MakeInstallation(const std::string& extraConfig) {
    ASSERT_TRUE(tw::test::MakeSampleInstallation(MKINSTALL_PATH, extraConfig))
        << tw::test::ReadFile("mkinstall.txt");
}

// The order in which services started and stopped, by their log lines.
struct ServiceMarks {
    std::string name;
    size_t start;
    size_t stop;
};

std::vector<ServiceMarks> StartsAndStops(const std::string& log) {
    static const char* kServices[] = {
        "MemoryManager", "FileManager",    "MouseManager",    "GraphicManager",  "DrawManager",
        "TextManager",   "MapManager",     "SkipDrawHandler", "CVersionManager", "HueManager",
        "FontManager",   "CObjectManager", "CGumpManager",    "PacketManager",   "CApp",
        "CDHDCache",     "MusicManager",   "SoundManager",    "PathManager",     "MultiManager",
        "RegionManager", "WeatherManager", "thelightthingie"};
    std::vector<ServiceMarks> marks;
    for (const char* service : kServices) {
        const std::string name = service;
        size_t start = log.find(name + "::start");
        if (start == std::string::npos && name == "SoundManager")
            start = log.find("SoundManager::CSoundManager");
        const size_t stop = log.find(name + "::shutdown");
        if (start != std::string::npos && stop != std::string::npos)
            marks.push_back({name, start, stop});
    }
    return marks;
}

class TwClientTest : public tw::test::TwTest, public ::testing::WithParamInterface<int> {};

TEST_P(TwClientTest, OpensItsWindowRunsAndStopsInReverseOrderOnCloseRequest) {
    XvfbOptions options;
    options.depth = GetParam();
    XvfbServer server(options);
    ASSERT_TRUE(server.ok()) << server.error();
    MakeInstallation("Sound=off\n");

    ClientProcess client(TWCLIENT_PATH);
    XvfbClient x;
    ASSERT_NE(x.display(), nullptr);
    const Window window = WaitForClientWindow(x, client);
    ASSERT_NE(window, 0u) << tw::test::ReadFile("stderr.txt");
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(x.display(), window, &attributes));
    EXPECT_EQ(attributes.width, 640);
    EXPECT_EQ(attributes.height, 480);
    EXPECT_EQ(attributes.depth, GetParam());

    // Frames keep arriving: the window's contents are drawn again and again.
    EXPECT_TRUE(WaitForFrames(x, window, client, 2));
    EXPECT_NE(ReportLog().find("Main Program Loop. Start."), std::string::npos);

    x.SendDeleteWindow(window);
    EXPECT_EQ(client.Wait(), 0) << tw::test::ReadFile("stderr.txt");

    const std::string log = ReportLog();
    EXPECT_NE(log.find("Main Program Loop. End."), std::string::npos);
    auto marks = StartsAndStops(log);
    ASSERT_GE(marks.size(), 5u) << log;
    for (size_t i = 1; i < marks.size(); ++i) {
        EXPECT_LT(marks[i - 1].start, marks[i].start) << marks[i].name << " started early";
        EXPECT_GT(marks[i - 1].stop, marks[i].stop)
            << marks[i].name << " stopped after " << marks[i - 1].name;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, TwClientTest, ::testing::Values(16, 15),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Depth" + std::to_string(info.param);
                         });

using TwClientFailureTest = tw::test::TwTest;

TEST_F(TwClientFailureTest, DepthTwentyFourOnlyDisplayEndsWithTheFirstDepthTried) {
    struct {
        const char* folder;
        const char* config;
        const char* message;
    } cases[] = {
        {"default", "", "linstuff,main: Failed to initialize 640x480x15 display.\n"},
        {"use565", "use565=on\n", "linstuff,main: Failed to initialize 640x480x16 display.\n"},
    };
    XvfbOptions options;
    options.depth = 24;
    XvfbServer server(options);
    ASSERT_TRUE(server.ok()) << server.error();
    for (const auto& c : cases) {
        const std::string folder = dir() + "/" + c.folder;
        std::filesystem::create_directory(folder);
        std::filesystem::current_path(folder);
        MakeInstallation(c.config);
        ClientProcess client(TWCLIENT_PATH);
        EXPECT_EQ(client.Wait(), 1) << c.folder;
        EXPECT_NE(tw::test::ReadFile("stderr.txt").find(c.message), std::string::npos)
            << tw::test::ReadFile("stderr.txt");
    }
    std::filesystem::current_path(dir());
}

// The client opens on the main menu with the account login box, and its
// exit button ends it with status 0.
TEST_F(TwClientFailureTest, OpensOnTheMainMenuAndItsExitButtonEndsIt) {
    XvfbOptions options;
    options.depth = 16;
    XvfbServer server(options);
    ASSERT_TRUE(server.ok()) << server.error();
    // No cursor thread: the picture holds the menu alone.
    MakeInstallation("Sound=off\nMouseThread=off\n");
    ClientProcess client(TWCLIENT_PATH);
    XvfbClient x;
    ASSERT_NE(x.display(), nullptr);
    const Window window = WaitForClientWindow(x, client);
    ASSERT_NE(window, 0u) << tw::test::ReadFile("stderr.txt");
    EXPECT_TRUE(WaitForFrames(x, window, client, 3));
    // The pointer rests on the title picture, where no button lies.
    x.FakeMotion(window, 320, 30);
    EXPECT_TRUE(WaitForFrames(x, window, client, 3));
    EXPECT_TRUE(tw::test::MatchesGolden(x.ReadImage(window, 640, 480),
                                        "ar_unix/base/golden/main_menu.png"));

    x.Click(window, 570, 10);
    EXPECT_EQ(client.Wait(), 0) << tw::test::ReadFile("stderr.txt");
    EXPECT_NE(ReportLog().find("Main Program Loop. End."), std::string::npos);
}

// Typed into the main menu, the account reaches a loopback login server,
// whose shard list is shown; Enter takes the default shard, the relay leads
// to a loopback game server, whose character list is shown.  Each screen
// is compared with its picture.
TEST_F(TwClientFailureTest, LoginScreensFromTheAccountToTheCharacterSelection) {
    XvfbOptions options;
    options.depth = 16;
    XvfbServer server(options);
    ASSERT_TRUE(server.ok()) << server.error();
    tw::test::LoopbackServer loginServer, gameServer;
    MakeInstallation("Sound=off\nMouseThread=off\n");
    tw::test::WriteFile("login.cfg",
                        "LoginServer=127.0.0.1," + std::to_string(loginServer.port()) + "\n");
    ClientProcess client(TWCLIENT_PATH);
    XvfbClient x;
    ASSERT_NE(x.display(), nullptr);
    const Window window = WaitForClientWindow(x, client);
    ASSERT_NE(window, 0u) << tw::test::ReadFile("stderr.txt");
    EXPECT_TRUE(WaitForFrames(x, window, client, 3));

    tw::test::TypeAccount(x, window, "player", "secret");

    ASSERT_TRUE(loginServer.WaitForConnections(1)) << tw::test::ReadFile("stderr.txt");
    M_DWORD seed = 0;
    ASSERT_TRUE(loginServer.ReadSeed(&seed));
    tw::test::Bytes got;
    ASSERT_TRUE(loginServer.ReadMessage(&got));
    ASSERT_EQ(got.size(), 62u);
    EXPECT_EQ(got[0], 0x80);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&got[1])), "player");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&got[31])), "secret");

    ASSERT_TRUE(loginServer.SendMessage(TwoShardList(7)));
    EXPECT_TRUE(WaitForFrames(x, window, client, 4));
    x.FakeMotion(window, 320, 20);
    EXPECT_TRUE(WaitForFrames(x, window, client, 3));
    EXPECT_TRUE(tw::test::MatchesGolden(x.ReadImage(window, 640, 480),
                                        "ar_unix/base/golden/shard_list.png"));

    x.FakeKey(XK_Return, true);
    x.FakeKey(XK_Return, false);
    XFlush(x.display());
    ASSERT_TRUE(loginServer.ReadMessage(&got));
    EXPECT_EQ(got, (tw::test::Bytes{0xA0, 0, 1}));
    ASSERT_TRUE(loginServer.SendMessage(
        Msg(0x8C).u32(0x7F000001).u16(gameServer.port()).u32(0x0BADF00D)));
    ASSERT_TRUE(gameServer.WaitForConnections(1));
    ASSERT_TRUE(gameServer.ReadSeed(&seed));
    EXPECT_EQ(seed, 0x0BADF00Du);
    gameServer.SetGameMode(true);
    ASSERT_TRUE(gameServer.ReadMessage(&got));
    EXPECT_EQ(got[0], 0x91);

    ASSERT_TRUE(gameServer.SendMessage(RowanAndSable(0xA9, true)));
    EXPECT_TRUE(WaitForFrames(x, window, client, 4));
    x.FakeMotion(window, 320, 20);
    EXPECT_TRUE(WaitForFrames(x, window, client, 3));
    EXPECT_TRUE(tw::test::MatchesGolden(x.ReadImage(window, 640, 480),
                                        "ar_unix/base/golden/character_selection.png"));

    x.Click(window, 570, 10);
    EXPECT_EQ(client.Wait(), 0) << tw::test::ReadFile("stderr.txt");
}

// The whole road against the scripted servers, driven by clicks: the second
// shard of the list is clicked, the relay's key opens the game server, and
// the second character is chosen and played.
TEST_F(TwClientFailureTest, ClickingTheSecondShardAndACharacterPlaysIt) {
    using tw::test::Bytes;
    using tw::test::ScriptedServer;
    XvfbOptions options;
    options.depth = 16;
    XvfbServer server(options);
    ASSERT_TRUE(server.ok()) << server.error();
    ScriptedServer game(ScriptedServer::kGame);
    game.On(0x91, {RowanAndSable(0xA9, true)});
    ScriptedServer login(ScriptedServer::kLogin);
    login.On(0x80, {TwoShardList(7)});
    login.On(0xA0, [&](const Bytes&) {
        return std::vector<Bytes>{
            Msg(0x8C).u32(0x7F000001).u16(game.port()).u32(0x0BADF00D)};
    });
    MakeInstallation("Sound=off\nMouseThread=off\n");
    tw::test::WriteLoginCfg(".", login.port());
    ClientProcess client(TWCLIENT_PATH);
    XvfbClient x;
    ASSERT_NE(x.display(), nullptr);
    const Window window = WaitForClientWindow(x, client);
    ASSERT_NE(window, 0u) << tw::test::ReadFile("stderr.txt");
    EXPECT_TRUE(WaitForFrames(x, window, client, 3));

    tw::test::TypeAccount(x, window, "player", "secret");
    Bytes got;
    ASSERT_TRUE(login.WaitFor(0x80, &got, 30000)) << tw::test::ReadFile("stderr.txt");
    ASSERT_EQ(got.size(), 62u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&got[1])), "player");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&got[31])), "secret");

    // The rows of the list are one line apart; the second is below the
    // first name.  The list takes its choice while the button is held, so
    // every click here lasts two frames.
    auto holdClick = [&](int px, int py) {
        x.FakeMotion(window, px, py);
        x.FakeButton(1, true);
        EXPECT_TRUE(WaitForFrames(x, window, client, 2));
        x.FakeButton(1, false);
        EXPECT_TRUE(WaitForFrames(x, window, client, 1));
    };
    EXPECT_TRUE(WaitForFrames(x, window, client, 4));
    holdClick(250, 111);
    ASSERT_TRUE(login.WaitFor(0xA0, &got, 30000)) << tw::test::ReadFile("TWReport0.log");
    EXPECT_EQ(got, (Bytes{0xA0, 0, 2}));
    ASSERT_TRUE(game.WaitFor(0x91, &got, 30000));
    EXPECT_EQ(game.Seeds(), std::vector<M_DWORD>{0x0BADF00D});
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&got[5])), "player");

    // A double click on the second slot plays it.
    EXPECT_TRUE(WaitForFrames(x, window, client, 4));
    x.Click(window, 335, 194);
    x.Click(window, 335, 194);
    ASSERT_TRUE(game.WaitFor(0x5D, &got, 30000)) << tw::test::ReadFile("TWReport0.log");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&got[5])), "Sable");
    EXPECT_EQ(got[65] << 24 | got[66] << 16 | got[67] << 8 | got[68], 1);

    // The waiting box over the selection is modal: the window's close
    // request ends the client.
    x.SendDeleteWindow(window);
    EXPECT_EQ(client.Wait(), 0) << tw::test::ReadFile("stderr.txt");
}

// The failures of the account login show their boxes over the main menu:
// so far, no server listening.
TEST_F(TwClientFailureTest, AccountLoginFailuresShowTheirBoxes) {
    using tw::test::ScriptedServer;
    struct Case {
        const char* golden;
        std::function<void(ScriptedServer&)> script;  // null: nobody listens
    };
    const Case cases[] = {
        {"ar_unix/base/golden/login_no_server.png", nullptr},
    };
    XvfbOptions options;
    options.depth = 16;
    XvfbServer server(options);
    ASSERT_TRUE(server.ok()) << server.error();
    MakeInstallation("Sound=off\nMouseThread=off\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        M_WORD port;
        std::unique_ptr<ScriptedServer> login;
        if (c.script) {
            login = std::make_unique<ScriptedServer>(ScriptedServer::kLogin);
            c.script(*login);
            port = login->port();
        } else {
            tw::test::LoopbackServer gone;
            port = gone.port();
        }
        tw::test::WriteLoginCfg(".", port);
        ClientProcess client(TWCLIENT_PATH);
        XvfbClient x;
        ASSERT_NE(x.display(), nullptr);
        const Window window = WaitForClientWindow(x, client);
        ASSERT_NE(window, 0u) << tw::test::ReadFile("stderr.txt");
        EXPECT_TRUE(WaitForFrames(x, window, client, 3));
        tw::test::TypeAccount(x, window, "player", "secret");
        if (login) {
            ASSERT_TRUE(login->WaitFor(0x80, nullptr, 30000));
        }
        EXPECT_TRUE(WaitForFrames(x, window, client, 4));
        x.FakeMotion(window, 320, 20);
        EXPECT_TRUE(WaitForFrames(x, window, client, 3));
        EXPECT_TRUE(tw::test::MatchesGolden(x.ReadImage(window, 640, 480), c.golden));
        x.SendDeleteWindow(window);
        EXPECT_EQ(client.Wait(), 0) << tw::test::ReadFile("stderr.txt");
    }
}

}  // namespace

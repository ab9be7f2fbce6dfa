// The whole road a player takes, through ./run.sh as a newcomer starts it:
// run.sh starts the sample shard beside the client, and the test plays
// only through X input: the main menu, the account, the shard, the
// character, the world around the player, four steps, a line of speech,
// the journal, and the window manager's close request.
#include <chrono>
#include <sstream>
#include <thread>

#include "support/ClientRun.h"
#include "support/GoldenImage.h"
#include "support/TwTest.h"
#include "support/Xvfb.h"
// Xlib's macros (None, Bool, Status) must come after the test framework.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

using tw::test::ClientProcess;
using tw::test::ReadFile;
using tw::test::WaitForClientWindow;
using tw::test::WaitForFrames;
using tw::test::XvfbClient;
using tw::test::XvfbOptions;
using tw::test::XvfbServer;

constexpr auto kTimeout = std::chrono::seconds(60);
constexpr auto kPoll = std::chrono::milliseconds(20);

// The lines of the shard's log that begin with prefix, waiting until there
// are at least count of them.
int WaitForShardLines(const std::string& log, const std::string& prefix, int count) {
    const auto end = std::chrono::steady_clock::now() + kTimeout;
    int seen = 0;
    for (;;) {
        seen = 0;
        std::istringstream lines(ReadFile(log));
        for (std::string line; std::getline(lines, line);)
            if (line.rfind(prefix, 0) == 0) ++seen;
        if (seen >= count || std::chrono::steady_clock::now() >= end) return seen;
        std::this_thread::sleep_for(kPoll);
    }
}

void PressKey(XvfbClient& x, unsigned long keysym) {
    x.FakeKey(keysym, true);
    x.FakeKey(keysym, false);
}

class MainRoadTest : public tw::test::TwTest, public ::testing::WithParamInterface<int> {};

TEST_P(MainRoadTest, FromTheMainMenuIntoTheWorldWalkingTalkingAndClosing) {
    const int depth = GetParam();
    const std::string golden = "ar_unix/base/golden/road_d" + std::to_string(depth) + "_";
    XvfbOptions options;
    options.depth = depth;
    XvfbServer server(options);
    ASSERT_TRUE(server.ok()) << server.error();

    // The sample installation, without the cursor thread (the pictures
    // hold the game alone) and with F1 opening the journal.
    const std::string sample = dir() + "/sample";
    ASSERT_EQ(
        system((std::string(MKINSTALL_PATH) + " " + sample + " > mkinstall.txt 2>&1").c_str()), 0);
    tw::test::WriteFile(sample + "/tw.cfg", ReadFile(sample + "/tw.cfg") + "MouseThread=off\n");
    tw::test::WriteFile(sample + "/macros.txt", "F1 0 0 0\nOpen Journal\n########\n");
    const std::string shardLog = sample + "/sampleshard.log";
    const std::string report = sample + "/TWReport0.log";

    // ./run.sh with the programs of this build and that installation; the
    // bound is for a run that nobody ends.
    ClientProcess run({"/bin/bash", TW_SOURCE_DIR "/run.sh"},
                      {"TW_BUILD_DIR=" TW_BINARY_DIR, "TW_SAMPLE_DIR=" + sample,
                       "TW_RUN_SECONDS=240", "TW_SERVER"},
                      dir() + "/run.txt");
    XvfbClient x;
    ASSERT_NE(x.display(), nullptr);
    const Window window = WaitForClientWindow(x, run);
    ASSERT_NE(window, 0u) << ReadFile(dir() + "/run.txt");
    auto frames = [&](int count) { return WaitForFrames(x, window, run, count); };
    ASSERT_TRUE(frames(3));

    // The account and the one shard by Enter, the one character by a double
    // click.
    tw::test::TypeAccount(x, window, "guest", "secret");
    ASSERT_EQ(WaitForShardLines(shardLog, "login 0x80", 1), 1)
        << ReadFile(dir() + "/run.txt") << ReadFile(report);
    ASSERT_TRUE(frames(4));
    PressKey(x, XK_Return);
    ASSERT_EQ(WaitForShardLines(shardLog, "game 0x91", 1), 1) << ReadFile(report);
    ASSERT_TRUE(frames(4));
    x.Click(window, 335, 154);
    x.Click(window, 335, 154);
    ASSERT_EQ(WaitForShardLines(shardLog, "game 0x5D", 1), 1) << ReadFile(report);

    // The world round the player: the crossroads, a guard, a traveller, a
    // beast, a crate and a barrel, and the welcome line.
    x.FakeMotion(window, 620, 20);
    ASSERT_TRUE(frames(10));
    const auto entered = std::chrono::steady_clock::now();
    // The pictures are read until they settle: the shard's messages and the
    // client's frames take their own time on a loaded machine.
    auto picture = [&] { return x.ReadImage(window, 640, 480); };
    EXPECT_TRUE(tw::test::SettlesToGolden(picture, golden + "world.png"));

    // Four steps east, each acknowledged by the shard; the view follows.
    // Every key reaches the walk marked as a repeated one, and a repeated
    // key is not taken while the last step is still being played (four
    // frame ticks): the next key waits for that, with time to spare on a
    // loaded machine.
    for (int step = 1; step <= 4; ++step) {
        PressKey(x, XK_Right);
        ASSERT_EQ(WaitForShardLines(shardLog, "game 0x02", step), step) << ReadFile(report);
        ASSERT_TRUE(frames(6));
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    // The welcome line at the foot of the view stays four seconds; the
    // picture is taken once it has gone.
    std::this_thread::sleep_until(entered + std::chrono::milliseconds(5000));
    ASSERT_TRUE(frames(10));
    EXPECT_TRUE(tw::test::SettlesToGolden(picture, golden + "walked.png"));

    // A line of speech: sent, echoed over the player, and answered by the
    // guard.
    x.TypeText("hello there");
    PressKey(x, XK_Return);
    ASSERT_EQ(WaitForShardLines(shardLog, "game 0x03", 1), 1) << ReadFile(report);
    ASSERT_TRUE(frames(6));
    EXPECT_TRUE(tw::test::SettlesToGolden(picture, golden + "speech.png"));

    // The journal holds what was said; it is opened once the lines over the
    // heads have gone (four seconds each), so that its picture does not
    // depend on how fast the machine is.
    std::this_thread::sleep_for(std::chrono::milliseconds(5000));
    PressKey(x, XK_F1);
    ASSERT_TRUE(frames(6));
    EXPECT_TRUE(tw::test::SettlesToGolden(picture, golden + "journal.png"));

    x.SendDeleteWindow(window);
    EXPECT_EQ(run.Wait(), 0) << ReadFile(dir() + "/run.txt");
    const std::string log = ReadFile(report);
    EXPECT_NE(log.find("Main Program Loop. End."), std::string::npos);
    // No error but the line that marks the start of every run.
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);) {
        if (line == "TWReport::error: reached main!") continue;
        EXPECT_EQ(line.rfind("TWReport::error: ", 0), std::string::npos) << line;
        EXPECT_EQ(line.rfind("TWReport::fatal: ", 0), std::string::npos) << line;
    }
    // Every step went out once.
    EXPECT_EQ(WaitForShardLines(shardLog, "game 0x02", 4), 4);
}

INSTANTIATE_TEST_SUITE_P(Depths, MainRoadTest, ::testing::Values(16, 15),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Depth" + std::to_string(info.param);
                         });

}  // namespace

// The login screens of the client program under Xvfb, driven only by X
// input against the scripted servers: a refused account, a server closing
// the connection, and the character selection's click, delete and Enter.
#include <memory>
#include <string>
#include <vector>

#include "support/ClientRun.h"
#include "support/GoldenImage.h"
#include "support/LoginRoadMessages.h"
#include "support/ScriptedServer.h"
#include "support/ServerMessage.h"
#include "support/TwTest.h"
// Xlib's macros (None, Bool, Status) must come after the test framework.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

using tw::test::Bytes;
using tw::test::Msg;
using tw::test::RowanAndSable;
using tw::test::TwoShardList;
using tw::test::ScriptedServer;
using tw::test::XvfbClient;
using tw::test::XvfbOptions;
using tw::test::XvfbServer;
using tw::test::ClientProcess;
using tw::test::WaitForClientWindow;
using tw::test::WaitForFrames;

constexpr int kWaitMs = 30000;

class LoginRoadTest : public tw::test::TwTest {
protected:
    void SetUp() override {
        TwTest::SetUp();
        XvfbOptions options;
        options.depth = 16;
        xvfb_ = std::make_unique<XvfbServer>(options);
        ASSERT_TRUE(xvfb_->ok()) << xvfb_->error();
        // No cursor thread: the pictures hold the screens and the cursor
        // the frames draw.
        ASSERT_TRUE(tw::test::MakeSampleInstallation(MKINSTALL_PATH, "Sound=off\nMouseThread=off\n"))
            << tw::test::ReadFile("mkinstall.txt");
    }
    void TearDown() override {
        xvfb_.reset();
        TwTest::TearDown();
    }

    // The client on its main menu, the account typed and Enter pressed.
    void StartAndLogIn(ClientProcess& client, XvfbClient& x, Window* window) {
        ASSERT_NE(x.display(), nullptr);
        *window = WaitForClientWindow(x, client);
        ASSERT_NE(*window, 0u) << tw::test::ReadFile("stderr.txt");
        ASSERT_TRUE(WaitForFrames(x, *window, client, 3));
        tw::test::TypeAccount(x, *window, "player", "secret");
    }
    static void Key(XvfbClient& x, unsigned long keysym) {
        x.FakeKey(keysym, true);
        x.FakeKey(keysym, false);
        XFlush(x.display());
    }
    // The window once the screen has settled, the pointer resting where no
    // control lies.
    static tw::test::Image16 Settled(XvfbClient& x, Window window, ClientProcess& client) {
        EXPECT_TRUE(WaitForFrames(x, window, client, 4));
        x.FakeMotion(window, 320, 20);
        EXPECT_TRUE(WaitForFrames(x, window, client, 3));
        return x.ReadImage(window, 640, 480);
    }

private:
    std::unique_ptr<XvfbServer> xvfb_;
};

// A refusal shows its whole text in a box large enough for it, and the
// server closing the connection mid-road brings the main menu back with
// "Connection lost"; neither shows the busy cursor, and nothing logs in
// again on its own.
TEST_F(LoginRoadTest, RefusalAndClosedConnectionShowTheirMessages) {
    struct Case {
        const char* golden;
        Bytes answer;  // empty: no answer, the connection is just closed
    } cases[] = {
        {"ar_unix/base/golden/login_refused_credentials.png", Msg(0x82).u8(3)},
        {"ar_unix/base/golden/login_connection_lost.png", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        ScriptedServer login(ScriptedServer::kLogin);
        login.On(0x80, c.answer.empty() ? std::vector<Bytes>{} : std::vector<Bytes>{c.answer});
        login.CloseAfter(0x80);
        tw::test::WriteLoginCfg(".", login.port());
        ClientProcess client(TWCLIENT_PATH);
        XvfbClient x;
        Window window = 0;
        StartAndLogIn(client, x, &window);
        ASSERT_TRUE(login.WaitFor(0x80, nullptr, kWaitMs)) << tw::test::ReadFile("stderr.txt");
        EXPECT_TRUE(tw::test::MatchesGolden(Settled(x, window, client), c.golden));
        EXPECT_EQ(login.Connections(), 1);
        x.SendDeleteWindow(window);
        EXPECT_EQ(client.Wait(), 0) << tw::test::ReadFile("stderr.txt");
    }
}

// A plain click chooses a shard; on the character selection a click picks
// the second character, the delete button and Enter delete it (0x83), the
// new list (0x86) shows, and Enter plays the character clicked then.
TEST_F(LoginRoadTest, ClickedShardDeletedCharacterAndEnterPlays) {
    ScriptedServer game(ScriptedServer::kGame);
    game.On(0x91, {RowanAndSable(0xA9, true)});
    game.On(0x83, {RowanAndSable(0x86, false)});
    ScriptedServer login(ScriptedServer::kLogin);
    login.On(0x80, {TwoShardList(7)});
    login.On(0xA0, [&](const Bytes&) {
        return std::vector<Bytes>{
            Msg(0x8C).u32(ScriptedServer::address()).u16(game.port()).u32(0x0BADF00D)};
    });
    tw::test::WriteLoginCfg(".", login.port());
    ClientProcess client(TWCLIENT_PATH);
    XvfbClient x;
    Window window = 0;
    StartAndLogIn(client, x, &window);
    ASSERT_TRUE(login.WaitFor(0x80, nullptr, kWaitMs)) << tw::test::ReadFile("stderr.txt");

    // The second row of the list, one quick click.
    ASSERT_TRUE(WaitForFrames(x, window, client, 4));
    x.Click(window, 250, 111);
    Bytes got;
    ASSERT_TRUE(login.WaitFor(0xA0, &got, kWaitMs)) << tw::test::ReadFile("TWReport0.log");
    EXPECT_EQ(got, (Bytes{0xA0, 0, 2}));
    ASSERT_TRUE(game.WaitFor(0x91, nullptr, kWaitMs));

    ASSERT_TRUE(WaitForFrames(x, window, client, 4));
    x.Click(window, 335, 194);
    x.Click(window, 444, 361);
    ASSERT_TRUE(WaitForFrames(x, window, client, 3));
    Key(x, XK_Return);
    ASSERT_TRUE(game.WaitFor(0x83, &got, kWaitMs)) << tw::test::ReadFile("TWReport0.log");
    ASSERT_EQ(got.size(), 39u);
    EXPECT_EQ(got[34], 1);

    ASSERT_TRUE(WaitForFrames(x, window, client, 4));
    x.Click(window, 335, 154);
    ASSERT_TRUE(WaitForFrames(x, window, client, 2));
    Key(x, XK_Return);
    ASSERT_TRUE(game.WaitFor(0x5D, &got, kWaitMs)) << tw::test::ReadFile("TWReport0.log");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&got[5])), "Rowan");
    EXPECT_EQ(got[65] << 24 | got[66] << 16 | got[67] << 8 | got[68], 0);
    for (const Bytes& m : game.Received()) EXPECT_NE(m[0], 0x80);

    x.SendDeleteWindow(window);
    EXPECT_EQ(client.Wait(), 0) << tw::test::ReadFile("stderr.txt");
}

}  // namespace

// A character made from start to end in the client program under Xvfb,
// driven only by the keyboard and mouse through XTEST: from the character
// selection, "new character", a profession with a stat moved, the
// appearance with a typed name and picked colours, a starting city and the
// forward arrow; the scripted game server receives the create-character
// message.  Each step of creation is compared with its picture.
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/ClientRun.h"
#include "support/GoldenImage.h"
#include "support/ScriptedServer.h"
#include "support/ServerMessage.h"
#include "support/TwTest.h"
#include "support/Xvfb.h"
// Xlib's macros come after the test framework.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

using tw::test::Bytes;
using tw::test::Msg;
using tw::test::ScriptedServer;

constexpr int kWaitMs = 30000;

const char* const kCities[9] = {"Ashby",   "Duskfen",   "Calder",       "Westmarch", "Stonereach",
                                "Pellham", "Corriston", "Fenwick Isle", "Ambrose"};

// One character, "Sable" in the first slot, and the nine starting cities,
// whose values for the create-character message run backwards from 8.
Bytes CharactersAndCities() {
    Msg m(0xA9);
    m.u8(1).text("Sable", 30).text("", 30);
    for (int k = 1; k < 5; ++k) m.text("", 60);
    m.u8(9);
    for (int j = 0; j < 9; ++j) m.u8(8 - j).text(kCities[j], 31).text("The Inn", 31);
    return m;
}

using CreationRoadTest = tw::test::TwTest;

TEST_F(CreationRoadTest, ANewCharacterFromTheSelectionToTheGameServer) {
    tw::test::XvfbOptions options;
    options.depth = 16;
    tw::test::XvfbServer xserver(options);
    ASSERT_TRUE(xserver.ok()) << xserver.error();

    ScriptedServer game(ScriptedServer::kGame);
    game.On(0x91, {CharactersAndCities()});
    ScriptedServer login(ScriptedServer::kLogin);
    Msg shards(0xA8);
    shards.u8(7).u16(1).u16(5).text("Amberfell", 32).u8(0).u8(0).u32(ScriptedServer::address());
    login.On(0x80, {shards});
    login.On(0xA0, [&](const Bytes&) {
        return std::vector<Bytes>{
            Msg(0x8C).u32(ScriptedServer::address()).u16(game.port()).u32(0x0BADF00D)};
    });
    // The remembered character password is kept scrambled: "nop" is "abc".
    ASSERT_TRUE(tw::test::MakeSampleInstallation(MKINSTALL_PATH,
                                                 "Sound=off\nMouseThread=off\nPassword=nop\n"))
        << tw::test::ReadFile("mkinstall.txt");
    tw::test::WriteLoginCfg(".", login.port());

    tw::test::ClientProcess client(TWCLIENT_PATH);
    tw::test::XvfbClient x;
    ASSERT_NE(x.display(), nullptr);
    const tw::test::XWindow window = tw::test::WaitForClientWindow(x, client);
    ASSERT_NE(window, 0u) << tw::test::ReadFile("stderr.txt");
    auto frames = [&](int count) {
        ASSERT_TRUE(tw::test::WaitForFrames(x, window, client, count))
            << tw::test::ReadFile("stderr.txt");
    };
    // Every click is followed by frames, so that no two make a double click.
    auto click = [&](int px, int py) {
        x.Click(window, px, py);
        frames(3);
    };
    auto enter = [&] {
        x.FakeKey(XK_Return, true);
        x.FakeKey(XK_Return, false);
        XFlush(x.display());
    };
    // The pointer rests where no control lies while a step is pictured.
    auto shows = [&](const std::string& golden) {
        x.FakeMotion(window, 320, 20);
        frames(3);
        return tw::test::SettlesToGolden([&] { return x.ReadImage(window, 640, 480); },
                                         "ar_unix/base/golden/" + golden + ".png");
    };
    frames(3);

    click(400, 350);
    x.TypeText("player");
    click(400, 390);
    x.TypeText("secret");
    enter();
    ASSERT_TRUE(login.WaitFor(0x80, nullptr, kWaitMs)) << tw::test::ReadFile("stderr.txt");
    frames(4);
    enter();
    ASSERT_TRUE(login.WaitFor(0xA0, nullptr, kWaitMs)) << tw::test::ReadFile("TWReport0.log");
    ASSERT_TRUE(game.WaitFor(0x91, nullptr, kWaitMs));
    frames(4);

    // The selection's "new character" button opens the professions.
    click(226, 362);
    EXPECT_TRUE(shows("creation_professions"));
    // Fighter, then its Knight: the knight's stats and skills.
    click(515, 115);
    click(515, 115);
    EXPECT_TRUE(shows("creation_knight"));
    // Strength's thumb (at 68 of the track for 35 of 10..45) dragged 27
    // pixels left: strength 24, and dexterity and intelligence share the
    // 11 points that frees, 5 and 6.
    x.FakeMotion(window, 578, 147);
    x.FakeButton(1, true);
    frames(2);
    x.FakeMotion(window, 551, 147);
    frames(3);
    x.FakeButton(1, false);
    frames(3);
    click(620, 455);

    // The appearance: the name typed, the skin tone, shirt and pants
    // colours picked from their grids.
    click(350, 78);
    x.TypeText("Rowan");
    click(550, 160);
    click(528, 190);  // skin 1018
    click(550, 205);
    click(492, 141);  // shirt 201
    click(550, 250);
    click(499, 155);  // pants 206
    EXPECT_TRUE(shows("creation_appearance"));
    click(620, 455);

    // The map: Westmarch, then forward.
    click(340, 160);
    EXPECT_TRUE(shows("creation_city"));
    click(620, 455);

    Bytes got;
    ASSERT_TRUE(game.WaitFor(0x00, &got, kWaitMs)) << tw::test::ReadFile("TWReport0.log");
    const Bytes expected = Msg(0x00)
                               .u32(0xEDEDEDED)
                               .u32(0xFFFFFFFF)
                               .u8(0)
                               .text("Rowan", 30)
                               .text("abc", 30)
                               .u8(0)  // male
                               .u8(24).u8(25).u8(16)  // the knight's stats, moved
                               .u8(40).u8(50)  // swordsmanship
                               .u8(5).u8(30)   // parrying
                               .u8(17).u8(20)  // healing
                               .u16(1019)      // skin 1018 + 1
                               .u16(8251)      // short hair
                               .u16(1102)      // its hue 1101 + 1
                               .u16(0)         // no beard
                               .u16(1102)      // the beard's hue 1101 + 1
                               .u8(5)          // the shard's id
                               .u8(5)          // the server's value of Westmarch
                               .u32(1)         // the first free slot
                               .u32(0x7F000001)  // the connection's local address
                               .u16(207)         // pants 206 + 1
                               .u16(202);        // shirt 201 + 1
    ASSERT_EQ(got.size(), 104u);
    EXPECT_EQ(got, expected);
    EXPECT_FALSE(game.WaitFor(0x00, nullptr, 500, 1));

    x.SendDeleteWindow(window);
    EXPECT_EQ(client.Wait(), 0) << tw::test::ReadFile("stderr.txt");
}

}  // namespace

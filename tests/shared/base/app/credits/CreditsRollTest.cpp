// The credits roll: the "credits.dat" reader, and the roll itself in a real
// window on a private Xvfb server.
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "FileManager.h"
#include "FrameBuf.h"
#include "InputEvents.h"
#include "PlatformServices.h"
#include "Service.h"
#include "app/App.h"
#include "app/CreditsRoll.h"
#include "config/Config.h"
#include "resources/DHDCache.h"
#include "resources/SpanHandlers.h"
#include "resources/UnicodeFont.h"
#include "support/TwTest.h"
#include "support/WideText.h"
#include "support/Xvfb.h"
#include "support/datafiles/DataFiles.h"
#include "support/doubles/RecordingGumps.h"

namespace {

using tw::datafiles::Image;
using tw::test::Narrow;

constexpr M_WORD kBackground = 0x0123;
constexpr M_WORD kMenu = 0x0456;
constexpr int W = 640, H = 480;

class CreditsRollTest : public tw::test::TwTest {
protected:
    void SetUp() override {
        static bool registered = false;
        if (!registered) {
            registered = true;
            tw::test::AddServiceReset(ResetConfigForTests);
            tw::test::AddServiceReset(CApp::reset);
            tw::test::AddServiceReset(CCreditsRoll::reset);
            tw::test::AddServiceReset(ResetUnicodeFontsForTests);
            tw::test::AddServiceReset(CDHDCache::reset);
        }
        TwTest::SetUp();
        FileManager::startup();
        const tw::datafiles::Bytes font =
            tw::datafiles::EncodeUnicodeFont(tw::datafiles::TextUnicodeGlyphs());
        for (const char* name : {"unifont.mul", "unifont1.mul", "unifont2.mul"})
            tw::datafiles::WriteBytes(name, font);
    }

    // The data files with the two gump-art pictures, and the cache over them.
    void InstallGumpArt() {
        for (int i = 0; i < CDHDCache::NUM_FILES; ++i)
            tw::datafiles::WriteBytes(CDHDCache::GetFileName(i),
                                      tw::datafiles::Bytes(i == FN_MAP0 ? 196 : 12, 0xFF));
        tw::datafiles::IndexedPair gumps;
        tw::datafiles::AddGumpArt(gumps, CCreditsRoll::BACKGROUND_GUMP, Image(W, H, kBackground));
        tw::datafiles::AddGumpArt(gumps, CCreditsRoll::MENU_GUMP, Image(W, H, kMenu));
        gumps.write("gumpidx.mul", "gumpart.mul");
        hdConfig = MaxHD;
        CDHDCache::startup();
        CDHDCache::Init();
    }
};

TEST_F(CreditsRollTest, ReadsTextLinesAndCommandLines) {
    struct Line {
        std::string text;
        int colour, font;
    };
    struct Case {
        const char* what;
        const char* file;
        std::vector<Line> lines;
        std::vector<int> songs;
    } const cases[] = {
        {"plain lines, the empty one too",
         "Hello\n\nWorld\n",
         {{"Hello", 0x7777, 0}, {"", 0x7777, 0}, {"World", 0x7777, 0}},
         {}},
        {"color affects the next line only",
         "! color #FF0000\nRed\nPlain",
         {{"Red", 0x7C00, 0}, {"Plain", 0x7777, 0}},
         {}},
        {"defaultcolor affects every later line",
         "! defaultcolor 255 font 2\nA\nB\n",
         {{"A", 0x001F, 2}, {"B", 0x001F, 0}},
         {}},
        {"fonts outside 0-2 are refused", "! defaultfont 1\n! font 7\nA\n", {{"A", 0x7777, 1}}, {}},
        {"songs; other tokens skipped; a keyword without value ends the line",
         "! song 3 bogus song 4 song\nA\n",
         {{"A", 0x7777, 0}},
         {3, 4}},
        {"only the first token splits at '='", "!=color=#00FF00\nG\n", {{"G", 0x7777, 0}}, {}},
        {"a line that is not a command",
         "!x color #FF0000\n",
         {{"!x color #FF0000", 0x7777, 0}},
         {}},
    };
    for (const Case& c : cases) {
        CCreditsRoll::reset();
        tw::test::WriteFile("credits.dat", std::string(c.file));
        CCreditsRoll roll;
        ASSERT_TRUE(roll.Load()) << c.what;
        ASSERT_EQ(roll.GetLineCount(), static_cast<int>(c.lines.size())) << c.what;
        for (int i = 0; i < roll.GetLineCount(); ++i) {
            const CreditLine* line = roll.GetLine(i);
            EXPECT_EQ(Narrow(line->text.c_str()), c.lines[i].text) << c.what;
            EXPECT_EQ(line->colour, c.lines[i].colour) << c.what << " line " << i;
            EXPECT_EQ(line->font, c.lines[i].font) << c.what << " line " << i;
        }
        EXPECT_EQ(roll.GetLine(roll.GetLineCount()), nullptr);
        std::vector<int> songs(roll.songs.songs, roll.songs.songs + roll.songs.numSongs);
        EXPECT_EQ(songs, c.songs) << c.what;
    }
}

TEST_F(CreditsRollTest, LinesAreMeasuredInTheirFontAndDefaultsOutliveTheRoll) {
    tw::test::WriteFile("credits.dat", std::string("! defaultcolor 31\nHello\n"));  // blue 3
    {
        CCreditsRoll roll;
        ASSERT_TRUE(roll.Load());
        EXPECT_EQ(roll.GetLine(0)->width, 30);  // five characters of 5 + 1 pixels
        EXPECT_EQ(roll.GetLine(0)->height, 18);
    }
    tw::test::WriteFile("credits.dat", std::string("Again\n"));
    CCreditsRoll next;
    ASSERT_TRUE(next.Load());
    EXPECT_EQ(next.GetLine(0)->colour, 3);
}

TEST_F(CreditsRollTest, ExtraSongsAreIgnored) {
    std::string file = "!";
    for (int i = 0; i < 40; ++i) file += " song " + std::to_string(i);
    tw::test::WriteFile("credits.dat", file + "\nA\n");
    CCreditsRoll roll;
    ASSERT_TRUE(roll.Load());
    EXPECT_EQ(roll.songs.numSongs, 32);
    EXPECT_EQ(roll.songs.songs[31], 31);
}

TEST_F(CreditsRollTest, NothingToRollRunsNothing) {
    CCreditsRoll missing;
    EXPECT_FALSE(missing.Run());
    tw::test::WriteFile("credits.dat", std::string("! song 5\n! color 3\n"));
    CCreditsRoll onlyCommands;
    EXPECT_FALSE(onlyCommands.Load());
    EXPECT_FALSE(onlyCommands.Run());
    tw::test::WriteFile("credits.dat", std::string(""));
    CCreditsRoll empty;
    EXPECT_FALSE(empty.Run());

    // A credits file that cannot be read (here a directory) ends the reading.
    std::remove("credits.dat");
    ASSERT_EQ(mkdir("credits.dat", 0755), 0);
    CCreditsRoll unreadable;
    EXPECT_FALSE(unreadable.Load());
}

// A back buffer shorter than the roll's 480 rows, with nothing after it: a
// line crossing its bottom is drawn down to its last row and no further.
TEST_F(CreditsRollTest, ABackBufferShorterThanTheRollIsNotWrittenPast) {
    InstallGumpArt();
    constexpr int kRows = 100;
    std::vector<M_WORD> buffer(size_t(W) * kRows, 0);
    g_backBuffer = buffer.data();
    g_displayWidth = W;
    g_displayHeight = kRows;
    tw::test::WriteFile("credits.dat", std::string("H\n"));
    CCreditsRoll roll;
    ASSERT_TRUE(roll.Load());
    roll.scroll = 389;  // the step puts the line at y = 90: "H" spans rows 94-100
    roll.Step();
    g_backBuffer = nullptr;
    g_displayWidth = W;
    g_displayHeight = H;
    // "H" is 6 wide at x = 317; its side columns have ink down to its last row.
    EXPECT_EQ(buffer[size_t(94) * W + 317], 0x7777);
    EXPECT_EQ(buffer[size_t(kRows - 1) * W + 317], 0x7777);
    EXPECT_EQ(buffer[size_t(kRows - 1) * W + 318], kBackground);
}

// A frame buffer without a window whose pump hands over the events a test
// gave it, the way the X pump does: up to and including a resize or close
// request, and the rest at the next pump.
class QueuedEventsFrameBuf : public CFrameBuf {
public:
    std::vector<InputEvent::Kind> events;

    void PumpEvents() override {
        while (!events.empty()) {
            InputEvent event;
            event.kind = events.front();
            events.erase(events.begin());
            PushInputEvent(event);
            if (event.kind == InputEvent::kResize || event.kind == InputEvent::kClose) return;
        }
    }
    BOOL OpenDisplay(int, int, int) override { return TRUE; }
    void CloseDisplay() override {}
    void Present() override {}
    void PresentWrapped(int, int) override {}
    void Reserved5() override {}
    void SetPalette(unsigned char*) override {}
    void InstallColormap() override {}
    void FreeColormap() override {}
    M_WORD* GetPixels() override { return nullptr; }
    int GetWidth() override { return W; }
    int GetHeight() override { return H; }
};

class CountingPresents : public PlatformHooks {
public:
    int presents = 0;
    void AllocateMainBitmap() override {}
    void PresentBackBuffer() override { ++presents; }
    void ResizeMainWindow(int, int) override {}
    int OpenWebBrowser() override { return 0; }
};

TEST_F(CreditsRollTest, TheRollTakesEveryQueuedEventAndEndsAtAKeyPress) {
    using K = InputEvent;
    struct Case {
        const char* what;
        std::vector<InputEvent::Kind> events;
        bool ends;
    } const cases[] = {
        {"nothing happens", {}, false},
        {"the pointer moves and clicks", {K::kMotion, K::kButtonPress, K::kButtonRelease}, false},
        {"a key press behind pointer motion", {K::kMotion, K::kMotion, K::kKeyPress}, true},
        {"a key press behind a close request", {K::kClose, K::kKeyPress}, true},
        {"a released key is no press", {K::kKeyRelease, K::kExpose, K::kResize}, false},
    };
    tw::test::WriteFile("credits.dat", std::string("One\nTwo\n"));
    QueuedEventsFrameBuf frameBuf;
    CountingPresents hooks;
    tw::ScopedService<PlatformHooks> installed(&hooks);
    g_frameBuf = &frameBuf;
    for (const Case& c : cases) {
        CCreditsRoll roll;
        ASSERT_TRUE(roll.Load());
        frameBuf.events = c.events;
        hooks.presents = 0;
        roll.Step();
        EXPECT_EQ(roll.done != 0, c.ends) << c.what;
        EXPECT_EQ(hooks.presents, c.ends ? 0 : 1) << c.what << ": a roll that ends shows nothing";
        EXPECT_EQ(PendingInputEvents(), 0u) << c.what << ": every event is taken";
        EXPECT_TRUE(frameBuf.events.empty()) << c.what;
    }
    g_frameBuf = nullptr;
}

// The roll in a 640 x 480 window at depth 15 and 16.
class CreditsRollWindowTest : public CreditsRollTest, public ::testing::WithParamInterface<int> {
protected:
    // The present draws and erases the mouse manager's cursor.
    tw::doubles::RecordingMouse mouse;

    void SetUp() override {
        CreditsRollTest::SetUp();
        tw::test::XvfbOptions options;
        options.depth = GetParam();
        server_ = std::make_unique<tw::test::XvfbServer>(options);
        ASSERT_TRUE(server_->ok()) << server_->error();
        frameBuf_.reset(CreateFrameBuf());
        ASSERT_TRUE(frameBuf_->OpenDisplay(W, H, GetParam()));
        g_frameBuf = frameBuf_.get();
        g_backBuffer = frameBuf_->GetPixels();
        g_displayWidth = W;
        g_displayHeight = H;
        g_ringStart = g_viewX = g_viewY = 0;
        InstallGumpArt();
    }
    void TearDown() override {
        g_frameBuf = nullptr;
        g_backBuffer = nullptr;
        frameBuf_.reset();
        server_.reset();
        CreditsRollTest::TearDown();
    }

    std::unique_ptr<tw::test::XvfbServer> server_;
    std::unique_ptr<CFrameBuf> frameBuf_;

private:
    tw::ScopedService<PlatformHooks> hooks_{&X11PlatformHooks()};
};

TEST_P(CreditsRollWindowTest, DrawsTheBackgroundAndCentredLines) {
    tw::test::WriteFile("credits.dat", std::string("! color #FF0000\nHI\nH\n"));
    CCreditsRoll roll;
    ASSERT_TRUE(roll.Load());
    roll.scroll = 380;  // the next step puts the first line at y = 99
    roll.Step();
    EXPECT_EQ(roll.scroll, 381);
    tw::test::XvfbClient client;
    const std::vector<std::uint16_t> window =
        client.ReadPixels(client.FindWindow("Tarrowmere"), W, H);
    auto at = [&](int x, int y) { return window[static_cast<size_t>(y) * W + x]; };
    // Gump art reaches a 5-6-5 window converted; the text is drawn in its
    // colour as given.
    const M_WORD background = Display565 ? To565(kBackground) : kBackground;
    EXPECT_EQ(at(0, 0), background);
    EXPECT_EQ(at(W - 1, H - 1), background);
    // "HI" is 12 pixels wide: x = 314; its glyphs start 4 rows down.  The
    // top row of H has ink in its first and last columns.
    EXPECT_EQ(at(314, 103), 0x7C00);
    EXPECT_EQ(at(318, 103), 0x7C00);
    EXPECT_EQ(at(315, 103), background);
    EXPECT_EQ(at(313, 103), background);
    // "H" alone is 6 wide (x = 317), one line height (18) lower, default colour.
    EXPECT_EQ(at(317, 121), 0x7777);
    EXPECT_EQ(at(321, 121), 0x7777);
}

TEST_P(CreditsRollWindowTest, AKeyPressEndsTheRollAndLeavesTheMenuBackground) {
    tw::test::WriteFile("credits.dat", std::string("One\nTwo\nThree\n"));
    CCreditsRoll roll;
    std::thread presser([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        tw::test::XvfbClient client;
        constexpr unsigned long kSpaceKeySym = 0x20;
        client.SendKey(client.FindWindow("Tarrowmere"), kSpaceKeySym, 0, true);
    });
    const auto start = std::chrono::steady_clock::now();
    const BOOL ran = roll.Run();
    const auto took = std::chrono::steady_clock::now() - start;
    presser.join();
    EXPECT_TRUE(ran);
    EXPECT_TRUE(roll.done);
    EXPECT_LT(took, std::chrono::seconds(3)) << "a whole roll takes about 18 s";
    const M_WORD menu = Display565 ? To565(kMenu) : kMenu;
    EXPECT_EQ(g_backBuffer[0], menu);
    EXPECT_EQ(g_backBuffer[W * H - 1], menu);
}

INSTANTIATE_TEST_SUITE_P(Depths, CreditsRollWindowTest, ::testing::Values(15, 16));

}  // namespace

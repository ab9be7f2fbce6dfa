// The speech input line driven key by key: modes, Enter, dot commands, the
// prompt reply, the limits and recall.
#include <cstring>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "Clock.h"
#include "CommTestSupport.h"
#include "FrameBuf.h"
#include "app/App.h"
#include "comm/InputGump.h"
#include "comm/Journal.h"
#include "comm/SpeechLine.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "net/ServerPrompt.h"
#include "resources/FontManager.h"
#include "resources/UnicodeFont.h"
#include "support/WideText.h"
#include "support/datafiles/DataFiles.h"
#include "support/doubles/RecordingConnection.h"

namespace {

using Bytes = std::vector<M_BYTE>;

class SpeechLineTest : public tw::test::CommTest {
protected:
    void SetUp() override {
        CommTest::SetUp();
        doubles.inWorld = TRUE;
        g_inputWindow = &line;
        SpeechLine::skipNextKey = FALSE;
        g_serverPrompt = ServerPrompt();
        CApp::speechHue = 90;
        CApp::speechFont = 3;
    }
    void TearDown() override {
        g_inputWindow = nullptr;
        g_serverPrompt = ServerPrompt();
        g_keyControl = 0;
        CommTest::TearDown();
    }
    // Types the keys: '\b' Backspace, '\r' Enter, '\x1b' Esc (through the
    // application's character handler).
    void Keys(const std::string& keys) {
        for (char c : keys) {
            if (c == 27)
                CApp::OnChar(27);
            else
                line.HandleKey(static_cast<unsigned char>(c));
        }
    }
    std::string Typed() const {
        std::string s;
        for (int i = 0; i < line.length; ++i) s.push_back(static_cast<char>(line.text[i]));
        return s;
    }
    // The talk messages (0x03) sent: mode and text.
    std::vector<std::pair<int, std::string>> Talk() const {
        std::vector<std::pair<int, std::string>> talk;
        for (const Bytes& m : Written())
            if (m[0] == 0x03) talk.emplace_back(m[3], std::string(m.begin() + 8, m.end() - 1));
        return talk;
    }

    SpeechLine line;
    tw::doubles::RecordingConnection windows;
};

TEST_F(SpeechLineTest, KeySequencesSpeakInTheirModes) {
    struct {
        const char* keys;
        int mode;
        const char* sent;
    } const cases[] = {
        {"hello\r", 0, "hello"},
        {"! shout\r", 9, "shout"},
        {"; psst\r", 8, "psst"},
        {": waves\r", 2, "*waves*"},
        {"!a b\r", 0, "!a b"},   // a sign and a letter: the blank is
                                 // typed
        {"! ' hi\r", 0, "hi"},   // the apostrophe goes back to saying
        {"! a\bb\r", 0, "b"},    // emptied by Backspace: back to saying
        {"; a  b\r", 8, "a b"},  // blank runs collapse when sent
    };
    for (const auto& c : cases) {
        Forget();
        Keys(c.keys);
        const auto talk = Talk();
        ASSERT_EQ(talk.size(), 1u) << c.keys;
        EXPECT_EQ(talk[0].first, c.mode) << c.keys;
        EXPECT_EQ(talk[0].second, c.sent) << c.keys;
        EXPECT_EQ(line.length, 0);
        EXPECT_EQ(line.mode, 0);
    }
    Forget();
    Keys("\r\b");
    EXPECT_TRUE(Written().empty()) << "an empty line sends nothing";
}

TEST_F(SpeechLineTest, UnicodeSpeechGoesOutAsItsOwnMessage) {
    UnicodeSpeech = TRUE;
    Keys("; hi\r");
    const auto written = Written();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0][0], 0xAD);
    EXPECT_EQ(written[0][3], 8);
}

TEST_F(SpeechLineTest, DotCommandsRunInCommandMode) {
    struct {
        const char* keys;
        Bytes message;  // empty: nothing sent
        const char* journal;
    } const cases[] = {
        {"WHERE\r", {}, "You are at: 0 0 0 in map0."},
        {"action bow\r", {0x12, 0x00, 0x08, 199, 'b', 'o', 'w', 0}, nullptr},
        {"  who\r", {}, nullptr},
        {"nosuch thing\r", {}, nullptr},
    };
    for (const auto& c : cases) {
        Forget();
        Journal::reset();
        line.SetMode(SpeechLine::COMMAND);
        Keys(c.keys);
        const auto written = Written();
        if (c.message.empty()) {
            EXPECT_TRUE(written.empty()) << c.keys;
        } else {
            ASSERT_EQ(written.size(), 1u) << c.keys;
            EXPECT_EQ(written[0], c.message) << c.keys;
        }
        const auto journal = JournalTexts();
        EXPECT_EQ(journal.empty() ? "" : journal.back(), c.journal ? c.journal : "") << c.keys;
    }
    // helpme: 0x9B with type 0 and the argument in its 256-byte field.
    Forget();
    line.SetMode(SpeechLine::COMMAND);
    Keys("helpme stuck\r");
    const auto written = Written();
    ASSERT_EQ(written.size(), 1u);
    ASSERT_EQ(written[0].size(), 258u);
    EXPECT_EQ(written[0][1], 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&written[0][2])), "stuck");
}

TEST_F(SpeechLineTest, APendingPromptIsAnsweredByEnterOrCancelledByEsc) {
    for (const auto& [keys, type, text] :
         {std::tuple{"my name\r", 1, "my name"}, std::tuple{"abc\x1b", 0, ""}}) {
        Forget();
        g_serverPrompt = ServerPrompt{TRUE, 0x01020304, 0x0A0B0C0D};
        Keys(keys);
        const auto written = Written();
        ASSERT_EQ(written.size(), 1u) << keys;
        Bytes expected = {
            0x9A, 0, 0, 1, 2, 3, 4, 0x0A, 0x0B, 0x0C, 0x0D, 0, 0, 0, static_cast<M_BYTE>(type)};
        expected.insert(expected.end(), text, text + strlen(text) + 1);
        expected[2] = static_cast<M_BYTE>(expected.size());
        EXPECT_EQ(written[0], expected) << keys;
        EXPECT_FALSE(g_serverPrompt.pending);
        EXPECT_EQ(line.length, 0);
        EXPECT_EQ(line.mode, 0);
    }
}

TEST_F(SpeechLineTest, TheLineStopsAtItsWidthOrLengthAndBackspaceStillWorks) {
    Keys(std::string(300, 'W'));
    EXPECT_LT(line.length, 128);
    char narrow[200] = {};
    for (int i = 0; i < line.length; ++i) narrow[i] = 'W';
    const int width = FontManager::GetStringWidth(3, line.length, narrow);
    EXPECT_GT(width, 599 - FontManager::GetCharWidth(3, 'W'));
    EXPECT_LE(FontManager::GetStringWidth(3, line.length - 1, narrow), 599);
    const int full = line.length;
    Keys("\b");
    EXPECT_EQ(line.length, full - 1);

    // With a 2-pixel '.', 128 of them fit in 599 pixels: the length stops.
    Keys("\r");
    std::vector<std::optional<tw::datafiles::BitmapFont>> fonts(4);
    fonts[3] = tw::datafiles::TextFont(0x7BDE);
    (*fonts[3])['.'] = tw::datafiles::Glyph{2, 1, 0, {0x7BDE, 0}};
    tw::datafiles::WriteBytes("fonts.mul", tw::datafiles::EncodeFonts(fonts));
    FontManager::reset();
    FontManager::startup();
    Keys(std::string(300, '.'));
    EXPECT_EQ(line.length, 128);
    EXPECT_EQ(line.text[128], 0);
    // A key without a glyph is not typed.
    Keys("\b");
    line.HandleKey(200);
    EXPECT_EQ(line.length, 127);
}

TEST_F(SpeechLineTest, RecallBringsBackTheLastLineAndItsMode) {
    Keys("! hey\r");
    g_keyControl = 1;
    EXPECT_EQ(line.HandleSpecialKey(81, 0), 1);
    EXPECT_EQ(Typed(), "hey");
    EXPECT_EQ(line.mode, SpeechLine::YELL);
    Keys("q");  // the character of the same key press
    EXPECT_EQ(Typed(), "hey");
    Keys("!");
    EXPECT_EQ(Typed(), "hey!");
    // With text typed the special keys are taken but do nothing.
    EXPECT_EQ(line.HandleSpecialKey(81, 0), 1);
    EXPECT_EQ(Typed(), "hey!");
    g_keyControl = 0;
    // Out of the world the line takes nothing.
    doubles.inWorld = FALSE;
    Keys("x");
    EXPECT_EQ(Typed(), "hey!");
}

TEST_F(SpeechLineTest, TheLineIsShownWithItsPromptAtTheFootOfTheGameWindow) {
    Keys("; ab");
    ASSERT_NE(line.lineGump, nullptr);
    CInputGump* shown = line.lineGump;
    EXPECT_EQ(g_gumpList, shown);
    EXPECT_EQ(shown->y + shown->height, 480);
    char expected[] = "Whisper: ab_";
    int w = 0, h = 0, baseline = 0;
    FontManager::GetStringSize(3, expected, &w, &h, &baseline);
    EXPECT_EQ(shown->width, w);
    const size_t capacity = shown->Capacity();
    Keys("\b\b");
    EXPECT_EQ(shown->Capacity(), capacity) << "a shorter line reuses the frame";
    // Closing every gump leaves the line open.
    CGumpManager::CloseAllGumps();
    EXPECT_EQ(g_gumpList, shown);
}

TEST_F(SpeechLineTest, TheLineGumpShowsAnEmptyLineAndTheFrameRate) {
    M_DWORD now = 500;
    static M_DWORD* clock = nullptr;
    clock = &now;
    SetTimeSourceForTests([] { return *clock; });
    auto* gump = new CInputGump("", 0, 12, FALSE);  // no such font: nothing to measure
    EXPECT_EQ(gump->width, 2);
    EXPECT_EQ(gump->height, 1);
    EXPECT_EQ(gump->y, 480 - 1);
    FrameCounter = TRUE;
    gump->Redraw("x", 0, 3);
    gump->Redraw("x", 0, 3);  // the same millisecond
    int w = 0, h = 0, baseline = 0;
    FontManager::GetStringSize(3, "  0 fps x", &w, &h, &baseline);
    EXPECT_EQ(gump->width, w);
    now += 20;
    gump->Redraw("x", 0, 3);
    FontManager::GetStringSize(3, " 50 fps x", &w, &h, &baseline);
    EXPECT_EQ(gump->width, w);
    FrameCounter = FALSE;
    // A wide line in the bark font, outlined: 2 more each way.
    const tw::test::Wide wide("abc");
    gump->RedrawUnicode(wide.data(), 0x21);
    UnicodeSetCurrentFont(BarkFontNumber);
    UnicodeCalcInfoLine(wide.data(), &w, &h, &baseline);
    EXPECT_EQ(gump->width, w + 2);
    EXPECT_EQ(gump->height, h + 2);
    EXPECT_EQ(gump->y + gump->height, 480);
    SetTimeSourceForTests(nullptr);
    delete gump;
}

}  // namespace

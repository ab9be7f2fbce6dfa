// The text manager over the real barks: the journal and its log file, system
// messages, typed speech through the throttle.
#include <cstring>
#include <string>
#include <vector>

#include "CommTestSupport.h"
#include "app/App.h"
#include "comm/BarkGump.h"
#include "comm/Journal.h"
#include "config/Config.h"
#include "gumps/TextManager.h"
#include "support/WideText.h"

namespace {

using tw::test::Wide;

class TextManagerTest : public tw::test::CommTest {};

TEST_F(TextManagerTest, TheJournalKeepsTheNewest100Lines) {
    Journal::valueList = {77};
    for (int i = 1; i <= 101; ++i)
        TextManager::AddJournalText(("line " + std::to_string(i)).c_str(), i == 101 ? 77 : 5);
    EXPECT_EQ(Journal::count, 100);
    const auto texts = JournalTexts();
    ASSERT_EQ(texts.size(), 100u);
    EXPECT_EQ(texts.front(), "line 2");
    EXPECT_EQ(texts.back(), "line 101");
    EXPECT_EQ(Journal::head->prev, nullptr);
    EXPECT_EQ(Journal::tail->colour, 0u) << "a value of the list is stored as 0";
    EXPECT_EQ(Journal::tail->prev->colour, 5u);
    EXPECT_GT(Journal::tail->height, 0) << "measured in font 9";

    Journal::off = TRUE;
    TextManager::AddJournalText("not kept", 5);
    EXPECT_EQ(JournalTexts().back(), "line 101");
}

TEST_F(TextManagerTest, TheLogFileIsWrittenAsTextOrAsUtf16) {
    const std::string narrow = "Hi\nOk?\n\n";
    // 'H' 'i' LF, 'O' 'k' U+263A LF; the empty line writes nothing.
    const std::vector<M_WORD> units = {'H', 'i', 10, 'O', 'k', 0x263A, 10};
    for (const BOOL unicode : {FALSE, TRUE}) {
        Journal::reset();
        remove("journal.log");
        strcpy(JournalSaveFile, "journal.log");
        SaveJournal = TRUE;
        JournalSaveUnicode = unicode;
        TextManager::AddJournalText("Hi", 0);
        Wide wide("Ok?");
        wide.data()[2] = 0x263A;
        TextManager::AddJournalText(wide.data(), 0);
        TextManager::AddJournalText("", 0);
        TextManager::CloseJournalFile();
        const std::string file = tw::test::ReadFile("journal.log");
        if (!unicode) {
            EXPECT_EQ(file, "Hi\nOk\n\n") << "only the characters below 128 of a wide line";
        } else {
            EXPECT_EQ(file, std::string(reinterpret_cast<const char*>(units.data()),
                                        units.size() * sizeof(M_WORD)));
        }
    }
    (void)narrow;
    // Saving off: nothing is written.
    remove("journal.log");
    SaveJournal = FALSE;
    TextManager::AddJournalText("quiet", 0);
    EXPECT_FALSE(tw::test::FileExists("journal.log"));
}

TEST_F(TextManagerTest, ASystemMessageIsABarkAtTheFootOfTheGameWindow) {
    TextManager::AddSystemMessage(0, 3, "Welcome");
    ASSERT_NE(g_gumpList, nullptr);
    ASSERT_TRUE(g_gumpList->IsBarkGump());
    auto* bark = static_cast<CBarkGump*>(g_gumpList);
    EXPECT_EQ(bark->x, 0);
    EXPECT_EQ(bark->y + bark->height, 480 - 45);
    EXPECT_EQ(CBarkGump::systemHead, static_cast<ObjectText*>(bark));
    EXPECT_EQ(JournalTexts(), std::vector<std::string>{"Welcome"});

    // A font that is not loaded shows nothing and adds nothing.
    TextManager::AddSystemMessage(0, 12, "Lost");
    EXPECT_EQ(g_gumpList, bark);
    EXPECT_EQ(JournalTexts().size(), 1u);
}

TEST_F(TextManagerTest, TypedSpeechIsSentWithSingleBlanksAndEmotesBetweenAsterisks) {
    CApp::speechHue = 90;
    CApp::speechFont = 3;
    CApp::emoteHue = 549;
    CApp::emoteFont = 4;
    struct {
        const char* typed;
        int mode;
        const char* sent;
        int hue, font;
    } const cases[] = {
        {"a  b   c", 0, "a b c", 90, 3}, {"  lead", 8, " lead", 90, 3}, {"x", 9, "x", 90, 3},
        {"waves", 2, "*waves*", 549, 4}, {" ", 0, " ", 90, 3},
    };
    for (const auto& c : cases) TextManager::SendSpeech(c.typed, int(strlen(c.typed)), c.mode);
    const auto written = Written();
    ASSERT_EQ(written.size(), std::size(cases));
    for (size_t i = 0; i < written.size(); ++i) {
        const auto& m = written[i];
        const std::string sent = cases[i].sent;
        ASSERT_EQ(m.size(), 8 + sent.size() + 1) << cases[i].typed;
        EXPECT_EQ(m[0], 0x03);
        EXPECT_EQ(m[3], cases[i].mode);
        EXPECT_EQ(m[4] << 8 | m[5], cases[i].hue);
        EXPECT_EQ(m[6] << 8 | m[7], cases[i].font);
        EXPECT_EQ(std::string(m.begin() + 8, m.end() - 1), sent);
        EXPECT_EQ(m.back(), 0);
    }
    EXPECT_EQ(CApp::spamCounter, 8 + 6 + 1 + 5 + 1) << "the typed lengths count as spam";
}

TEST_F(TextManagerTest, SpeechOverTheSpamLimitIsHeldBack) {
    CApp::spamCounter = SpamLimit;
    TextManager::SendSpeech("hello", 5, 0);
    EXPECT_TRUE(Written().empty());
    ASSERT_EQ(CApp::queuedSpeech.GetCount(), 1);
    const CQueuedSay& say = CApp::queuedSpeech.GetAt(CApp::queuedSpeech.GetHead());
    EXPECT_STREQ(say.text.c_str(), "hello");
    EXPECT_EQ(say.a, 5);
    EXPECT_EQ(say.b, 0);
    ASSERT_FALSE(JournalTexts().empty());
    EXPECT_EQ(JournalTexts().back().rfind("[Spam detected, speech queued for ", 0), 0u);
}

}  // namespace

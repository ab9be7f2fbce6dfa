#include <string>
#include <vector>

#include "Service.h"
#include "app/App.h"
#include "app/AppServices.h"
#include "comm/AppSpeech.h"
#include "comm/BarkGump.h"
#include "comm/UnicodeSpeech.h"
#include "config/Config.h"
#include "gumps/Gump.h"
#include "resources/GraphicManager.h"
#include "support/TwTest.h"
#include "support/WideText.h"
#include "support/fakes/FakeComm.h"
#include "support/fakes/FakeGump.h"
#include "support/fakes/FakeObj.h"
#include "support/fakes/FakeTextManager.h"
#include "support/fakes/FakeUnicodeBarkGump.h"
#include "support/fakes/FakeUnicodeSpeechWrite.h"
#include "support/fakes/FakeWordFilter.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"

namespace {

using tw::test::Narrow;
using tw::test::Wide;

std::string Text(const std::vector<M_WORD>& units) {
    std::vector<M_WORD> z = units;
    z.push_back(0);
    return Narrow(z.data());
}

class UnicodeSpeechTest : public tw::test::TwTest {
protected:
    void SetUp() override {
        static bool registered = false;
        if (!registered) {
            registered = true;
            tw::test::AddServiceReset(ResetConfigForTests);
            tw::test::AddServiceReset(CApp::reset);
            tw::test::AddServiceReset(ResetUnicodeSpeechForTests);
            tw::test::AddServiceReset([] { GraphicManager::deathCounter = 0; });
        }
        TwTest::SetUp();
        speaker = NewDynamicObj(kSpeaker, 1, 0);
    }
    // The resets free the bag while the holder gump still names it; a gump's
    // destructor forgets itself in its owner.
    void TearDown() override {
        holder.owner = nullptr;
        TwTest::TearDown();
    }
    // Gives the speaker n ordinary texts (and nothing else).
    void GiveTexts(int n) {
        speaker->ClearOverheadText();
        for (int i = 0; i < n; ++i) new CBarkGump(speaker, "earlier", 0, 3);
    }
    int Texts() const { return static_cast<int>(tw::fake::TextsOf(speaker).size()); }
    // Shows text from kSpeaker (or the given serial) and returns the barks.
    const std::vector<tw::fake::UnicodeBark>& Show(int type, M_DWORD serial = kSpeaker,
                                                   const char* text = "Hail") {
        Wide units(text);
        ShowUnicodeSpeech(serial, 0x190, type, 0x35, 3, "ENU", "Guard", units.data());
        return tw::fake::UnicodeBarks();
    }

    static constexpr M_DWORD kSpeaker = 0x00001234;
    CDynamicObj* speaker = nullptr;
    // The open container gump of the bag the speaker lies in.
    struct ContainerGump : CGump {
        BOOL IsContainerGump() override { return TRUE; }
    } holder;

private:
    // The application's ignore list, throttle and speech hues, as installed
    // at start-up.
    tw::ScopedService<AppSpeech> app_{&ApplicationSpeech()};
};

TEST_F(UnicodeSpeechTest, EachTypeIsShownOverTheSpeakerOrNotAtAll) {
    auto* bag = new CContainerObj(0x40000077, 0x0E75, 0, TRUE);
    speaker->ToContainer(bag, Coords{20, 20, 0});
    holder.owner = bag;
    tw::fake::LinkGump(&holder, nullptr);
    struct {
        int type;
        bool shown;
        int kind;
        int texts;  // of three earlier texts, those left
        bool inGump;
    } const cases[] = {
        {0, true, 2, 2, false},  {2, true, 2, 2, false},   {3, true, 2, 2, false},
        {4, true, 2, 2, false},  {8, true, 2, 2, false},   {9, true, 2, 2, false},
        {7, true, 2, 0, false},  {6, true, 3, 2, true},    {1, false, 0, 3, false},
        {5, false, 0, 3, false}, {10, false, 0, 3, false}, {200, false, 0, 3, false},
    };
    for (auto c : cases) {
        tw::fake::UnicodeBarks().clear();
        GiveTexts(3);
        const auto& barks = Show(c.type);
        ASSERT_EQ(barks.size(), c.shown ? 1u : 0u) << "type " << c.type;
        EXPECT_EQ(Texts(), c.texts) << "type " << c.type;
        if (!c.shown) continue;
        const tw::fake::UnicodeBark& b = barks[0];
        EXPECT_EQ(b.object, speaker) << "type " << c.type;
        EXPECT_EQ(Text(b.text), "Hail");
        EXPECT_EQ(b.hue, 0x35);
        EXPECT_EQ(b.font, 3);
        EXPECT_EQ(b.language, "ENU");
        EXPECT_EQ(b.speakerName, "Guard");
        EXPECT_EQ(b.speechKind, c.kind) << "type " << c.type;
        EXPECT_EQ(b.gump, c.inGump ? &holder : nullptr) << "type " << c.type;
    }
}

TEST_F(UnicodeSpeechTest, ASpeakerNotInTheWorldSpeaksAsSystemText) {
    NewDynamicObj(0xFFFFFFFF, 1, 0);  // never looked up for type 6
    for (auto [type, serial] :
         {std::pair{0, 0x9999u}, {0, 0xFFFFFFFFu - 1}, {6, 0xFFFFFFFFu}, {7, 0x9999u}}) {
        tw::fake::UnicodeBarks().clear();
        const auto& barks = Show(type, serial);
        ASSERT_EQ(barks.size(), 1u) << type;
        EXPECT_EQ(barks[0].object, nullptr);
        EXPECT_EQ(barks[0].gump, nullptr);
        EXPECT_EQ(barks[0].speechKind, 1);
        EXPECT_EQ(Text(barks[0].text), "Hail");
    }
}

TEST_F(UnicodeSpeechTest, IgnoredSpeakersTheDeadAndMissingTextsShowNothing) {
    GiveTexts(3);
    CApp::ignoreList[0].serial = kSpeaker;
    CApp::ignoreList[1].serial = 0x9999;
    CApp::ignoreCount = 2;
    Show(0);
    Show(0, 0x9999);  // not in the world: still silent
    CApp::ignoreCount = 0;
    GraphicManager::deathCounter = 4;
    Show(0);
    GraphicManager::deathCounter = 0;
    Wide text("x");
    ShowUnicodeSpeech(kSpeaker, 0, 0, 0, 3, "ENU", nullptr, text.data());
    ShowUnicodeSpeech(kSpeaker, 0, 0, 0, 3, "ENU", "Guard", nullptr);
    EXPECT_TRUE(tw::fake::UnicodeBarks().empty());
    EXPECT_EQ(Texts(), 3) << "the speaker's texts are left alone";
}

TEST_F(UnicodeSpeechTest, TheSpeakerNameIsCutToItsRecord) {
    Wide text("x");
    const std::string longName(40, 'n');
    ShowUnicodeSpeech(kSpeaker, 0, 0, 0, 3, "ENU", longName.c_str(), text.data());
    ASSERT_EQ(tw::fake::UnicodeBarks().size(), 1u);
    EXPECT_EQ(tw::fake::UnicodeBarks()[0].speakerName, std::string(29, 'n'));
}

TEST_F(UnicodeSpeechTest, TheObscenityFilterSeesHighUnitsAsBlanksAndKeepsThem) {
    ObscenityFilter = TRUE;
    Wide text{'o', 'h', ' ', 'd', 'a', 'r', 'n', 0x3042, 'd', 'a', 'r', 'n'};
    ShowUnicodeSpeech(kSpeaker, 0, 0, 0, 3, "ENU", "Guard", text.data());
    const auto& calls = tw::fake::WordFilterCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], "8: oh !@#$ !@#$");
    EXPECT_EQ(calls[1], "16: oh !@#$\\u{3042}!@#$");
    ASSERT_EQ(tw::fake::UnicodeBarks().size(), 1u);
    EXPECT_EQ(Text(tw::fake::UnicodeBarks()[0].text), "oh !@#$\\u{3042}!@#$");
}

TEST_F(UnicodeSpeechTest, TypedSpeechGoesOutTrimmedOrWaitsInTheQueue) {
    SpamLimit = 30;
    CApp::speechHue = 0x22;
    CApp::speechFont = 1;
    CApp::emoteHue = 0x33;
    CApp::emoteFont = 2;
    SendUnicodeSpeech(Wide("hello   "), 7, 0);
    SendUnicodeSpeech(Wide("waves "), 7, 2);
    const auto& writes = tw::fake::SpeechWrites();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(Text(writes[0].text), "hello");
    EXPECT_EQ(writes[0].mode, 0);
    EXPECT_EQ(writes[0].hue, 0x22);
    EXPECT_EQ(writes[0].font, 1);
    EXPECT_EQ(writes[0].language, "ENU");
    EXPECT_EQ(Text(writes[1].text), "*waves*");
    EXPECT_EQ(writes[1].mode, 2);
    EXPECT_EQ(writes[1].hue, 0x33);
    EXPECT_EQ(writes[1].font, 2);
    EXPECT_EQ(CApp::spamCounter, 8 + 6);  // the lengths as typed

    // At the limit the line waits, with its value and mode, and the notice shows.
    CApp::spamCounter = 30;
    SendUnicodeSpeech(Wide("later"), 7, 9);
    EXPECT_EQ(writes.size(), 2u);
    ASSERT_EQ(CApp::queuedSpeech.GetCount(), 1);
    const CQueuedSay& say = CApp::queuedSpeech.GetAt(CApp::queuedSpeech.GetHead());
    EXPECT_NE(say.kind, 0);
    EXPECT_EQ(Narrow(say.wideText.c_str()), "later");
    EXPECT_EQ(say.a, 7);
    EXPECT_EQ(say.b, 9);
    ASSERT_EQ(tw::fake::textManager().systemMessages.size(), 1u);
    EXPECT_EQ(tw::fake::textManager().systemMessages[0].text.rfind("[Spam detected", 0), 0u);
}

}  // namespace

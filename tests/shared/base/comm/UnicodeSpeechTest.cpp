#include <string>
#include <vector>

#include "ByteWriter.h"
#include "Service.h"
#include "app/App.h"
#include "app/AppServices.h"
#include "comm/AppSpeech.h"
#include "comm/SpeechPackets.h"
#include "comm/UnicodeSpeech.h"
#include "config/Config.h"
#include "gumps/Gump.h"
#include "net/ClientSock.h"
#include "net/Packet.h"
#include "net/PacketManager.h"
#include "resources/GraphicManager.h"
#include "support/TwTest.h"
#include "support/WideText.h"
#include "support/doubles/RecordingUpperServices.h"
#include "support/doubles/WorldServices.h"
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
            tw::test::AddServiceReset(PacketManager::reset);
        }
        TwTest::SetUp();
        speaker = NewDynamicObj(kSpeaker, 1, 0);
        g_pGameSocket = &connection;
    }
    // The resets free the bag while the holder gump still names it; a gump's
    // destructor forgets itself in its owner.
    void TearDown() override {
        holder.owner = nullptr;
        g_pGameSocket = nullptr;
        TwTest::TearDown();
    }

    // The Unicode speech messages (0xAD) written so far.
    struct SpeechWrite {
        int mode;
        int hue;
        int font;
        std::string language;
        std::vector<M_WORD> text;  // without the terminator
    };
    std::vector<SpeechWrite> SpeechWrites() const {
        std::vector<SpeechWrite> writes;
        const M_BYTE* b = connection.PendingOutput();
        for (size_t at = 0; at + 12 <= connection.OutputLength();) {
            const size_t length = b[at + 1] << 8 | b[at + 2];
            if (b[at] != 0xAD || length < 14 || at + length > connection.OutputLength()) break;
            SpeechWrite w{b[at + 3],
                          b[at + 4] << 8 | b[at + 5],
                          b[at + 6] << 8 | b[at + 7],
                          std::string(reinterpret_cast<const char*>(b + at + 8)),
                          {}};
            for (size_t i = at + 12; i + 1 < at + length; i += 2) {
                const M_WORD unit = static_cast<M_WORD>(b[i] << 8 | b[i + 1]);
                if (unit == 0) break;
                w.text.push_back(unit);
            }
            writes.push_back(w);
            at += length;
        }
        return writes;
    }
    // Gives the speaker n ordinary texts (and nothing else).
    void GiveTexts(int n) {
        speaker->ClearOverheadText();
        for (int i = 0; i < n; ++i) world.texts.MakeText(speaker, "earlier", 0, 3, nullptr, 0, 0);
    }
    int Texts() const { return static_cast<int>(world.texts.TextsOf(speaker).size()); }
    // Shows text from kSpeaker (or the given serial) and returns the barks.
    const std::vector<tw::doubles::RecordingComm::UnicodeBark>& Show(int type,
                                                                     M_DWORD serial = kSpeaker,
                                                                     const char* text = "Hail") {
        Wide units(text);
        ShowUnicodeSpeech(serial, 0x190, type, 0x35, 3, "ENU", "Guard", units.data());
        return comm.unicodeBarks;
    }

    static constexpr M_DWORD kSpeaker = 0x00001234;
    CDynamicObj* speaker = nullptr;
    // What the world objects reach above the world model.
    tw::doubles::WorldServices world;
    tw::doubles::RecordingComm comm;
    CClientSock connection;
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
    tw::doubles::LinkGump(&holder, nullptr);
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
        comm.unicodeBarks.clear();
        GiveTexts(3);
        const auto& barks = Show(c.type);
        ASSERT_EQ(barks.size(), c.shown ? 1u : 0u) << "type " << c.type;
        EXPECT_EQ(Texts(), c.texts) << "type " << c.type;
        if (!c.shown) continue;
        const auto& b = barks[0];
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

TEST_F(UnicodeSpeechTest, ServerSpeechAndTheFeatureFlagArriveThroughTheirHandlers) {
    InstallSpeechHandlers();
    std::vector<M_BYTE> speech;
    ByteWriter w(speech);
    w.u8(0xAE).u16be(48 + 6).u32be(kSpeaker).u16be(0x0190).u8(0).u16be(0x0035).u16be(3);
    w.raw("ENU", 4).raw(std::string("Guard").append(25, '\0'));
    w.u16be('H').u16be('i').u16be(0);
    PacketManager::Dispatch(PacketIn(speech.data(), speech.size()));
    ASSERT_EQ(comm.unicodeBarks.size(), 1u);
    const auto& b = comm.unicodeBarks[0];
    EXPECT_EQ(b.object, speaker);
    EXPECT_EQ(Text(b.text), "Hi");
    EXPECT_EQ(b.language, "ENU");
    EXPECT_EQ(b.speakerName, "Guard");

    for (auto [bits, flag] : {std::pair{0x01, TRUE}, std::pair{0x02, FALSE}}) {
        const M_BYTE feature[] = {0xB9, 0x00, static_cast<M_BYTE>(bits)};
        PacketManager::Dispatch(PacketIn(feature, sizeof feature));
        EXPECT_EQ(GetServerFeatureFlag(), flag) << bits;
    }
}

TEST_F(UnicodeSpeechTest, ASpeakerNotInTheWorldSpeaksAsSystemText) {
    NewDynamicObj(0xFFFFFFFF, 1, 0);  // never looked up for type 6
    for (auto [type, serial] :
         {std::pair{0, 0x9999u}, {0, 0xFFFFFFFFu - 1}, {6, 0xFFFFFFFFu}, {7, 0x9999u}}) {
        comm.unicodeBarks.clear();
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
    EXPECT_TRUE(comm.unicodeBarks.empty());
    EXPECT_EQ(Texts(), 3) << "the speaker's texts are left alone";
}

TEST_F(UnicodeSpeechTest, TheSpeakerNameIsCutToItsRecord) {
    Wide text("x");
    const std::string longName(40, 'n');
    ShowUnicodeSpeech(kSpeaker, 0, 0, 0, 3, "ENU", longName.c_str(), text.data());
    ASSERT_EQ(comm.unicodeBarks.size(), 1u);
    EXPECT_EQ(comm.unicodeBarks[0].speakerName, std::string(29, 'n'));
}

TEST_F(UnicodeSpeechTest, TheObscenityFilterSeesHighUnitsAsBlanksAndKeepsThem) {
    ObscenityFilter = TRUE;
    comm.obsceneWords = {"darn"};
    Wide text{'o', 'h', ' ', 'd', 'a', 'r', 'n', 0x3042, 'd', 'a', 'r', 'n'};
    ShowUnicodeSpeech(kSpeaker, 0, 0, 0, 3, "ENU", "Guard", text.data());
    const auto& calls = comm.filtered;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], "8: oh !@#$ !@#$");
    EXPECT_EQ(calls[1], "16: oh !@#$\\u{3042}!@#$");
    ASSERT_EQ(comm.unicodeBarks.size(), 1u);
    EXPECT_EQ(Text(comm.unicodeBarks[0].text), "oh !@#$\\u{3042}!@#$");
}

TEST_F(UnicodeSpeechTest, TypedSpeechGoesOutTrimmedOrWaitsInTheQueue) {
    SpamLimit = 30;
    CApp::speechHue = 0x22;
    CApp::speechFont = 1;
    CApp::emoteHue = 0x33;
    CApp::emoteFont = 2;
    SendUnicodeSpeech(Wide("hello   "), 7, 0);
    SendUnicodeSpeech(Wide("waves "), 7, 2);
    auto writes = SpeechWrites();
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
    writes = SpeechWrites();
    EXPECT_EQ(writes.size(), 2u);
    ASSERT_EQ(CApp::queuedSpeech.GetCount(), 1);
    const CQueuedSay& say = CApp::queuedSpeech.GetAt(CApp::queuedSpeech.GetHead());
    EXPECT_NE(say.kind, 0);
    EXPECT_EQ(Narrow(say.wideText.c_str()), "later");
    EXPECT_EQ(say.a, 7);
    EXPECT_EQ(say.b, 9);
    ASSERT_EQ(world.gumps.text.systemMessages.size(), 1u);
    EXPECT_EQ(world.gumps.text.systemMessages[0].text.rfind("[Spam detected", 0), 0u);
}

}  // namespace

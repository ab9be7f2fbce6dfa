// The server's 8-bit speech (0x1C) and numbered texts (0xC1) through their
// handlers, shown by the real text manager and barks.
#include <string>
#include <vector>

#include "ByteWriter.h"
#include "CommTestSupport.h"
#include "app/App.h"
#include "comm/BarkGump.h"
#include "comm/Journal.h"
#include "comm/SpeechPackets.h"
#include "net/PacketManager.h"
#include "resources/GraphicManager.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"

namespace {

constexpr M_DWORD kSpeaker = 0x00001234;

std::vector<M_BYTE> Speech(M_DWORD serial, int type, const std::string& name,
                           const std::string& text, bool terminated = true) {
    std::vector<M_BYTE> m;
    ByteWriter w(m);
    w.u8(0x1C).u16be(0).u32be(serial).u16be(0x190).u8(static_cast<M_BYTE>(type)).u16be(0x35);
    w.u16be(3).raw(
        std::string(name).append(30 - std::min<size_t>(name.size(), 30), '\0').substr(0, 30));
    w.raw(text);
    if (terminated) w.u8(0);
    m[1] = static_cast<M_BYTE>(m.size() >> 8);
    m[2] = static_cast<M_BYTE>(m.size());
    return m;
}

std::vector<M_BYTE> ServerText(M_DWORD serial, M_DWORD number) {
    std::vector<M_BYTE> m;
    ByteWriter w(m);
    w.u8(0xC1).u16be(48).u32be(serial).u16be(0x190).u8(0).u16be(0x35).u16be(3).u32be(number);
    w.raw(std::string("Guard").append(25, '\0'));
    return m;
}

class SpeechMessageTest : public tw::test::CommTest {
protected:
    void SetUp() override {
        CommTest::SetUp();
        InstallSpeechHandlers();
        speaker = NewDynamicObj(kSpeaker, 0x190, 0);
        speaker->rect = RECT{100, 200, 140, 260};
    }
    void Dispatch(const std::vector<M_BYTE>& m) {
        PacketManager::Dispatch(PacketIn(m.data(), m.size()));
    }
    int Barks() const {
        int n = 0;
        for (CGump* g = g_gumpList; g; g = g->next) n += g->IsBarkGump();
        return n;
    }
    CDynamicObj* speaker = nullptr;
};

TEST_F(SpeechMessageTest, EachTypeGoesOverTheSpeakerOrToTheSystemLine) {
    struct {
        M_DWORD serial;
        int type;
        const char* journal;  // null: nothing shown
        bool overSpeaker;
    } const cases[] = {
        {kSpeaker, 0, "Guard: Hail", true},
        {kSpeaker, 9, "Guard: Hail", true},
        {kSpeaker, 6, "You see: Hail", true},
        {kSpeaker, 10, "Guard: Hail", true},
        {0xFFFFFFFF, 1, "[System]: Hail", false},
        {kSpeaker, 1, "Guard: Hail", false},
        {0x9999, 0, "Hail", false},  // no such object: a system line
        {kSpeaker, 5, nullptr, false},
        {kSpeaker, 11, nullptr, false},
    };
    for (const auto& c : cases) {
        Journal::reset();
        while (CGump* head = g_gumpList) delete head;
        Dispatch(Speech(c.serial, c.type, "Guard", "Hail"));
        const auto journal = JournalTexts();
        if (!c.journal) {
            EXPECT_TRUE(journal.empty()) << c.type;
            EXPECT_EQ(Barks(), 0) << c.type;
            continue;
        }
        ASSERT_EQ(journal.size(), 1u) << c.type;
        EXPECT_EQ(journal[0], c.journal) << c.type;
        ASSERT_EQ(Barks(), 1) << c.type;
        EXPECT_EQ(g_gumpList->owner, c.overSpeaker ? speaker : nullptr) << c.type;
    }
}

TEST_F(SpeechMessageTest, IgnoredSpeakersAndTheDeadSeeNothing) {
    CApp::ignoreList[0].serial = kSpeaker;
    CApp::ignoreCount = 1;
    Dispatch(Speech(kSpeaker, 0, "Guard", "Hail"));
    CApp::ignoreCount = 0;
    GraphicManager::deathCounter = 3;
    Dispatch(Speech(kSpeaker, 0, "Guard", "Hail"));
    EXPECT_TRUE(JournalTexts().empty());
    EXPECT_EQ(Barks(), 0);
}

TEST_F(SpeechMessageTest, HostileSpeechIsBoundedOrDropped) {
    struct {
        const char* what;
        std::vector<M_BYTE> message;
        const char* journal;  // null: dropped
    } const cases[] = {
        {"text without terminator", Speech(0xFFFFFFFF, 1, "x", "abc", false), "[System]: abc"},
        {"name filling its field", Speech(kSpeaker, 1, std::string(30, 'N'), "hi"),
         "NNNNNNNNNNNNNNNNNNNNNNNNNNNNNN: hi"},
        {"no text at all", Speech(0xFFFFFFFF, 1, "x", "", false), "[System]: "},
        {"cut inside the name",
         {0x1C, 0x00, 0x14, 0, 0,   0x12, 0x34, 1,   0x90, 1,
          0,    0x35, 0,    3, 'G', 'u',  'a',  'r', 'd',  0},
         nullptr},
        {"0xC1 cut before its number",
         {0xC1, 0x00, 0x10, 0, 0, 0x12, 0x34, 1, 0x90, 0, 0, 0x35, 0, 3, 0, 0},
         nullptr},
    };
    for (const auto& c : cases) {
        Journal::reset();
        Dispatch(c.message);
        const auto journal = JournalTexts();
        if (c.journal) {
            ASSERT_EQ(journal.size(), 1u) << c.what;
            EXPECT_EQ(journal[0], c.journal) << c.what;
        } else {
            EXPECT_TRUE(journal.empty()) << c.what;
        }
    }
    EXPECT_NE(ReportLog().find("cut short"), std::string::npos);
}

TEST_F(SpeechMessageTest, ServerTextNumbersWithoutTheirLineSayWhy) {
    // No language files are installed: every number in range finds no line.
    struct {
        M_DWORD number;
        const char* text;
    } const cases[] = {
        {9999, "Error (TID): Line number less than zero."},
        {0, "Error (TID): Line number less than zero."},
        {10001, "Error (TID): Null string."},
        {20001, "Error (TID): Null string."},
        {0xFFFFFFFF, "Error (TID): Null string."},  // no wrap to a negative line
    };
    for (const auto& c : cases) {
        Journal::reset();
        Dispatch(ServerText(0xFFFFFFFF, c.number));
        const auto journal = JournalTexts();
        ASSERT_EQ(journal.size(), 1u) << c.number;
        EXPECT_EQ(journal[0], c.text) << c.number;
    }
}

}  // namespace

#include <string>
#include <vector>

#include "ByteWriter.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "net/ServerPrompt.h"
#include "net/UnicodeSpeechPacket.h"
#include "support/LoopbackServer.h"
#include "support/TwTest.h"
#include "support/WideText.h"
#include "support/doubles/RecordingConnection.h"

namespace {

using tw::test::Bytes;
using tw::test::LoopbackServer;
using tw::test::PollUntil;
using tw::test::Wide;

class UnicodeSpeechPacketTest : public tw::test::TwTest {
protected:
    tw::doubles::RecordingConnection upper;
};

Bytes Wire(PDSTRUCT& p) {
    size_t n = PacketManager::SealPacket(&p);
    return Bytes(p.data, p.data + n);
}

TEST_F(UnicodeSpeechPacketTest, BuildsTheExactSpeechMessage) {
    PDSTRUCT p;
    BuildUnicodeSpeech(&p, 2, 0x03E3, 3, "ENU", Wide{'*', 'h', 0x3042, '*'});
    const Bytes want = {0xAD, 0x00, 0x16, 0x02, 0x03, 0xE3, 0x00, 0x03, 'E', 'N',  'U',
                        0x00, 0x00, '*',  0x00, 'h',  0x30, 0x42, 0x00, '*', 0x00, 0x00};
    EXPECT_EQ(Wire(p), want);

    // A language code is three letters at most; the text is capped so that
    // the length still fits its field.
    PDSTRUCT q;
    std::vector<M_WORD> longText(40000, 'a');
    longText.push_back(0);
    BuildUnicodeSpeech(&q, 0, 1, 1, "ENGLISH", longText.data());
    const Bytes wire = Wire(q);
    ASSERT_EQ(wire.size(), 12u + 2 * MAX_UNICODE_SPEECH_UNITS + 2);
    EXPECT_EQ(wire[1] << 8 | wire[2], static_cast<int>(wire.size()));
    EXPECT_EQ(Bytes(wire.begin() + 8, wire.begin() + 12), (Bytes{'E', 'N', 'G', 0}));
}

TEST_F(UnicodeSpeechPacketTest, APromptReplySendsOnlyTheAsciiCharacters) {
    LoopbackServer server;
    ReplaceGameSocket(new CClientSock);
    ASSERT_TRUE(g_pGameSocket->Connect(LoopbackServer::kAddress, server.port()));
    ASSERT_TRUE(server.WaitForConnections(1));
    M_DWORD seed;
    ASSERT_TRUE(server.ReadSeed(&seed));
    g_serverPrompt = ServerPrompt{TRUE, 0x11223344, 0x55};
    // The input line is only handed on to the windows above.
    int lineStandIn = 0;
    auto* line = reinterpret_cast<CInputWindow*>(&lineStandIn);
    SendPromptReply(line, 3, Wide{'o', 'k', 0x3042, 0xE9, '!'});
    Bytes got;
    ASSERT_TRUE(PollUntil([&] { return server.ReadMessage(&got, 0); }));
    PDSTRUCT want;
    PacketManager::Build9a(&want, 0x11223344, 0x55, 3, "ok!");
    EXPECT_EQ(got, Wire(want));
    EXPECT_FALSE(g_serverPrompt.pending);
    EXPECT_EQ(upper.inputWindowCalls, (std::vector<std::string>{"SetMode 0", "UpdatePrompt"}));
    ReplaceGameSocket(nullptr);
    g_serverPrompt = ServerPrompt{};
}

TEST_F(UnicodeSpeechPacketTest, WritesTheMessageOnTheGameConnection) {
    EXPECT_FALSE(WriteUnicodeSpeech(0, 1, 1, "ENU", Wide("lost")));  // no connection yet
    LoopbackServer server;
    upper.chosenPort = server.port();
    ReplaceGameSocket(new CClientSock);
    ASSERT_TRUE(g_pGameSocket->Connect(LoopbackServer::kAddress, server.port()));
    ASSERT_TRUE(server.WaitForConnections(1));
    M_DWORD seed;
    ASSERT_TRUE(server.ReadSeed(&seed));
    ASSERT_TRUE(WriteUnicodeSpeech(0, 0x03E3, 3, "ENU", Wide("hello")));
    Bytes got;
    ASSERT_TRUE(PollUntil([&] { return server.ReadMessage(&got, 0); }));
    PDSTRUCT want;
    BuildUnicodeSpeech(&want, 0, 0x03E3, 3, "ENU", Wide("hello"));
    EXPECT_EQ(got, Wire(want));
    ReplaceGameSocket(nullptr);
}

// A 0xAE message: the fixed fields, then the text bytes as given.
Bytes SpeechMessage(const std::string& language, const std::string& name, const Bytes& text) {
    Bytes out;
    ByteWriter w(out);
    w.u8(0xAE).u16be(static_cast<unsigned>(48 + text.size()));
    w.u32be(0x00ABCDEF).u16be(0x0190).u8(6).u16be(0x0035).u16be(1);
    std::string lang = language, who = name;
    lang.resize(4, '\0');
    who.resize(30, '\0');
    w.raw(lang.data(), 4).raw(who.data(), 30).raw(text.data(), text.size());
    return out;
}

std::string Units(const std::vector<M_WORD>& units) {
    std::vector<M_WORD> z = units;
    z.push_back(0);
    return tw::test::Narrow(z.data());
}

TEST_F(UnicodeSpeechPacketTest, IncomingSpeechIsReadIntoATerminatedText) {
    struct Case {
        const char* what;
        Bytes message;
        std::string text;
    } const cases[] = {
        {"terminated", SpeechMessage("ENU", "Guard", {0, 'H', 0x30, 0x42, 0, 0}), "H\\u{3042}"},
        {"stops at the first 0 unit", SpeechMessage("ENU", "Guard", {0, 'a', 0, 0, 0, 'b'}), "a"},
        {"runs to the message's end", SpeechMessage("ENU", "Guard", {0, 'a', 0, 'b'}), "ab"},
        {"an odd last byte is no unit", SpeechMessage("ENU", "Guard", {0, 'a', 0}), "a"},
        {"no text at all", SpeechMessage("ENU", "Guard", {}), ""},
    };
    for (const Case& c : cases) {
        UnicodeSpeechMessage s;
        ASSERT_TRUE(ReadUnicodeSpeech(PacketIn(c.message.data(), c.message.size()), &s)) << c.what;
        ASSERT_FALSE(s.text.empty());
        EXPECT_EQ(s.text.back(), 0) << c.what;
        s.text.pop_back();
        EXPECT_EQ(Units(s.text), c.text) << c.what;
        EXPECT_EQ(s.serial, 0x00ABCDEFu);
        EXPECT_EQ(s.graphic, 0x190);
        EXPECT_EQ(s.type, 6);
        EXPECT_EQ(s.hue, 0x35);
        EXPECT_EQ(s.font, 1);
        EXPECT_EQ(std::string(s.language), "ENU");
        EXPECT_EQ(std::string(s.name), "Guard");
    }
    // Unterminated language and name fields stay inside their fields.
    const Bytes full = SpeechMessage("ENUX", std::string(30, 'n'), {0, 'a', 0, 0});
    UnicodeSpeechMessage s;
    ASSERT_TRUE(ReadUnicodeSpeech(PacketIn(full.data(), full.size()), &s));
    EXPECT_EQ(std::string(s.language), "ENU");
    EXPECT_EQ(std::string(s.name), std::string(30, 'n'));
}

TEST_F(UnicodeSpeechPacketTest, AMessageShorterThanItsFixedFieldsIsDropped) {
    Bytes shortMessage = SpeechMessage("ENU", "Guard", {});
    shortMessage.pop_back();  // 47 bytes
    UnicodeSpeechMessage s;
    EXPECT_FALSE(ReadUnicodeSpeech(PacketIn(shortMessage.data(), shortMessage.size()), &s));
    EXPECT_NE(ReportLog().find("message 0xAE (47 bytes) dropped"), std::string::npos);
}

TEST_F(UnicodeSpeechPacketTest, TheFeatureMessageGivesTheFlagFromBitZero) {
    const struct {
        Bytes message;
        BOOL flag;
    } cases[] = {
        {{0xB9, 0x00, 0x03}, TRUE},
        {{0xB9, 0x80, 0x02}, FALSE},
        {{0xB9, 0x00, 0x01}, TRUE},
        {{0xB9, 0x00, 0x00}, FALSE},
    };
    for (const auto& c : cases) {
        BOOL flag = !c.flag;
        EXPECT_TRUE(ReadServerFeature(PacketIn(c.message.data(), c.message.size()), &flag));
        EXPECT_EQ(flag, c.flag) << int(c.message[1]) << " " << int(c.message[2]);
    }
    const Bytes cut = {0xB9, 0x00};
    BOOL flag = FALSE;
    EXPECT_FALSE(ReadServerFeature(PacketIn(cut.data(), cut.size()), &flag));
}

}  // namespace

// The sample shard's answers: which account it takes, that every step is
// acknowledged with its own sequence number, that speech comes back to the
// speaker in the form it was sent and is answered, and what its log keeps.
#include "SampleShard.h"

#include <string>

#include "support/TwTest.h"

namespace {

using sampleshard::Bytes;
using sampleshard::SampleShard;

std::string Text(const Bytes& m, size_t offset, size_t width) {
    std::string text;
    for (size_t i = offset; i < offset + width && i < m.size() && m[i]; ++i)
        text.push_back(char(m[i]));
    return text;
}

Bytes AccountLogin(const std::string& name, const std::string& password) {
    Bytes m(62, 0);
    m[0] = 0x80;
    for (size_t i = 0; i < name.size(); ++i) m[1 + i] = M_BYTE(name[i]);
    for (size_t i = 0; i < password.size(); ++i) m[31 + i] = M_BYTE(password[i]);
    return m;
}

using SampleShardTest = tw::test::TwTest;

TEST_F(SampleShardTest, TakesTheConfiguredAccountOrAnyWhenNoneIsNamed) {
    struct Case {
        const char* configured;
        const char* name;
        M_BYTE answer;
    } cases[] = {
        {"guest", "guest", 0xA8}, {"guest", "GUEST", 0xA8}, {"guest", "other", 0x82},
        {"", "anyone", 0xA8},     {"", "", 0x82},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.configured) + "/" + c.name);
        SampleShard shard(c.configured);
        const std::vector<Bytes> answer = shard.AnswerLogin(AccountLogin(c.name, "pw"));
        ASSERT_EQ(answer.size(), 1u);
        EXPECT_EQ(answer[0][0], c.answer);
        if (c.answer == 0x82) continue;
        // One shard, on this machine.
        EXPECT_EQ(answer[0][5], 1);
        EXPECT_EQ(Text(answer[0], 8, 32), "Sample Shard");
        EXPECT_EQ(Bytes(answer[0].begin() + 42, answer[0].end()), (Bytes{127, 0, 0, 1}));
    }
    // The relay leads to the shard's own game server.
    SampleShard shard("");
    const Bytes relay = shard.AnswerRelay().at(0);
    ASSERT_EQ(relay.size(), 11u);
    EXPECT_EQ(relay[5] << 8 | relay[6], shard.gamePort());
}

TEST_F(SampleShardTest, ReadsTheAccountFromTheConfigurationLastLineWinning) {
    tw::test::WriteFile("tw.cfg", "; AcctID=commented\nSound=off\nacctid=first\nAcctID=second\r\n");
    EXPECT_EQ(sampleshard::ConfiguredAccount("."), "second");
    tw::test::WriteFile("tw.cfg", "Sound=off\n");
    EXPECT_EQ(sampleshard::ConfiguredAccount("."), "");
}

TEST_F(SampleShardTest, AcknowledgesEachStepWithItsSequence) {
    for (M_BYTE sequence : {0, 1, 255}) {
        const std::vector<Bytes> ack = SampleShard::AnswerStep({0x02, 0x02, sequence, 0, 0, 0, 0});
        ASSERT_EQ(ack.size(), 1u);
        EXPECT_EQ(ack[0], (Bytes{0x22, sequence, 1}));
    }
    EXPECT_TRUE(SampleShard::AnswerStep({0x02, 0x02}).empty());
}

TEST_F(SampleShardTest, EchoesSpeechInItsOwnFormAndTheGuardAnswers) {
    // 0xAD "hi": mode 0, hue 0x0022, font 3, "ENU".
    const Bytes unicode = {0xAD, 0, 18, 0, 0, 0x22, 0, 3, 'E', 'N', 'U', 0, 0, 'h', 0, 'i', 0, 0};
    std::vector<Bytes> out = SampleShard::AnswerSpeech(unicode, "Rowan");
    ASSERT_EQ(out.size(), 2u);
    ASSERT_EQ(out[0][0], 0xAE);
    EXPECT_EQ(out[0][3] << 24 | out[0][4] << 16 | out[0][5] << 8 | out[0][6],
              static_cast<int>(sampleshard::kPlayerSerial));
    EXPECT_EQ(out[0][10] << 8 | out[0][11], 0x22);
    EXPECT_EQ(Text(out[0], 18, 30), "Rowan");
    EXPECT_EQ(Bytes(out[0].begin() + 48, out[0].end()), (Bytes{0, 'h', 0, 'i', 0, 0}));
    EXPECT_EQ(out[0][1] << 8 | out[0][2], static_cast<int>(out[0].size()));
    ASSERT_EQ(out[1][0], 0x1C);
    EXPECT_EQ(Text(out[1], 14, 30), sampleshard::kGuardName);
    EXPECT_EQ(Text(out[1], 44, 100), "Well said, Rowan.");

    const Bytes ascii = {0x03, 0, 11, 0, 0, 0x22, 0, 3, 'h', 'i', 0};
    out = SampleShard::AnswerSpeech(ascii, "Rowan");
    ASSERT_EQ(out.size(), 2u);
    ASSERT_EQ(out[0][0], 0x1C);
    EXPECT_EQ(Text(out[0], 44, 100), "hi");

    // Nothing said, nothing answered; a message cut short says nothing.
    EXPECT_TRUE(SampleShard::AnswerSpeech({0xAD, 0, 14, 0, 0, 0, 0, 3, 'E', 'N', 'U', 0, 0, 0}, "R")
                    .empty());
    EXPECT_TRUE(SampleShard::AnswerSpeech({0xAD, 0, 5, 0, 0}, "R").empty());
}

TEST_F(SampleShardTest, LogLineKeepsNoPassword) {
    const std::string line = sampleshard::DescribeMessage("login", AccountLogin("guest", "secret"));
    EXPECT_EQ(line.rfind("login 0x80 62 bytes: 80 67 75 65 73 74 00", 0), 0u) << line;
    EXPECT_EQ(line.find("73 65 63"), std::string::npos) << line;  // "sec"
    EXPECT_NE(line.find("**"), std::string::npos);
    EXPECT_EQ(line.find('\n'), std::string::npos);
}

}  // namespace

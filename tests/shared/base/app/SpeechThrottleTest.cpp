#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "Clock.h"
#include "net/ClientSock.h"

namespace {

M_DWORD g_now = 0;
M_DWORD FakeNow() {
    return g_now;
}

// The game connection never connects: the 16-bit speech the queue sends
// waits in its output.
class SpeechThrottleTest : public tw::test::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        g_now = 100000;
        SetTimeSourceForTests(FakeNow);
        CApp::spamClock = g_now;
        g_pGameSocket = &connection_;
    }
    void TearDown() override {
        g_pGameSocket = nullptr;
        SetTimeSourceForTests(nullptr);
        AppTest::TearDown();
    }

    // The messages written so far.
    std::vector<std::vector<M_BYTE>> Written() const {
        std::vector<std::vector<M_BYTE>> messages;
        const M_BYTE* bytes = connection_.PendingOutput();
        for (size_t at = 0; at + 3 <= connection_.OutputLength();) {
            const size_t length = bytes[at + 1] << 8 | bytes[at + 2];
            if (length < 3 || at + length > connection_.OutputLength()) break;
            messages.emplace_back(bytes + at, bytes + at + length);
            at += length;
        }
        return messages;
    }

    CClientSock connection_;
};

TEST_F(SpeechThrottleTest, CounterDecaysByTheLimitPerSecondAndHeldLinesGoOut) {
    ASSERT_EQ(SpamLimit, 30);
    CApp::AddSpeechSpam(45);
    EXPECT_FALSE(CApp::SpeechAllowed());
    CApp::AddQueuedSay("hello", 6, 0);
    CApp::AddQueuedSay("there", 6, 9);
    M_WORD wide[] = {'h', 'i', 0};
    auto* say = new CQueuedSay;
    say->kind = 1;
    say->wideText = wide;
    say->a = 7;
    say->b = 2;
    CApp::queuedSpeech.AddTail(say);

    // Sending counts the line as the real sender does.
    auto& text = gumps.text;
    text.onSendSpeech = [](const tw::doubles::RecordingTextManager::Speech& s) {
        CApp::AddSpeechSpam(static_cast<int>(s.text.size()));
    };

    g_now += 500;
    CApp::UpdateSpeechQueue();
    EXPECT_EQ(CApp::spamCounter, 30);
    EXPECT_TRUE(text.speech.empty());

    g_now += 500;
    CApp::UpdateSpeechQueue();
    // 45 - 30 = 15 after one second: the first line goes out (15 + 5 = 20),
    // then the second (25); the third is 16-bit and goes out as well (30 is
    // reached only by its own length, which its sender adds).
    ASSERT_EQ(text.speech.size(), 2u);
    EXPECT_EQ(text.speech[0].text, "hello");
    EXPECT_EQ(text.speech[0].length, 6);
    EXPECT_EQ(text.speech[1].type, 9);
    // The 16-bit line goes out as Unicode speech (0xAD) in its mode 2, an
    // emote: its text wrapped in '*'.  Its sender adds its length (25 + 2).
    const auto written = Written();
    ASSERT_EQ(written.size(), 1u);
    const std::vector<M_BYTE>& m = written[0];
    ASSERT_EQ(m.size(), 12u + 2 * 5);
    EXPECT_EQ(m[0], 0xAD);
    EXPECT_EQ(m[3], 2) << "the mode";
    EXPECT_EQ(std::vector<M_BYTE>(m.begin() + 12, m.end()),
              (std::vector<M_BYTE>{0, '*', 0, 'h', 0, 'i', 0, '*', 0, 0}));
    EXPECT_EQ(CApp::spamCounter, 27);
    EXPECT_EQ(CApp::queuedSpeech.GetCount(), 0);
}

TEST_F(SpeechThrottleTest, LinesWaitWhileTheCounterStaysAtTheLimit) {
    CApp::AddSpeechSpam(200);
    CApp::AddQueuedSay("later", 6, 0);
    g_now += 1000;
    CApp::UpdateSpeechQueue();
    EXPECT_EQ(CApp::spamCounter, 170);
    EXPECT_TRUE(gumps.text.speech.empty());
    g_now += 6000;
    CApp::UpdateSpeechQueue();
    EXPECT_EQ(CApp::spamCounter, 0);
    EXPECT_EQ(gumps.text.speech.size(), 1u);
}

TEST_F(SpeechThrottleTest, SmallLimitsStillDrainAtTenTicksASecond) {
    SpamLimit = 1;
    CApp::AddSpeechSpam(3);
    for (int tick = 0; tick < 30; ++tick) {
        g_now += 100;
        CApp::UpdateSpeechQueue();
    }
    EXPECT_EQ(CApp::spamCounter, 0);

    SetConfigValue(CFG_SpamLimit, "0", FALSE);  // clamped to 1: no division by zero
    CApp::AddSpeechSpam(5);
    CApp::AddQueuedSay("x", 2, 0);
    CApp::QueueSpamSpeech();
    g_now += 10000;
    CApp::UpdateSpeechQueue();
    EXPECT_EQ(gumps.text.speech.size(), 1u);
}

TEST_F(SpeechThrottleTest, SpamNoticeSaysHowLongTheQueueWaits) {
    CApp::AddSpeechSpam(40);
    CApp::AddQueuedSay("twenty characters...", 21, 0);
    CApp::QueueSpamSpeech();
    // (20 queued + 40 - 30) / 30 = 1
    ASSERT_EQ(gumps.text.systemMessages.size(), 1u);
    EXPECT_EQ(gumps.text.systemMessages[0].text, "[Spam detected, speech queued for 1 seconds]");
    EXPECT_EQ(gumps.text.systemMessages[0].font, 3);
}

TEST_F(SpeechThrottleTest, IdleTimeIsNotSavedUp) {
    g_now += 60000;
    CApp::UpdateSpeechQueue();
    CApp::AddSpeechSpam(40);
    g_now += 100;
    CApp::UpdateSpeechQueue();
    EXPECT_EQ(CApp::spamCounter, 37);
}

}  // namespace

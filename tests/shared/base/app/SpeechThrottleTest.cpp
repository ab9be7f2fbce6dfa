#include <string>

#include "AppTestSupport.h"
#include "Clock.h"
#include "support/fakes/FakeTextManager.h"
#include "support/fakes/FakeUnicodeSpeech.h"

namespace {

M_DWORD g_now = 0;
M_DWORD FakeNow() {
    return g_now;
}

class SpeechThrottleTest : public tw::test::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        g_now = 100000;
        SetTimeSourceForTests(FakeNow);
        CApp::spamClock = g_now;
    }
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
    auto& text = tw::fake::textManager();
    text.onSendSpeech = [](const tw::fake::Speech& s) {
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
    ASSERT_EQ(tw::fake::unicodeSpeech().size(), 1u);
    EXPECT_EQ(tw::fake::unicodeSpeech()[0].text, (std::vector<M_WORD>{'h', 'i'}));
    EXPECT_EQ(tw::fake::unicodeSpeech()[0].value, 7);
    EXPECT_EQ(tw::fake::unicodeSpeech()[0].mode, 2);
    EXPECT_EQ(CApp::spamCounter, 25);
    EXPECT_EQ(CApp::queuedSpeech.GetCount(), 0);
}

TEST_F(SpeechThrottleTest, LinesWaitWhileTheCounterStaysAtTheLimit) {
    CApp::AddSpeechSpam(200);
    CApp::AddQueuedSay("later", 6, 0);
    g_now += 1000;
    CApp::UpdateSpeechQueue();
    EXPECT_EQ(CApp::spamCounter, 170);
    EXPECT_TRUE(tw::fake::textManager().speech.empty());
    g_now += 6000;
    CApp::UpdateSpeechQueue();
    EXPECT_EQ(CApp::spamCounter, 0);
    EXPECT_EQ(tw::fake::textManager().speech.size(), 1u);
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
    EXPECT_EQ(tw::fake::textManager().speech.size(), 1u);
}

TEST_F(SpeechThrottleTest, SpamNoticeSaysHowLongTheQueueWaits) {
    CApp::AddSpeechSpam(40);
    CApp::AddQueuedSay("twenty characters...", 21, 0);
    CApp::QueueSpamSpeech();
    // (20 queued + 40 - 30) / 30 = 1
    ASSERT_EQ(tw::fake::textManager().systemMessages.size(), 1u);
    EXPECT_EQ(tw::fake::textManager().systemMessages[0].text,
              "[Spam detected, speech queued for 1 seconds]");
    EXPECT_EQ(tw::fake::textManager().systemMessages[0].font, 3);
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

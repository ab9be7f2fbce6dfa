// The speech spam throttle: a counter of characters spoken that decays by
// SpamLimit characters per second; while it is at the limit, speech is held
// back and sent by the frame tick as the counter falls.
#include <cstdio>

#include "App.h"
#include "Clock.h"
#include "comm/UnicodeSpeech.h"
#include "config/Config.h"
#include "gumps/TextManager.h"

namespace {

// The limit is clamped when read from the configuration; it is guarded here
// too because it divides.
int limit() {
    return SpamLimit < 1 ? 1 : SpamLimit;
}

int queuedLength(const CQueuedSay& say) {
    return say.kind == 0 ? say.text.length() : say.wideText.length();
}

}  // namespace

BOOL CApp::SpeechAllowed() {
    return spamCounter < limit();
}

void CApp::AddSpeechSpam(int amount) {
    long long sum = static_cast<long long>(spamCounter) + amount;
    spamCounter = sum < 0 ? 0 : sum > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(sum);
}

void CApp::AddQueuedSay(const char* text, int a, int b) {
    auto* say = new CQueuedSay;
    say->kind = 0;
    say->text = text ? text : "";
    say->a = a;
    say->b = b;
    queuedSpeech.AddTail(say);
}

void CApp::QueueSpamSpeech() {
    long long waiting = spamCounter;
    for (CNode<CQueuedSay>* n = queuedSpeech.GetHead(); n; n = queuedSpeech.GetNext(n))
        waiting += queuedLength(queuedSpeech.GetAt(n));
    long long seconds = (waiting - limit()) / limit();
    char text[96];
    snprintf(text, sizeof text, "[Spam detected, speech queued for %lld seconds]", seconds);
    TextManager::AddSystemMessage(0, 3, text);
}

void CApp::UpdateSpeechQueue() {
    const M_DWORD now = GetTimeMs();
    const int L = limit();
    const M_DWORD elapsed = now - spamClock;
    const long long decay = static_cast<long long>(elapsed) * L / 1000;
    if (decay >= spamCounter) {
        spamCounter = 0;
        spamClock = now;
    } else if (decay > 0) {
        spamCounter -= static_cast<int>(decay);
        // Keep the part of a second that did not yet make a whole character:
        // with ticks of 100 ms and a limit below 10, moving the clock to now
        // on every tick would let the counter never fall.
        spamClock += static_cast<M_DWORD>(decay * 1000 / L);
    }

    while (spamCounter < L) {
        CNode<CQueuedSay>* head = queuedSpeech.GetHead();
        if (!head) break;
        CQueuedSay& say = queuedSpeech.GetAt(head);
        if (say.kind == 0)
            TextManager::SendSpeech(say.text.c_str(), say.a, say.b);
        else
            SendUnicodeSpeech(say.wideText.c_str(), say.a, say.b);
        queuedSpeech.RemoveAt(head, 1);
    }
}

// Sending the player's Unicode speech through the spam throttle.
#include <vector>

#include "app/App.h"
#include "comm/UnicodeSpeech.h"
#include "net/UnicodeSpeechPacket.h"

namespace {

constexpr int kEmote = 2;

int Length(const M_WORD* text) {
    int n = 0;
    while (text && text[n]) ++n;
    return n;
}

}  // namespace

void SendUnicodeSpeech(const M_WORD* text, int value, int mode) {
    if (!text) return;
    if (CApp::SpeechAllowed()) {
        SendUnicodeSpeechPacket(text, value, mode);
        CApp::AddSpeechSpam(Length(text));
        return;
    }
    CApp::QueueSpamSpeech();
    auto* say = new CQueuedSay;
    say->kind = 1;
    say->wideText = text;
    say->a = value;
    say->b = mode;
    CApp::queuedSpeech.AddTail(say);
}

void SendUnicodeSpeechPacket(const M_WORD* text, int /*value*/, int mode) {
    if (!text) return;
    std::vector<M_WORD> line(text, text + Length(text));
    while (!line.empty() && line.back() == ' ') line.pop_back();
    const bool emote = mode == kEmote;
    if (emote) {
        line.insert(line.begin(), '*');
        line.push_back('*');
    }
    line.push_back(0);
    WriteUnicodeSpeech(static_cast<M_BYTE>(mode), emote ? CApp::emoteHue : CApp::speechHue,
                       emote ? CApp::emoteFont : CApp::speechFont, "ENU", line.data());
}

// Sending the player's Unicode speech through the spam throttle.
#include <vector>

#include "Service.h"
#include "comm/AppSpeech.h"
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
    AppSpeech& app = tw::Service<AppSpeech>::Get();
    if (app.SpeechAllowed()) {
        SendUnicodeSpeechPacket(text, value, mode);
        app.AddSpeechSpam(Length(text));
        return;
    }
    app.QueueSpamSpeech();
    app.QueueUnicodeSay(text, value, mode);
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
    AppSpeech& app = tw::Service<AppSpeech>::Get();
    WriteUnicodeSpeech(static_cast<M_BYTE>(mode), emote ? app.EmoteHue() : app.SpeechHue(),
                       emote ? app.EmoteFont() : app.SpeechFont(), "ENU", line.data());
}

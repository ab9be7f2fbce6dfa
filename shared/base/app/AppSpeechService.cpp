// The speech display's and sender's view of the application object.
#include "App.h"
#include "AppServices.h"
#include "VersionManager.h"
#include "comm/AppSpeech.h"

namespace {

class Speech final : public AppSpeech {
public:
    BOOL IsSerialInList(int serial) override { return CApp::IsSerialInList(serial); }
    BOOL SpeechAllowed() override { return CApp::SpeechAllowed(); }
    void AddSpeechSpam(int amount) override { CApp::AddSpeechSpam(amount); }
    void QueueSpamSpeech() override { CApp::QueueSpamSpeech(); }
    void QueueUnicodeSay(const M_WORD* text, int value, int mode) override {
        auto* say = new CQueuedSay;
        say->kind = 1;
        say->wideText = text;
        say->a = value;
        say->b = mode;
        CApp::queuedSpeech.AddTail(say);
    }
    void QueueSay(const char* text, int length, int mode) override {
        CApp::AddQueuedSay(text, length, mode);
    }
    M_WORD SpeechHue() override { return CApp::speechHue; }
    M_WORD SpeechFont() override { return CApp::speechFont; }
    M_WORD EmoteHue() override { return CApp::emoteHue; }
    M_WORD EmoteFont() override { return CApp::emoteFont; }
    void ShowVersion() override { CVersionManager::ShowVersion(); }
};

}  // namespace

AppSpeech& ApplicationSpeech() {
    static Speech speech;
    return speech;
}

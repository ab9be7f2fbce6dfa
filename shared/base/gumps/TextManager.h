// The text manager: system messages, typed speech and the journal.  Only
// what its callers use so far is declared here.  It is not built yet: the
// static functions reach the installed TextManagerService.
#pragma once

#include "Service.h"

class TextManagerService {
public:
    static constexpr const char* kServiceName = "TextManager";
    virtual ~TextManagerService() = default;
    virtual void startup() = 0;
    virtual void shutdown() = 0;
    virtual void CloseJournalFile() = 0;
    virtual void AddSystemMessage(int hue, int font, const char* text) = 0;
    virtual void SendSpeech(const char* text, int length, int type) = 0;
};

class TextManager {
public:
    static void startup() { Service().startup(); }
    static void shutdown() { Service().shutdown(); }
    // Closes the journal file when journal saving left it open.
    static void CloseJournalFile() { Service().CloseJournalFile(); }
    // Shows a system message in the journal and on screen; notices pass hue 0
    // and font 3.
    static void AddSystemMessage(int hue, int font, const char* text) {
        Service().AddSystemMessage(hue, font, text);
    }
    // Sends typed speech (length counts the terminator; types: 0 say, 2 emote,
    // 8 whisper, 9 yell), or holds it back through the application's speech
    // throttle.
    static void SendSpeech(const char* text, int length, int type) {
        Service().SendSpeech(text, length, type);
    }

private:
    static TextManagerService& Service() { return tw::Service<TextManagerService>::Get(); }
};

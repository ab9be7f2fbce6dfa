// The text manager: system messages, typed speech and the journal.  It lives
// with the communication dialogs (comm/Journal.h), which make the speech
// gumps it shows; the static functions reach it through the installed
// TextManagerService, so that every layer can show a system message.
#pragma once

#include "Service.h"
#include "TWTypes.h"

class TextManagerService {
public:
    static constexpr const char* kServiceName = "TextManager";
    virtual ~TextManagerService() = default;
    virtual void startup() = 0;
    virtual void shutdown() = 0;
    virtual void CloseJournalFile() = 0;
    virtual void AddSystemMessage(int hue, int font, const char* text) = 0;
    virtual void SendSpeech(const char* text, int length, int type) = 0;
    virtual void AddJournalText(const char* text, M_DWORD colour) = 0;
    virtual void AddJournalText(const M_WORD* text, M_DWORD colour) = 0;
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
    // Sends typed speech (length counts the characters, without the
    // terminator; types: 0 say, 2 emote, 8 whisper, 9 yell), or holds it back
    // through the application's speech throttle.
    static void SendSpeech(const char* text, int length, int type) {
        Service().SendSpeech(text, length, type);
    }
    // Appends a line to the journal (and its log file) and refreshes the
    // open journal windows.
    static void AddJournalText(const char* text, M_DWORD colour) {
        Service().AddJournalText(text, colour);
    }
    static void AddJournalText(const M_WORD* text, M_DWORD colour) {
        Service().AddJournalText(text, colour);
    }

private:
    static TextManagerService& Service() { return tw::Service<TextManagerService>::Get(); }
};

// The text manager: system messages, typed speech and the journal.  Only
// what its callers use so far is declared here.
#pragma once

class TextManager {
public:
    static void startup();
    static void shutdown();
    // Closes the journal file when journal saving left it open.
    static void CloseJournalFile();
    // Shows a system message in the journal and on screen; notices pass hue 0
    // and font 3.
    static void AddSystemMessage(int hue, int font, const char* text);
    // Sends typed speech (length counts the terminator; types: 0 say, 2 emote,
    // 8 whisper, 9 yell), or holds it back through the application's speech
    // throttle.
    static void SendSpeech(const char* text, int length, int type);
};

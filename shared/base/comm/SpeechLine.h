// The speech input line (the CInputWindow of gumps/InputWindow.h): the text
// the player types at the foot of the game window, its speech mode with the
// mode's prompt, and a copy of the last line sent.  Enter speaks the line,
// runs a dot command or answers the server's pending text prompt (message
// 0x9A).  The line shows itself through a CInputGump (comm/InputGump.h).
//
// The text is UTF-16 while the UnicodeSpeech setting is on and 8-bit
// otherwise; both are kept in M_WORD units here and narrowed when sent.
// main owns the one line; main thread only.
#pragma once

#include "TWTypes.h"
#include "gumps/InputWindow.h"

class CInputGump;

class SpeechLine : public CInputWindow {
public:
    static constexpr int MAX_LENGTH = 128;
    // The shown copy: the longest prompt, the text and the caret.
    static constexpr int TEXT_UNITS = MAX_LENGTH + 4;
    static constexpr int MAX_WIDTH = 599;

    enum Mode { SAY = 0, BROADCAST = 1, EMOTE = 2, COMMAND = 5, WHISPER = 8, YELL = 9 };

    SpeechLine();
    ~SpeechLine() override;

    void HandleKey(int code);
    // Walking keys and recall; 1 when the key was used (or the line is in
    // no state to take it).
    int HandleSpecialKey(int code, M_DWORD keyState);
    // Runs the dot command of the line; 1 when its word was found.
    int HandleEnter();
    void UpdatePrompt();
    void SetMode(int newMode);
    void SendPromptReply(int response, const char* text);

    int swallowCount = 0;
    int length = 0;
    M_WORD text[TEXT_UNITS] = {};
    int mode = SAY;
    BOOL echoCommands = FALSE;
    CInputGump* lineGump = nullptr;
    M_WORD lastLine[TEXT_UNITS] = {};
    int lastMode = SAY;

    // Set by the recall key so that the character of the same key press is
    // not typed.
    static BOOL skipNextKey;

private:
    BOOL Fits(int code) const;
    void Type(M_WORD unit);
    void Speak();
    // The line as 8-bit text (units above 255 become '?').
    void Narrow(char* out, size_t size) const;
};

// Sends message 0x9B (help request) with type 0 and an empty text.
void SendHelpRequest();

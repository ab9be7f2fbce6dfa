// CInputWindow: the speech input line.  Only what its callers use so far is
// declared here.
#pragma once

#include "TWTypes.h"

class CInputWindow {
public:
    CInputWindow();
    ~CInputWindow();
    CInputWindow(const CInputWindow&) = delete;
    CInputWindow& operator=(const CInputWindow&) = delete;

    // Walk-key mode and line recall; 0 for keys it does not take.
    static int HandleSpecialKey(int code, M_DWORD extendedKeySym);

    // Editing keys, history and Enter of the speech line.
    void HandleKey(int code);
    // Redraws the line's text in that hue and font.
    void RedrawText(int hue, int font);

    // A server text prompt waits for its answer (the next line typed).
    static BOOL IsPromptPending();
    // Answers the pending server text prompt with the text and clears it.
    static void SendPromptReply(CInputWindow* line, int replyType, const char* text);

    // The speech-mode word: 0 plain speech, 8 whisper, 9 yell; other values
    // emote, command, broadcast.
    void SetMode(int mode);
    // Rebuilds the line's prompt prefix and cursor.
    static void UpdatePrompt(CInputWindow* line);
};

// The speech input line that main creates and deletes.
extern CInputWindow* g_inputWindow;

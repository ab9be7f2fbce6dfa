// The server's text prompt (message 0x9A) while it waits for its answer: the
// handler of 0x9A sets it, the prompt reply answers and clears it.  Lives
// for the connection; main thread only.
#pragma once

#include "TWTypes.h"

class CInputWindow;

struct ServerPrompt {
    BOOL pending = FALSE;
    M_DWORD serial = 0;
    M_DWORD id = 0;
};

extern ServerPrompt g_serverPrompt;

class CInputWindow;

// Answers the server's pending text prompt (message 0x9A) with the
// characters of text below 128, then puts the input line back to plain
// speech and rebuilds its prompt.
void SendPromptReply(CInputWindow* inputLine, int replyType, const M_WORD* text);

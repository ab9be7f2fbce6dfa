// The chat windows.  Only what their callers use so far is declared here.
#pragma once

#include "TWTypes.h"

struct PDSTRUCT;

// Builds the chat-open message 0xB5 with a name of at most 30 characters.
void SendChatOpen(PDSTRUCT* buffer, const M_WORD* name);

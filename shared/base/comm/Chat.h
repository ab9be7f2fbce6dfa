// The chat windows.  Only what their callers use so far is declared here
// (CommService).
#pragma once

#include "comm/Comm.h"

// Builds the chat-open message 0xB5 with a name of at most 30 characters.
inline void SendChatOpen(PDSTRUCT* buffer, const M_WORD* name) {
    comm::Service().SendChatOpen(buffer, name);
}

// Unicode speech: the client's message 0xAD and its throttled sender.  Only
// what its callers use so far is declared here.
#pragma once

#include "TWTypes.h"

// Sends typed 16-bit speech, or holds it back through the application's
// speech throttle; value only travels with a held-back line.
void SendUnicodeSpeech(const M_WORD* text, int value, int mode);

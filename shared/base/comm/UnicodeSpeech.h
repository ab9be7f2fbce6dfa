// Unicode speech between client and server: showing a line of the server's
// Unicode speech (message 0xAE, and the numbered server texts) as a bark over
// its speaker or as system text, sending the player's typed speech as
// message 0xAD through the application's spam throttle, and the server
// feature flag of message 0xB9.  The messages themselves are the network's
// (net/UnicodeSpeechPacket.h), the reply to a server text prompt too
// (net/ServerPrompt.h).
//
// Showing speech fills the speaker record (world/SpeakerRecord.h) that the
// bark gump reads.  The feature flag lives for the process; main thread only
// (the handlers run from the socket poll).
#pragma once

#include "TWTypes.h"
#include "world/SpeakerRecord.h"

// Sends typed 16-bit speech, or holds it back through the application's
// speech throttle; value only travels with a held-back line.
void SendUnicodeSpeech(const M_WORD* text, int value, int mode);
// Builds and writes message 0xAD now: trailing spaces dropped, an emote
// (mode 2) wrapped in '*' in the emote hue and font, anything else in the
// speech hue and font.
void SendUnicodeSpeechPacket(const M_WORD* text, int value, int mode);
// Shows a line of Unicode speech by its type: over the speaking object
// (types 0, 2, 3, 4, 6, 7, 8, 9) or, when the speaker is not in the world, as
// system text; types 1, 5 and 10 and above show nothing.  language is the
// three-letter code with its terminator.
void ShowUnicodeSpeech(M_DWORD serial, int graphic, int type, int hue, int font,
                       const char* language, const char* name, M_WORD* text);
// A Unicode system text.
void UnicodeAddSystemMessage(int hue, int font, const M_WORD* text, const char* language);

// The server feature flag (FALSE at start; read by the paperdoll).
void SetServerFeatureFlag(BOOL value);
BOOL GetServerFeatureFlag();

// Test support: clears the speaker record and the feature flag.
void ResetUnicodeSpeechForTests();

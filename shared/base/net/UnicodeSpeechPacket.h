// The Unicode speech messages: the server's 0xAE and the client's 0xAD,
// and the server's feature word 0xB9 (3 bytes: id, u16 big-endian flags).
//
// 0xAE (variable; numbers big-endian), at least 48 bytes:
//   0  u8   0xAE            1  u16  total length
//   3  u32  speaker serial (0xFFFFFFFF: none)
//   7  u16  speaker graphic (not used)
//   9  u8   speech type     10 u16  hue       12 u16 font
//   14 4    language code, three letters and a 0 byte
//   18 30   speaker name, 8-bit, NUL-padded
//   48 ..   text: UTF-16 big-endian units up to a 0 unit or the end
//
// 0xAD (variable; numbers big-endian):
//   0  u8   0xAD            1  u16  total length
//   3  u8   speech mode (2 = emote)
//   4  u16  hue             6  u16  font
//   8  4    language code with its 0 byte
//   12 ..   the text units big-endian, then a 0 unit
//
// The speech display reads the server's messages through the readers below;
// its handlers register into the packet table at start-up.
#pragma once

#include <vector>

#include "TWTypes.h"

class PacketIn;
struct PDSTRUCT;

// A 0xAE message as read.
struct UnicodeSpeechMessage {
    M_DWORD serial = 0;
    int graphic = 0;
    int type = 0;
    int hue = 0;
    int font = 0;
    char language[4] = {};  // always terminated
    char name[31] = {};     // always terminated
    // The text in host order up to its 0 unit or the message's end, always
    // terminated.
    std::vector<M_WORD> text;
};

// Reads 0xAE; a message shorter than its fixed fields is dropped (logged)
// and FALSE returned.
BOOL ReadUnicodeSpeech(const PacketIn& packet, UnicodeSpeechMessage* message);
// Reads 0xB9: bit 0 of the flags is the server feature flag; a message
// without its flags is dropped (logged) and FALSE returned.
BOOL ReadServerFeature(const PacketIn& packet, BOOL* flag);

// The longest text (in units, terminator excluded) that 0xAD carries: the
// message's length must fit its u16 field.
constexpr int MAX_UNICODE_SPEECH_UNITS = (0xFFFF - 12 - 2) / 2;

// Builds 0xAD; text is zero-terminated, cut to MAX_UNICODE_SPEECH_UNITS, and
// language gives at most three letters.
void BuildUnicodeSpeech(PDSTRUCT* packet, M_BYTE mode, M_WORD hue, M_WORD font,
                        const char* language, const M_WORD* text);
// Builds 0xAD and writes it on the game connection; FALSE without a
// connection or when the connection refused it.
BOOL WriteUnicodeSpeech(M_BYTE mode, M_WORD hue, M_WORD font, const char* language,
                        const M_WORD* text);

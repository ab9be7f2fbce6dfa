// The two disguises of the client's outgoing stream.
//
// Login stream: while talking to the login server every byte is XORed with
// the low byte of register A of a two-register shift stream seeded by the
// 4-byte seed that the connection sends first.
//
// Game stream: after the relay the output is enciphered with Blowfish in
// 64-bit cipher feedback under one of 25 stored keys, re-keyed every 21036
// bytes (keys 1, 4, 7, 10, 2, 5, 8, 0, 3, 6, 9, 1, ...).  The server's stream
// to us is never enciphered.
#pragma once

#include <cstddef>

#include "TWTypes.h"
#include "net/Blowfish.h"

class CLoginStream {
public:
    // Forms registers A and B from the seed (zeroed registers before that).
    void Derive(M_DWORD seed);
    // XORs one byte with the current key byte and steps the registers.
    M_BYTE Apply(M_BYTE in);

    M_DWORD A() const { return keys_[0]; }
    M_DWORD B() const { return keys_[1]; }

private:
    // Only the first two are used; the others stay zero.
    M_DWORD keys_[4] = {};
};

// Every this many bytes of the game stream go out under one key.
constexpr M_DWORD kGameRekeyInterval = 21036;

struct CStreamCipher {
    // Direction 1 when the connection is made (key 1), 0 when re-keying.
    void Init(int direction, int keyIndex);
    void Encipher(const M_BYTE* input, M_BYTE* output, size_t count);
    // The schedule of the key in use.
    const BlowfishSchedule* Schedule() const;

    M_BYTE block0[16];  // the receiving direction's block (not used by us)
    M_BYTE block1[16];  // the sending direction's; bytes 0-7 feed back
    M_BYTE positions;   // high nibble: sending position 0-7; low: receiving
    M_BYTE keyIndex;
};

// Enciphers count bytes of the game stream, re-keying at each 21036-byte
// boundary; byteCount counts the bytes sent under the current key.
void GameStreamEncipher(CStreamCipher* cipher, M_DWORD* byteCount, const M_BYTE* input,
                        M_BYTE* output, size_t count);

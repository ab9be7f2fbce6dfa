// Blowfish, the published 64-bit block cipher: 16 rounds, P-array and
// S-boxes initialised from the hexadecimal digits of pi, the standard key
// schedule, and 64-bit cipher feedback over a byte stream.
#pragma once

#include <cstddef>

#include "TWTypes.h"

constexpr int kBlowfishRounds = 16;
constexpr int kBlowfishPWords = kBlowfishRounds + 2;
constexpr int kBlowfishScheduleWords = kBlowfishPWords + 4 * 256;  // 1042
// The key schedule uses at most this many key bytes.
constexpr int kBlowfishMaxKeyBytes = kBlowfishPWords * 4;

constexpr int kBlowfishDecipher = 0;
constexpr int kBlowfishEncipher = 1;

struct BlowfishSchedule {
    M_DWORD P[kBlowfishPWords];
    M_DWORD S[4][256];
};

// The pi words: the P-array's 18, then the S-boxes' 1024, in order.
extern const M_DWORD kBlowfishPiWords[kBlowfishScheduleWords];

void BlowfishInit(BlowfishSchedule* schedule, int keyLength, const M_BYTE* key);
// One block: left and right are the big-endian halves of the 8 bytes.
void BlowfishEncipher(M_DWORD* left, M_DWORD* right, const BlowfishSchedule* schedule,
                      int direction);
// Cipher feedback over count bytes; feedback is the 8-byte register and
// position (0-7) the next byte of it to use; both carry over between calls.
void BlowfishCfb64(const M_BYTE* input, M_BYTE* output, size_t count,
                   const BlowfishSchedule* schedule, M_BYTE* feedback, int* position,
                   int direction);

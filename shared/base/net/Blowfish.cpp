#include "net/Blowfish.h"

#include <cstring>

namespace {

inline M_DWORD round(const BlowfishSchedule* s, M_DWORD x) {
    return ((s->S[0][x >> 24] + s->S[1][(x >> 16) & 0xFF]) ^ s->S[2][(x >> 8) & 0xFF]) +
           s->S[3][x & 0xFF];
}

void encipherBlock(M_DWORD* left, M_DWORD* right, const BlowfishSchedule* s) {
    M_DWORD l = *left, r = *right;
    // Two rounds per step, so the halves never need swapping.
    for (int i = 0; i < kBlowfishRounds; i += 2) {
        l ^= s->P[i];
        r ^= round(s, l);
        r ^= s->P[i + 1];
        l ^= round(s, r);
    }
    l ^= s->P[kBlowfishRounds];
    r ^= s->P[kBlowfishRounds + 1];
    *left = r;
    *right = l;
}

void decipherBlock(M_DWORD* left, M_DWORD* right, const BlowfishSchedule* s) {
    M_DWORD l = *left, r = *right;
    for (int i = kBlowfishRounds + 1; i > 1; i -= 2) {
        l ^= s->P[i];
        r ^= round(s, l);
        r ^= s->P[i - 1];
        l ^= round(s, r);
    }
    l ^= s->P[1];
    r ^= s->P[0];
    *left = r;
    *right = l;
}

}  // namespace

void BlowfishInit(BlowfishSchedule* schedule, int keyLength, const M_BYTE* key) {
    memcpy(schedule->P, kBlowfishPiWords, sizeof schedule->P);
    memcpy(schedule->S, kBlowfishPiWords + kBlowfishPWords, sizeof schedule->S);
    if (keyLength > kBlowfishMaxKeyBytes) keyLength = kBlowfishMaxKeyBytes;
    if (keyLength > 0) {
        int k = 0;
        for (M_DWORD& p : schedule->P) {
            M_DWORD word = 0;
            for (int j = 0; j < 4; ++j) {
                word = word << 8 | key[k];
                k = (k + 1) % keyLength;
            }
            p ^= word;
        }
    }
    M_DWORD l = 0, r = 0;
    for (int i = 0; i < kBlowfishPWords; i += 2) {
        encipherBlock(&l, &r, schedule);
        schedule->P[i] = l;
        schedule->P[i + 1] = r;
    }
    for (auto& box : schedule->S) {
        for (int i = 0; i < 256; i += 2) {
            encipherBlock(&l, &r, schedule);
            box[i] = l;
            box[i + 1] = r;
        }
    }
}

void BlowfishEncipher(M_DWORD* left, M_DWORD* right, const BlowfishSchedule* schedule,
                      int direction) {
    if (direction == kBlowfishDecipher)
        decipherBlock(left, right, schedule);
    else
        encipherBlock(left, right, schedule);
}

void BlowfishCfb64(const M_BYTE* input, M_BYTE* output, size_t count,
                   const BlowfishSchedule* schedule, M_BYTE* feedback, int* position,
                   int direction) {
    int n = *position & 7;
    for (size_t i = 0; i < count; ++i) {
        if (n == 0) {
            M_DWORD l = M_DWORD(feedback[0]) << 24 | M_DWORD(feedback[1]) << 16 |
                        M_DWORD(feedback[2]) << 8 | feedback[3];
            M_DWORD r = M_DWORD(feedback[4]) << 24 | M_DWORD(feedback[5]) << 16 |
                        M_DWORD(feedback[6]) << 8 | feedback[7];
            encipherBlock(&l, &r, schedule);
            for (int j = 0; j < 4; ++j) {
                feedback[j] = static_cast<M_BYTE>(l >> (24 - 8 * j));
                feedback[4 + j] = static_cast<M_BYTE>(r >> (24 - 8 * j));
            }
        }
        M_BYTE in = input[i];
        M_BYTE out = in ^ feedback[n];
        output[i] = out;
        // The ciphertext feeds back in both directions.
        feedback[n] = direction == kBlowfishDecipher ? in : out;
        n = (n + 1) & 7;
    }
    *position = n;
}

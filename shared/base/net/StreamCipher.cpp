#include "net/StreamCipher.h"

#include <cstring>

#include "net/ProtocolKeys.h"

// ---- login stream ----

void CLoginStream::Derive(M_DWORD seed) {
    M_DWORD inverse = ~seed;
    keys_[0] = ((inverse & 0xFFFF) ^ kLoginSeedConstants[1]) << 16 |
               ((seed & 0xFFFF) ^ kLoginSeedConstants[0]);
    keys_[1] =
        ((inverse >> 16) ^ kLoginSeedConstants[2]) << 16 | ((seed >> 16) ^ kLoginSeedConstants[3]);
}

M_BYTE CLoginStream::Apply(M_BYTE in) {
    M_DWORD a = keys_[0], b = keys_[1];
    M_BYTE out = in ^ static_cast<M_BYTE>(a);
    M_DWORD top = a << 31;
    b = ((b >> 1) | top) ^ kLoginStepConstants[0];
    b = ((b >> 1) | top) ^ kLoginStepConstants[0];
    keys_[0] = ((a >> 1) | (keys_[1] << 31)) ^ kLoginStepConstants[1];
    keys_[1] = b;
    return out;
}

// ---- game stream ----

namespace {

// The 25 schedules live for the whole program; built on first use.
const BlowfishSchedule* schedules() {
    static const BlowfishSchedule* built = [] {
        static BlowfishSchedule all[kGameKeyCount];
        for (int i = 0; i < kGameKeyCount; ++i) BlowfishInit(&all[i], kGameKeyLength, kGameKeys[i]);
        return all;
    }();
    return built;
}

}  // namespace

void CStreamCipher::Init(int direction, int index) {
    // Only 0-10 are ever asked for; any larger index wraps rather than
    // reading past the tables.
    if (index < 0 || index >= kGameKeyCount)
        index = ((index % kGameKeyCount) + kGameKeyCount) % kGameKeyCount;
    const M_BYTE* receive = direction == 1 ? kGameInitTable2[index] : kGameInitTable1[index];
    const M_BYTE* send = direction == 1 ? kGameInitTable1[index] : kGameInitTable2[index];
    memcpy(block0, receive, sizeof block0);
    memcpy(block1, send, sizeof block1);
    positions = 0;
    keyIndex = static_cast<M_BYTE>(index);
}

const BlowfishSchedule* CStreamCipher::Schedule() const {
    return &schedules()[keyIndex % kGameKeyCount];
}

void CStreamCipher::Encipher(const M_BYTE* input, M_BYTE* output, size_t count) {
    int position = positions >> 4;
    BlowfishCfb64(input, output, count, Schedule(), block1, &position, kBlowfishEncipher);
    positions = static_cast<M_BYTE>((position & 7) << 4 | (positions & 0x0F));
}

void GameStreamEncipher(CStreamCipher* cipher, M_DWORD* byteCount, const M_BYTE* input,
                        M_BYTE* output, size_t count) {
    while (count > 0) {
        if (*byteCount + count <= kGameRekeyInterval) {
            cipher->Encipher(input, output, count);
            *byteCount += static_cast<M_DWORD>(count);
            return;
        }
        size_t first = kGameRekeyInterval - *byteCount;
        cipher->Encipher(input, output, first);
        input += first;
        output += first;
        count -= first;
        cipher->Init(0, (cipher->keyIndex + 3) % 11);
        *byteCount = 0;
    }
}

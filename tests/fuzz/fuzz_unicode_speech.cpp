// Server message 0xAE over arbitrary bytes: whatever its length, the handler
// must read inside the message and hand on a terminated text.  The display
// is replaced here by a check of what it is given.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "comm/UnicodeSpeech.h"
#include "fuzz/FuzzSupport.h"
#include "net/Packet.h"
#include "net/UnicodeSpeechPacket.h"

namespace {
size_t g_limit = 0;
}

void SetServerFeatureFlag(BOOL) {}
void ShowUnicodeSpeech(M_DWORD, int, int, int, int, const char* language, const char* name,
                       M_WORD* text) {
    if (!language || !name || !text || strlen(language) > 3 || strlen(name) > 30) abort();
    size_t n = 0;
    while (text[n]) ++n;
    if (n > g_limit) abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    std::vector<M_BYTE> message(data, data + size);
    if (!message.empty()) message[0] = 0xAE;
    g_limit = size > 48 ? (size - 48) / 2 : 0;
    HandleUnicodeSpeech(PacketIn(message.data(), message.size()));
    return 0;
}

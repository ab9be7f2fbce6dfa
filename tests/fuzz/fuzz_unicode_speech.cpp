// Server message 0xAE over arbitrary bytes: whatever its length, the reader
// must read inside the message and give a terminated text, a language of
// three letters at most and a name of 30 at most.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "net/Packet.h"
#include "net/UnicodeSpeechPacket.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    std::vector<M_BYTE> message(data, data + size);
    if (!message.empty()) message[0] = 0xAE;
    UnicodeSpeechMessage m;
    if (!ReadUnicodeSpeech(PacketIn(message.data(), message.size()), &m)) return 0;
    const size_t limit = size > 48 ? (size - 48) / 2 : 0;
    if (m.text.empty() || m.text.back() != 0 || m.text.size() - 1 > limit) abort();
    for (size_t i = 0; i + 1 < m.text.size(); ++i)
        if (m.text[i] == 0) abort();
    if (strlen(m.language) > 3 || strlen(m.name) > 30) abort();
    return 0;
}

// The field readers over an arbitrary message: the first bytes choose the
// reads, the rest is the message (byte 0 its id).  Every read must stay
// inside the message, whatever the id, length or cursor.
#include <cstddef>
#include <cstdint>

#include "comm/UnicodeSpeech.h"
#include "fuzz/FuzzSupport.h"
#include "net/PacketManager.h"

// Keeps the reads from being optimised away.
unsigned g_sink;

// The packet table names the handlers; the display behind the Unicode speech
// handler stays out of this target.
void SetServerFeatureFlag(BOOL) {}
void ShowUnicodeSpeech(M_DWORD, int, int, int, int, const char*, const char*, M_WORD*) {}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    if (size < 4) return 0;
    const uint8_t* ops = data;
    size_t opCount = 4;
    PacketIn packet(data + opCount, size - opCount);
    size_t cursor = 0;
    unsigned sink = 0;
    for (size_t i = 0; i < 64; ++i) {
        uint8_t op = ops[i % opCount] >> (2 * (i / opCount % 4));
        M_BYTE b;
        M_WORD w;
        M_DWORD d;
        const M_BYTE* view;
        switch (op & 3) {
            case 0:
                PacketManager::ReadU8(packet, cursor, b), sink += b;
                break;
            case 1:
                PacketManager::ReadU16(packet, cursor, w), sink += w;
                break;
            case 2:
                PacketManager::ReadU32(packet, cursor, d), sink += d;
                break;
            case 3:
                if (PacketManager::ReadBytes(packet, cursor, op >> 2, view) && (op >> 2))
                    sink += view[(op >> 2) - 1];
                break;
        }
    }
    ByteReader fields = packet.fields();
    char text[31];
    fields.fixedString(text, sizeof text, 30);
    fields.cString(text, sizeof text);
    sink += static_cast<unsigned char>(text[0]);
    g_sink = sink;
    return 0;
}

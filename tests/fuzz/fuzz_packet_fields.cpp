// The field reader over an arbitrary message: the first bytes choose the
// reads, the rest is the message (byte 0 its id).  Every read must stay
// inside the message, whatever the id, length or position.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzSupport.h"
#include "net/Packet.h"

// Keeps the reads from being optimised away.
unsigned g_sink;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    if (size < 4) return 0;
    const uint8_t* ops = data;
    size_t opCount = 4;
    PacketIn packet(data + opCount, size - opCount);
    ByteReader reads = packet.fields();
    unsigned sink = 0;
    for (size_t i = 0; i < 64; ++i) {
        uint8_t op = ops[i % opCount] >> (2 * (i / opCount % 4));
        switch (op & 3) {
            case 0:
                sink += reads.u8();
                break;
            case 1:
                sink += reads.u16be();
                break;
            case 2:
                sink += reads.u32be();
                break;
            case 3:
                if (const M_BYTE* view = reads.view(op >> 2); view && (op >> 2))
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

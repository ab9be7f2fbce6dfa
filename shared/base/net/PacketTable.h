// The packet table: one row per message id 0x00-0xC1, giving each message its
// length (fixed, or variable with the length in bytes 1-2) and, for the
// messages the server sends us, the handler that the dispatcher calls.  The
// framing of the incoming stream, the measuring of outgoing packets and every
// field reader and writer take their header rule from this one table.
#pragma once

#include <cstddef>

#include "TWTypes.h"

class PacketIn;

// A handler receives the whole framed message through a bounded view.
using PacketHandler = void (*)(const PacketIn& packet);

struct PacketRow {
    M_DWORD pktType;        // the message id; row i holds i
    M_DWORD length;         // whole length with the id byte, or kVariable
    bool fromServer;        // the client handles this id when the server sends it
    PacketHandler handler;  // null while the handler is not built yet
};

constexpr M_DWORD kVariable = 0x8000;
constexpr int kPacketTableSize = 0xC2;
constexpr int kLastPacketId = kPacketTableSize - 1;

extern const PacketRow PacketTable[kPacketTableSize];

// True for an id that has a row.
inline bool IsKnownPacket(unsigned id) {
    return id < static_cast<unsigned>(kPacketTableSize);
}
// Bit 15 of the length tells variable from fixed; callers check the id first.
inline bool IsVariablePacket(unsigned id) {
    return (PacketTable[id].length & kVariable) != 0;
}
inline size_t PacketHeaderSize(unsigned id) {
    return IsVariablePacket(id) ? 3 : 1;
}
// The table length of a fixed id (low 16 bits).
inline size_t FixedPacketLength(unsigned id) {
    return PacketTable[id].length & 0xFFFF;
}

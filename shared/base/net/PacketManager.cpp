#include "net/PacketManager.h"

#include <cstring>

#include "TWReport.h"

void PacketManager::startup() {
    TWReport::print("PacketManager::startup: begin.\n");
}

void PacketManager::shutdown() {}

void PacketManager::DropPacket(const PacketIn& packet, const char* reason) {
    TWReport::warning("PacketManager::DropPacket: message 0x%02X (%zu bytes) dropped: %s.\n",
                      packet.id(), packet.size(), reason);
}

// ---- writing ----

void PacketManager::BeginPacket(PDSTRUCT* packet, M_BYTE id) {
    packet->data[0] = id;
    packet->overflow = false;
    packet->valid = IsKnownPacket(id);
    if (!packet->valid) {
        TWReport::error("PacketManager::BeginPacket: message id 0x%02X has no table row.\n", id);
        packet->length = 1;
        return;
    }
    if (IsVariablePacket(id)) {
        packet->data[1] = packet->data[2] = 0;
        packet->length = 3;
    } else {
        // Fields a builder leaves unwritten go out as zeros, never as stale
        // bytes of an earlier packet.
        memset(packet->data + 1, 0, FixedPacketLength(id) - 1);
        packet->length = 1;
    }
}

void PacketManager::WriteBytes(PDSTRUCT* packet, const void* source, size_t n) {
    if (packet->overflow) return;
    if (n > PDSTRUCT::kCapacity - packet->length) {
        packet->overflow = true;
        return;
    }
    if (n) memcpy(packet->data + packet->length, source, n);
    packet->length += n;
}

void PacketManager::WriteU8(PDSTRUCT* packet, unsigned value) {
    M_BYTE b = static_cast<M_BYTE>(value);
    WriteBytes(packet, &b, 1);
}

void PacketManager::WriteU16(PDSTRUCT* packet, unsigned value) {
    M_BYTE b[2] = {static_cast<M_BYTE>(value >> 8), static_cast<M_BYTE>(value)};
    WriteBytes(packet, b, 2);
}

void PacketManager::WriteU32(PDSTRUCT* packet, M_DWORD value) {
    M_BYTE b[4] = {static_cast<M_BYTE>(value >> 24), static_cast<M_BYTE>(value >> 16),
                   static_cast<M_BYTE>(value >> 8), static_cast<M_BYTE>(value)};
    WriteBytes(packet, b, 4);
}

void PacketManager::WriteFixedText(PDSTRUCT* packet, const char* text, size_t fieldSize) {
    size_t n = text ? strnlen(text, fieldSize) : 0;
    WriteBytes(packet, text, n);
    static const M_BYTE zeros[64] = {};
    for (size_t left = fieldSize - n; left > 0;) {
        size_t chunk = left < sizeof zeros ? left : sizeof zeros;
        WriteBytes(packet, zeros, chunk);
        left -= chunk;
    }
}

void PacketManager::WriteText(PDSTRUCT* packet, const char* text, size_t maxLength) {
    size_t n = text ? strnlen(text, maxLength) : 0;
    WriteBytes(packet, text, n);
    WriteU8(packet, 0);
}

size_t PacketManager::WireLength(const PDSTRUCT& packet) {
    if (!packet.valid) return 0;
    return IsVariablePacket(packet.id()) ? packet.length : FixedPacketLength(packet.id());
}

size_t PacketManager::SealPacket(PDSTRUCT* packet) {
    if (!packet->ok()) return 0;
    size_t n = WireLength(*packet);
    if (packet->length > n) {
        TWReport::error(
            "PacketManager::SealPacket: message 0x%02X has %zu bytes; its length is %zu.\n",
            packet->id(), packet->length, n);
        return 0;
    }
    if (IsVariablePacket(packet->id())) {
        packet->data[1] = static_cast<M_BYTE>(n >> 8);
        packet->data[2] = static_cast<M_BYTE>(n);
    }
    return n;
}

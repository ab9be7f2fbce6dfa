#include "net/UnicodeSpeechPacket.h"

#include <vector>

#include "ByteReader.h"
#include "net/Packet.h"
#include "net/PacketManager.h"

namespace {

constexpr size_t kTextOffset = 48;

}  // namespace

BOOL ReadUnicodeSpeech(const PacketIn& packet, UnicodeSpeechMessage* message) {
    if (packet.size() < kTextOffset) {
        PacketManager::DropPacket(packet, "shorter than its fixed fields");
        return FALSE;
    }
    ByteReader in = packet.fields();
    message->serial = in.u32be();
    message->graphic = in.u16be();
    message->type = in.u8();
    message->hue = in.u16be();
    message->font = in.u16be();
    in.bytes(message->language, sizeof message->language);
    message->language[3] = 0;
    in.fixedString(message->name, sizeof message->name, 30);
    // The text, turned into host order up to its 0 unit or the message's end,
    // in a buffer of our own that is always terminated.
    message->text.clear();
    while (in.has(2)) {
        const M_WORD unit = in.u16be();
        if (unit == 0) break;
        message->text.push_back(unit);
    }
    message->text.push_back(0);
    return TRUE;
}

BOOL ReadServerFeature(const PacketIn& packet, BOOL* flag) {
    ByteReader in = packet.fields();
    if (!in.has(2)) {
        PacketManager::DropPacket(packet, "shorter than its flags");
        return FALSE;
    }
    *flag = (in.u16be() & 1) ? TRUE : FALSE;
    return TRUE;
}

void BuildUnicodeSpeech(PDSTRUCT* packet, M_BYTE mode, M_WORD hue, M_WORD font,
                        const char* language, const M_WORD* text) {
    PacketManager::BeginPacket(packet, 0xAD);
    PacketManager::WriteU8(packet, mode);
    PacketManager::WriteU16(packet, hue);
    PacketManager::WriteU16(packet, font);
    PacketManager::WriteFixedText(packet, language ? language : "", 3);
    PacketManager::WriteU8(packet, 0);
    for (int i = 0; text && text[i] && i < MAX_UNICODE_SPEECH_UNITS; ++i)
        PacketManager::WriteU16(packet, text[i]);
    PacketManager::WriteU16(packet, 0);
}

#include "net/UnicodeSpeechPacket.h"

#include <vector>

#include "ByteReader.h"
#include "comm/UnicodeSpeech.h"
#include "net/Packet.h"
#include "net/PacketManager.h"

namespace {

constexpr size_t kTextOffset = 48;

}  // namespace

void HandleUnicodeSpeech(const PacketIn& packet) {
    if (packet.size() < kTextOffset) {
        PacketManager::DropPacket(packet, "shorter than its fixed fields");
        return;
    }
    ByteReader in = packet.fields();
    const M_DWORD serial = in.u32be();
    const int graphic = in.u16be();
    const int type = in.u8();
    const int hue = in.u16be();
    const int font = in.u16be();
    char language[4];
    in.bytes(language, sizeof language);
    language[3] = 0;
    char name[31];
    in.fixedString(name, sizeof name, 30);
    // The text, turned into host order up to its 0 unit or the message's end,
    // in a buffer of our own that is always terminated.
    std::vector<M_WORD> text;
    while (in.has(2)) {
        const M_WORD unit = in.u16be();
        if (unit == 0) break;
        text.push_back(unit);
    }
    text.push_back(0);
    ShowUnicodeSpeech(serial, graphic, type, hue, font, language, name, text.data());
}

void HandleServerFeature(const PacketIn& packet) {
    ByteReader in = packet.fields();
    if (!in.has(2)) {
        PacketManager::DropPacket(packet, "shorter than its flags");
        return;
    }
    SetServerFeatureFlag((in.u16be() & 1) ? TRUE : FALSE);
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

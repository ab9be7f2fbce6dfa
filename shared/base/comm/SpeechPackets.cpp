#include "comm/SpeechPackets.h"

#include "comm/UnicodeSpeech.h"
#include "net/Packet.h"
#include "net/PacketManager.h"
#include "net/UnicodeSpeechPacket.h"

void HandleUnicodeSpeech(const PacketIn& packet) {
    UnicodeSpeechMessage m;
    if (!ReadUnicodeSpeech(packet, &m)) return;
    ShowUnicodeSpeech(m.serial, m.graphic, m.type, m.hue, m.font, m.language, m.name,
                      m.text.data());
}

void HandleServerFeature(const PacketIn& packet) {
    BOOL flag = FALSE;
    if (ReadServerFeature(packet, &flag)) SetServerFeatureFlag(flag);
}

void InstallSpeechHandlers() {
    RegisterSpeechMessageHandlers();
    PacketManager::SetHandler(0xAE, HandleUnicodeSpeech);
    PacketManager::SetHandler(0xB9, HandleServerFeature);
}

// The speech display's server messages: Unicode speech (0xAE) and the
// server's feature word (0xB9).  Their handlers read the message through the
// network core's readers (net/UnicodeSpeechPacket.h) and show what it says;
// the speech display installs them into the packet table at start-up.
#pragma once

class PacketIn;

void HandleUnicodeSpeech(const PacketIn& packet);
void HandleServerFeature(const PacketIn& packet);

// The 8-bit speech (0x1C) and the numbered server texts (0xC1).
void RegisterSpeechMessageHandlers();

// Registers the speech handlers with the packet table.
void InstallSpeechHandlers();

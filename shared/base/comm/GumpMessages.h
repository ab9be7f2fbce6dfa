// The server's messages that open windows or wait for the player's answer:
// the server-described gump (0xB0), the text prompt answered from the speech
// line (0x9A), the paperdoll (0x88), the name of a mobile (0x98) and the web
// page (0xA5) and the tip or notice (0xA6).  The text query (0xAB) and the
// hue picker (0x95) come with their dialogs.
#pragma once

class PacketIn;

void HandleGenericGump(const PacketIn& packet);

// Registers the handlers with the packet table.
void InstallGumpMessageHandlers();

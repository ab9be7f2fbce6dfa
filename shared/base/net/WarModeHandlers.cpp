// War mode and fight settings (0x72), the link of a dying mobile to its
// corpse (0xAF) and an edit-server message with no effect here (0x3E).
#include "DebugHooks.h"
#include "config/Config.h"
#include "net/PacketManager.h"
#include "net/WorldHandlers.h"
#include "net/WorldMessageEvents.h"
#include "world/Player.h"

namespace {

// 0x72: 1 u8 war state (0 peace), 2-4 the three fight-mode settings.
void HandleWarMode(const PacketIn& packet) {
    ByteReader r = packet.fields();
    int war = r.u8();
    int first = r.u8();
    int second = r.u8();
    int third = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    net::App().SetFightModes(first, second, third);
    net::App().ApplyWarMode(war);
}

// 0xAF: 1 u32 mobile, 5 u32 corpse, 9 u32 value (the link's flag is
// value = 0).
void HandleCorpseLink(const PacketIn& packet) {
    ByteReader r = packet.fields();
    M_DWORD mobileSerial = r.u32be();
    M_DWORD corpse = r.u32be();
    M_DWORD value = r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    CDynamicObj* object = CObjectManager::FindObject(mobileSerial);
    if (object && object->IsMobile())
        CObjectManager::AddLink(static_cast<CMobile*>(object), corpse, value == 0);
}

// 0x3E: nine words, read and not used.
void HandleEditServer3E(const PacketIn& packet) {
    ByteReader r = packet.fields();
    M_DWORD words[9];
    for (M_DWORD& word : words) word = r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    if (EditServerAddress != 0) EditServerHook3E(words);
}

}  // namespace

void RegisterWarModeHandlers() {
    PacketManager::SetHandler(0x72, HandleWarMode);
    PacketManager::SetHandler(0xAF, HandleCorpseLink);
    PacketManager::SetHandler(0x3E, HandleEditServer3E);
}

#include "app/SmallMessages.h"

#include "app/App.h"
#include "app/VersionManager.h"
#include "net/Packet.h"
#include "net/PacketManager.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"

namespace {

void HandleHeldItemDropped(const PacketIn&) {
    CObjectManager::holdingItem = FALSE;
}

void HandleEditServerCheck(const PacketIn&) {
    CVersionManager::CheckEditServer();
}

void HandleServerMove(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const int direction = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "too short");
    MoveManager::HandleServerMove(direction);
}

void HandleVersionQuery(const PacketIn&) {
    PDSTRUCT out;
    PacketManager::BuildClientVersion(&out, CVersionManager::GetVersionText());
    CApp::WriteToGame(&out);
}

void HandleVersionValue(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const M_DWORD value = r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "too short");
    PDSTRUCT out;
    PacketManager::BuildBe(&out, value, CVersionManager::GetVersionText());
    CApp::WriteToGame(&out);
}

// Framed and read; nothing in them is used.
void HandleIgnored(const PacketIn&) {}

}  // namespace

void InstallSmallMessageHandlers() {
    PacketManager::SetHandler(0x29, HandleHeldItemDropped);
    PacketManager::SetHandler(0x5C, HandleEditServerCheck);
    PacketManager::SetHandler(0x97, HandleServerMove);
    PacketManager::SetHandler(0xBD, HandleVersionQuery);
    PacketManager::SetHandler(0xBE, HandleVersionValue);
    for (unsigned id : {0x69u, 0x6Au, 0x6Du, 0x73u, 0xBBu, 0xBCu})
        PacketManager::SetHandler(id, HandleIgnored);
}

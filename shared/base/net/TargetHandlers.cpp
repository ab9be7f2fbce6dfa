// The server's target requests: a plain target cursor (0x6C), one with a
// multi shown at the cursor (0x99), one with a list of objects shown at the
// cursor (0xB4); the server's own target (0xAA); and the reply to a target
// cursor with what the player picked.
#include <vector>

#include "ByteWriter.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "net/TargetState.h"
#include "net/WorldHandlers.h"
#include "net/WorldMessageEvents.h"
#include "world/MultiTarget.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

constexpr int kObjectListEntryBytes = 10;

// The request part that every target message begins with.
void BeginTarget(int type, M_DWORD cursor) {
    g_targetCursorId = cursor;
    g_targetType = static_cast<M_BYTE>(type);
    net::App().BeginServerTarget();
}

// 0x6C: 1 type, 2 u32 cursor id, 6 cursor flag, 7-18 not read.
void HandleTargetCursor(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const int type = r.u8();
    const M_DWORD cursor = r.u32be();
    const int flag = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    BeginTarget(type, cursor);
    g_targetCursorFlag = static_cast<M_BYTE>(flag);
}

// 0x99: 1 type, 2 u32 cursor id, 6-17 not read, 18 u16 multi, 20 u16 x, y, z
// offsets.
void HandleMultiPlacement(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const int type = r.u8();
    const M_DWORD cursor = r.u32be();
    r.skip(12);
    const int multi = r.u16be();
    const M_WORD dx = r.u16be(), dy = r.u16be(), dz = r.u16be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    BeginTarget(type, cursor);
    if (g_multiTarget) LoadMultiList(g_multiTarget, multi, dx, dy, dz);
}

// 0xB4: 3 type, 4 u32 cursor id, 8 u16 base x, y, z, 14 u16 count N, 16 N
// entries of five u16 (graphic, second value, x, y, z).
void HandleObjectListPlacement(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const int type = r.u8();
    const M_DWORD cursor = r.u32be();
    const M_WORD bx = r.u16be(), by = r.u16be(), bz = r.u16be();
    const int count = r.u16be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    // The count comes from the server: it must fit the bytes that came.
    if (static_cast<size_t>(count) * kObjectListEntryBytes > r.remaining())
        return PacketManager::DropPacket(packet, "entry count beyond the message");
    std::vector<M_BYTE> records;
    ByteWriter w(records);
    for (int i = 0; i < count * 5; ++i) w.u32le(r.u16be());
    BeginTarget(type, cursor);
    if (g_multiTarget)
        LoadObjectList(g_multiTarget, count, count ? records.data() : nullptr, records.size(), bx,
                       by, bz);
}

// 0xAA: 1 u32 serial of the server's target (0 none).
void HandleServerTarget(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const M_DWORD serial = r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    const M_DWORD previous = g_serverTargetSerial;
    g_serverTargetSerial = serial;
    if (CDynamicObj* old = previous ? CObjectManager::FindObject(previous) : nullptr)
        old->Invalidate();
    CDynamicObj* now = serial ? CObjectManager::FindObject(serial) : nullptr;
    if (!now) return;
    now->Invalidate();
    net::Dialogs().SetServerTarget(serial);
}

}  // namespace

void PacketManager::SendTargetResponse(CDrawItem* picked) {
    if (!picked) return;
    M_BYTE replyType = 1;
    M_DWORD serial = 0;
    M_WORD graphic = 0;
    const int x = picked->locX, y = picked->locY, z = picked->z;
    if (picked->IsTerrain()) {
        g_lastTarget = LastTargetRecord{2, 0, x, y, z, 0};
    } else if (picked->IsObj() && picked->IsDynamic()) {
        auto* object = static_cast<CDynamicObj*>(picked);
        serial = object->GetSerial();
        graphic = object->objectType;
        replyType = 0;
        if (object != pPlayerObject) {
            if (object->IsMobile() && serial != g_lastTarget.serial)
                net::Dialogs().SetLastTarget(object);
            g_lastTarget.kind = 1;
            g_lastTarget.serial = serial;
        }
    } else if (picked->IsObj()) {
        graphic = static_cast<CObj*>(picked)->objectType;
        g_lastTarget = LastTargetRecord{3, 0, x, y, z, graphic};
    }
    PDSTRUCT reply;
    BuildTarget(&reply, replyType, g_targetCursorId, g_targetCursorFlag, serial,
                static_cast<M_WORD>(x), static_cast<M_WORD>(y), static_cast<M_WORD>(z), graphic);
    if (g_pGameSocket) g_pGameSocket->Write(&reply);
    net::App().EndTarget();
    g_targetCursorFlag = 0;
}

namespace {

// 0x6C with target type 0, serial 0, x = y = 0xFFFF, z 0, graphic 0, under
// the request's cursor id and flag.
class NetTargetMessages final : public TargetMessages {
public:
    void SendTargetCancel() override {
        PDSTRUCT reply;
        PacketManager::BuildTarget(&reply, 0, g_targetCursorId, g_targetCursorFlag, 0, 0xFFFF,
                                   0xFFFF, 0, 0);
        if (g_pGameSocket) g_pGameSocket->Write(&reply);
        net::App().EndTarget();
        g_targetCursorFlag = 0;
    }
};

}  // namespace

void InstallTargetMessages() {
    static NetTargetMessages messages;
    tw::Service<TargetMessages>::Install(&messages);
}

void RegisterTargetHandlers() {
    PacketManager::SetHandler(0x6C, HandleTargetCursor);
    PacketManager::SetHandler(0x99, HandleMultiPlacement);
    PacketManager::SetHandler(0xB4, HandleObjectListPlacement);
    PacketManager::SetHandler(0xAA, HandleServerTarget);
}

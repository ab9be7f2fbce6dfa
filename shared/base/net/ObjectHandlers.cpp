// Server messages that create, move, equip, contain, hand back and delete
// world objects, open a gump for an object or throw a missile.
//
// Every handler reads its fields through the message's bounded reader and
// drops a message that is cut short with one log line before it changes
// anything.  Counts and list ends come from the server: a list ends at its
// terminator or at the end of the message, whichever comes first.
#include "TWReport.h"
#include "config/Config.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "net/WorldHandlers.h"
#include "net/WorldMessageEvents.h"
#include "net/WorldMessageState.h"
#include "world/Player.h"

namespace {

// Takes an object out of its cell's draw list only when it is listed.
void TakeOutOfDrawList(CDrawItem* item) {
    if (item->inList) item->RemoveFromDrawList();
}

// Layers of a mobile's equipment and of a corpse's table.
bool IsWornLayer(int layer) {
    return layer >= 0 && layer < CMobile::LAYERS;
}

CMobile* AsMobile(CDynamicObj* object) {
    return object && object->IsMobile() ? static_cast<CMobile*>(object) : nullptr;
}

CContainerObj* AsContainer(CDynamicObj* object) {
    return object && object->IsContainer() ? static_cast<CContainerObj*>(object) : nullptr;
}

BOOL IsPlayerSerial(M_DWORD serial) {
    return pPlayerObject && pPlayerObject->GetSerial() == serial;
}

// A worn item that is not known yet: a container tile makes a container.
CDynamicObj* MakeWornItem(M_DWORD serial, int graphic, int increment) {
    if (CObjectManager::IsContainerTile(graphic + increment))
        return new CContainerObj(serial, graphic, increment, TRUE);
    return NewDynamicObj(serial, graphic, increment);
}

// Puts an item on a wearer that is out of the draw list; the caller takes it
// out and puts it back.  An object that names the wearer or another mobile
// can never be worn.
bool Equip(const PacketIn& packet, CMobile* wearer, CDynamicObj* item, int layer) {
    if (item == wearer || item->IsMobile()) {
        PacketManager::DropPacket(packet, "a mobile cannot be worn");
        return false;
    }
    item->ToEquipped(wearer, layer);
    return true;
}

void SendLook(M_DWORD serial) {
    if (!g_pGameSocket) return;
    static PDSTRUCT packet;
    PacketManager::BuildLook(&packet, serial);
    g_pGameSocket->Write(&packet);
}

// 0x1A: put an object in the world; optional fields are announced by high
// bits of earlier ones, and the increment comes before the amount.
void HandlePutObject(const PacketIn& packet) {
    ByteReader r = packet.fields();
    M_DWORD serial = r.u32be();
    M_WORD graphic = r.u16be();
    int increment = (graphic & 0x8000) ? r.u8() : 0;
    int amount = (serial & 0x80000000) ? r.u16be() : 1;
    M_WORD x = r.u16be();
    M_WORD y = r.u16be();
    int direction = (x & 0x8000) ? r.u8() : 0;
    int z = r.i8();
    int hue = (y & 0x8000) ? r.u16be() : 0;
    int flags = (y & 0x4000) ? r.u8() : 0;
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    serial &= 0x7FFFFFFF;
    if (IsPlayerSerial(serial)) return;
    CObjectManager::HandleMove(serial, graphic & 0x7FFF, increment, amount, x & 0x7FFF, y & 0x3FFF,
                               z, direction, hue, flags);
}

// 0x1D: delete an object.  A mobile linked to its corpse stays while it dies.
void HandleDeleteObject(const PacketIn& packet) {
    ByteReader r = packet.fields();
    M_DWORD serial = r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    CDynamicObj* object = CObjectManager::FindObject(serial);
    if (!object || object == pPlayerObject) return;
    if (object->IsMobile() && CObjectManager::IsLinked(0, serial)) return;
    if (pPlayerObject && pPlayerObject->equippedItem[0] == object)
        CObjectManager::holdingItem = FALSE;
    object->SaveOverheadText();
    object->Release();
}

// The player takes only the flags byte of a mobile message.
void ApplyPlayerFlags(int flags) {
    CPlayer* player = pPlayerObject;
    const M_BYTE old = player->statusFlags;
    if (player->inList) {
        player->RemoveFromDrawList();
        player->statusFlags = static_cast<M_BYTE>(flags);
        player->AddToDrawList();
    } else {
        player->statusFlags = static_cast<M_BYTE>(flags);
    }
    if (old != player->statusFlags) net::Dialogs().RefreshStatusGumps(player);
}

// The fields 0x77 and 0x78 begin with alike.
struct MobileHeader {
    M_DWORD serial;
    M_WORD body, x, y;
    int z, direction, hue, flags, state;
};

MobileHeader ReadMobileHeader(ByteReader& r) {
    MobileHeader m;
    m.serial = r.u32be();
    m.body = r.u16be();
    m.x = r.u16be();
    m.y = r.u16be();
    m.z = r.i8();
    m.direction = r.u8();
    m.hue = r.u16be();
    m.flags = r.u8();
    m.state = r.u8();
    return m;
}

// 0x77: a known mobile moves.
void HandleMobileMoving(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const MobileHeader m = ReadMobileHeader(r);
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    CDynamicObj* object = CObjectManager::FindObject(m.serial);
    if (!object) return;
    if (CMobile* mobile = AsMobile(object)) mobile->SetStateValue(m.state);
    if (object == pPlayerObject) return ApplyPlayerFlags(m.flags);
    CObjectManager::HandleMove(m.serial, m.body, 0, 0, m.x, m.y, m.z, m.direction, m.hue, m.flags);
}

struct WornEntry {
    M_DWORD serial;
    int graphic;
    int layer;
    int hue;
};

// 0x78: a mobile comes into view with what it wears.
void HandleMobileIncoming(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const MobileHeader m = ReadMobileHeader(r);
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    // The worn list is read whole before anything changes: it ends at a
    // serial of 0 or at the end of the message, and an entry cut short
    // drops the message.
    WornEntry worn[64];
    int wornCount = 0;
    while (r.remaining() >= 4) {
        M_DWORD itemSerial = r.u32be();
        if (itemSerial == 0) break;
        M_WORD graphic = r.u16be();
        int layer = r.u8();
        int itemHue = (graphic & 0x8000) ? r.u16be() : 0;
        if (!r.ok()) return PacketManager::DropPacket(packet, "worn item cut short");
        if (wornCount == 64) return PacketManager::DropPacket(packet, "too many worn items");
        worn[wornCount++] = {itemSerial, graphic & 0x7FFF, layer, itemHue};
    }
    if (r.remaining() > 0 && r.remaining() < 4)
        return PacketManager::DropPacket(packet, "worn item cut short");

    const BOOL knownBefore = CObjectManager::FindObject(m.serial) != nullptr;
    if (IsPlayerSerial(m.serial))
        ApplyPlayerFlags(m.flags);
    else
        CObjectManager::HandleMove(m.serial, m.body, 0, 0, m.x, m.y, m.z, m.direction, m.hue,
                                   m.flags);
    CMobile* mobile = AsMobile(CObjectManager::FindObject(m.serial));
    if (!mobile) return;
    const BOOL listed = mobile->inList;
    TakeOutOfDrawList(mobile);
    mobile->SetStateValue(m.state);
    for (int i = 0; i < wornCount; ++i) {
        const WornEntry& e = worn[i];
        if (!IsWornLayer(e.layer)) {
            TWReport::warning("worn item %08X on layer %d of %08X ignored.\n", e.serial, e.layer,
                              m.serial);
            continue;
        }
        CDynamicObj* item = CObjectManager::FindObject(e.serial);
        if (item) {
            if (item == mobile || item->IsMobile()) {
                PacketManager::DropPacket(packet, "a mobile cannot be worn");
                continue;
            }
            if (!item->inVoid) item->ToVoid();
        } else {
            item = MakeWornItem(e.serial, e.graphic, 0);
        }
        item->hue = NormalizeHue(static_cast<M_WORD>(e.hue));
        Equip(packet, mobile, item, e.layer);
    }
    if (listed || !mobile->inVoid) mobile->AddToDrawList();
    if (ShowIncomingNames && !knownBefore && !(m.flags & 0x80) && m.body != 0 &&
        mobile != pPlayerObject)
        SendLook(m.serial);
}

// 0x2E: one item worn by a mobile.
void HandleWornItem(const PacketIn& packet) {
    ByteReader r = packet.fields();
    M_DWORD serial = r.u32be();
    int graphic = r.u16be();
    int increment = r.u8();
    int layer = r.u8();
    M_DWORD wearerSerial = r.u32be();
    int hue = r.u16be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    if (!IsWornLayer(layer)) return PacketManager::DropPacket(packet, "layer out of range");
    const bool forPlayer = IsPlayerSerial(wearerSerial);
    CMobile* wearer =
        forPlayer ? pPlayerObject : AsMobile(CObjectManager::FindObject(wearerSerial));
    if (!wearer) return;
    CDynamicObj* item = CObjectManager::FindObject(serial);
    if (item) {
        if (item == wearer || item->IsMobile())
            return PacketManager::DropPacket(packet, "a mobile cannot be worn");
        if (!item->inVoid) item->ToVoid();
        // Another mobile's item keeps the graphic it has; the player's own
        // takes the new one.
        if (forPlayer) {
            item->objectType = static_cast<M_WORD>(graphic & 0x3FFF);
            item->increment = static_cast<M_BYTE>(increment);
        }
    } else {
        item = MakeWornItem(serial, graphic & 0x3FFF, increment);
    }
    item->hue = NormalizeHue(static_cast<M_WORD>(hue));
    const BOOL listed = wearer->inList;
    TakeOutOfDrawList(wearer);
    Equip(packet, wearer, item, layer);
    if (listed) wearer->AddToDrawList();
}

struct ContainerRecord {
    M_DWORD serial;
    int graphic;
    int increment;
    int amount;
    int x;
    int y;
    M_DWORD container;
    int hue;
};

ContainerRecord ReadContainerRecord(ByteReader& r) {
    ContainerRecord c;
    c.serial = r.u32be();
    c.graphic = r.u16be();
    c.increment = r.u8();
    c.amount = r.u16be();
    c.x = r.u16be();
    c.y = r.u16be();
    c.container = r.u32be();
    c.hue = r.u16be();
    return c;
}

void AddToContainer(const ContainerRecord& c) {
    CObjectManager::HandleAddToContainer(c.serial, c.graphic, c.increment, c.amount, c.x, c.y,
                                         c.container, c.hue);
}

// 0x25: one object into a container.
void HandleAddToContainer(const PacketIn& packet) {
    ByteReader r = packet.fields();
    ContainerRecord c = ReadContainerRecord(r);
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    worldmsg::containerBatch = FALSE;
    AddToContainer(c);
}

constexpr size_t kContainerRecordSize = 19;

// 0x3C: the whole contents of a container.
void HandleContainerContent(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const size_t count = r.u16be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    // The count comes from the server: no more records than arrived.
    if (count > r.remaining() / kContainerRecordSize)
        return PacketManager::DropPacket(packet, "record count past the end");
    if (count == 0) return;
    worldmsg::containerBatch = TRUE;
    ByteReader first = r;
    ContainerRecord head = ReadContainerRecord(first);
    if (CContainerObj* container = AsContainer(CObjectManager::FindObject(head.container))) {
        net::Dialogs().CloseHolderShopGump(container);
        container->ReleaseContents();
    }
    M_DWORD last = 0;
    for (size_t i = 0; i < count; ++i) {
        ContainerRecord c = ReadContainerRecord(r);
        AddToContainer(c);
        last = c.container;
    }
    worldmsg::containerBatch = FALSE;
    CContainerObj* container = AsContainer(CObjectManager::FindObject(last));
    if (container && container->containerGump) net::Dialogs().ShowContainerContents(container);
}

constexpr int kMaxCorpsePairs = 40;

// 0x89: the serials of what a corpse's body wore.
void HandleCorpseEquipment(const PacketIn& packet) {
    ByteReader r = packet.fields();
    M_DWORD serial = r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    struct Pair {
        int layer;
        M_DWORD serial;
    } pairs[kMaxCorpsePairs];
    int count = 0;
    while (count < kMaxCorpsePairs && r.remaining() > 0) {
        int layer = r.u8();
        if (layer == 0) break;
        M_DWORD item = r.u32be();
        if (!r.ok()) return PacketManager::DropPacket(packet, "pair cut short");
        pairs[count++] = {layer, item};
    }
    CDynamicObj* object = CObjectManager::FindObject(serial);
    if (!object || !object->IsCorpse()) return;
    CCorpse* corpse = static_cast<CCorpse*>(object);
    for (int i = 0; i < count; ++i)
        if (!corpse->SetLayerSerial(pairs[i].layer, pairs[i].serial))
            TWReport::warning("corpse %08X: layer %d ignored.\n", serial, pairs[i].layer);
}

// Rebuilds the held item as it was before it was picked up; null when it
// cannot be (its serial now names a mobile).
CDynamicObj* RebuildHeldItem(const HeldObject& held) {
    CDynamicObj* item = CObjectManager::FindObject(held.serial);
    if (item) {
        // The server sent the object again meanwhile: take that one back.
        if (item->IsMobile()) return nullptr;
        if (!item->inVoid) item->ToVoid();
        return item;
    }
    if (held.graphic == CORPSE_OBJ) return new CCorpse(held.serial, held.graphic);
    if (CObjectManager::IsItemObjTile(held.graphic))
        return new CItemObj(held.serial, held.graphic, held.increment, TRUE);
    if (CObjectManager::IsContainerTile(held.graphic))
        return new CContainerObj(held.serial, held.graphic, held.increment, TRUE);
    return NewDynamicObj(held.serial, held.graphic, held.increment);
}

// Puts the rebuilt item back where it was taken from; its holders are
// looked up by serial, as the server may have deleted them meanwhile.
void ReturnHeldItem(CDynamicObj* item, const HeldObject& held) {
    if (held.mobileSerial) {
        CMobile* wearer = AsMobile(CObjectManager::FindObject(held.mobileSerial));
        if (wearer && wearer != item && IsWornLayer(held.layer)) {
            const BOOL listed = wearer->inList;
            TakeOutOfDrawList(wearer);
            item->ToEquipped(wearer, held.layer);
            if (listed) wearer->AddToDrawList();
            return;
        }
    } else if (held.containerSerial) {
        CContainerObj* container = AsContainer(CObjectManager::FindObject(held.containerSerial));
        if (container && container != item && !IsContainedIn(item, container)) {
            item->ToContainer(container, Coords(held.x, held.y, held.z));
            return;
        }
    } else {
        item->ToWorld(Coords(held.x, held.y, held.z));
        return;
    }
    TWReport::warning("held item %08X: its holder is gone; released.\n", held.serial);
    item->Release();
}

// 0x27: the server refuses a pick-up; the item goes back.
void HandlePickupReject(const PacketIn& packet) {
    ByteReader r = packet.fields();
    int reason = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    static const char* const kReasons[] = {
        "You can not pick that up.",
        "That is too far away.",
        "That is out of sight.",
        "That item does not belong to you.  You'll have to steal it.",
        "You are already holding an item.",
    };
    if (!CObjectManager::holdingItem) return PacketManager::DropPacket(packet, "no item is held");
    const HeldObject held = CObjectManager::held;
    if (CDynamicObj* item = RebuildHeldItem(held)) {
        item->hue = NormalizeHue(held.hue);
        item->amount = held.amount;
        item->statusFlags = held.flags;
        ReturnHeldItem(item, held);
    }
    net::Gumps().CloseDragGump();
    CObjectManager::dragGump = nullptr;
    CObjectManager::holdingItem = FALSE;
    if (reason < 5) net::Gumps().AddSystemMessage(0, 3, kReasons[reason]);
}

// 0x28: the held item is gone.
void HandleClearHeld(const PacketIn&) {
    CObjectManager::holdingItem = FALSE;
}

// 0x2F: a value the object code reads.
void HandleValue2F(const PacketIn& packet) {
    ByteReader r = packet.fields();
    r.skip(4);
    M_DWORD value = r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    worldmsg::value2F = value;
}

constexpr int kSpellBookGump = 0xFFFF;

// 0x24: open a container's gump, a spellbook or a gump by id.
void HandleOpenContainer(const PacketIn& packet) {
    ByteReader r = packet.fields();
    M_DWORD serial = r.u32be();
    int id = r.u16be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    if (serial == 0xFFFFFFFF) return net::Gumps().OpenGump(nullptr, id, 0);
    CDynamicObj* object =
        IsPlayerSerial(serial) ? pPlayerObject : CObjectManager::FindObject(serial);
    if (id == kSpellBookGump) {
        CContainerObj* container = AsContainer(object);
        if (container && container->containerGump && net::Dialogs().RedrawContainerGump(container))
            return;
        if (object) net::Dialogs().OpenSpellBook(object);
        return;
    }
    if (id == 10 || id == 48) net::Gumps().OpenGump(object, id, 0);
    if (id == 5010 || id == 5011) {
        if (serial == 1) net::Gumps().OpenGump(object, id, 0);
        if (serial == 0) net::Dialogs().CloseRadarGump();
    }
    if (id == 500 || id == 501)
        net::Gumps().OpenGump(object, id, 0);
    else if (object && object->IsContainer())
        net::Gumps().OpenGump(object, id, 1);
}

// 0x23: a graphic thrown from a source to a target.
void HandleMissile(const PacketIn& packet) {
    ByteReader r = packet.fields();
    int graphic = r.u16be();
    graphic += r.u8();
    r.skip(4);
    M_DWORD sourceSerial = r.u32be();
    short sx = static_cast<short>(r.u16be());
    short sy = static_cast<short>(r.u16be());
    short sz = r.i8();
    M_DWORD targetSerial = r.u32be();
    short tx = static_cast<short>(r.u16be());
    short ty = static_cast<short>(r.u16be());
    short tz = r.i8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    CObj* source = sourceSerial ? AsMobile(CObjectManager::FindObject(sourceSerial)) : nullptr;
    CObj* target = targetSerial ? CObjectManager::FindObject(targetSerial) : nullptr;
    const Coords from(sx, sy, sz), to(tx, ty, tz);
    if (source && target)
        net::Gumps().LaunchMissileObjToObj(graphic, source, target, 5, 1, 0);
    else if (source)
        net::Gumps().LaunchMissileObjToPos(graphic, source, to, 5, 1, 0);
    else if (target)
        net::Gumps().LaunchMissilePosToObj(graphic, from, target, 5, 1, 0);
    else
        net::Gumps().LaunchMissilePosToPos(graphic, from, to, 5, 1, 0);
}

}  // namespace

void RegisterObjectHandlers() {
    PacketManager::SetHandler(0x1A, HandlePutObject);
    PacketManager::SetHandler(0x1D, HandleDeleteObject);
    PacketManager::SetHandler(0x77, HandleMobileMoving);
    PacketManager::SetHandler(0x78, HandleMobileIncoming);
    PacketManager::SetHandler(0x2E, HandleWornItem);
    PacketManager::SetHandler(0x25, HandleAddToContainer);
    PacketManager::SetHandler(0x3C, HandleContainerContent);
    PacketManager::SetHandler(0x89, HandleCorpseEquipment);
    PacketManager::SetHandler(0x27, HandlePickupReject);
    PacketManager::SetHandler(0x28, HandleClearHeld);
    PacketManager::SetHandler(0x2F, HandleValue2F);
    PacketManager::SetHandler(0x24, HandleOpenContainer);
    PacketManager::SetHandler(0x23, HandleMissile);
}

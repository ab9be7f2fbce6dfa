// Server messages that update the client's data files (sent by an editing
// server), the vendor shop state, the map display, and messages that are
// read and have no effect.
//
// The data-file updates act only while an editing server is configured;
// without one they are read and dropped.  Every length is checked before
// anything is converted: a group, record block or pixel block gets exactly
// the bytes that arrived.
#include <vector>

#include "ByteWriter.h"
#include "DebugHooks.h"
#include "TWReport.h"
#include "config/Config.h"
#include "net/PacketManager.h"
#include "net/WorldHandlers.h"
#include "net/WorldMessageEvents.h"
#include "resources/DHDCache.h"
#include "resources/GraphicManager.h"
#include "world/MultiManager.h"
#include "world/Player.h"
#include "world/RegionManager.h"

namespace {

bool EditServerSet() {
    return EditServerAddress != 0;
}

constexpr size_t kMultiRecordSize = 12;

// 0x92: a multi's component records.
//   3 u32 multi number, 7 u32 extra word, 11.. records of 12 bytes
void HandleMultiUpdate(const PacketIn& packet) {
    ByteReader r = packet.fields();
    M_DWORD multi = r.u32be();
    M_DWORD extra = r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    const size_t length = r.remaining();
    if (length % kMultiRecordSize != 0)
        return PacketManager::DropPacket(packet, "multi records cut short");
    if (!EditServerSet()) return;
    M_BYTE* converted = ConvertMultiRecords(r.here(), static_cast<int>(length));
    CDHDCache::AddVersionedItem(FN_MULTIIDX, FN_MULTI, static_cast<int>(multi),
                                static_cast<int>(extra), reinterpret_cast<const char*>(converted),
                                static_cast<int>(length));
    delete[] converted;
}

// 0x94: a skill's data.
//   3 u8 skill number, 4 u32 extra word, 8.. the data
void HandleSkillUpdate(const PacketIn& packet) {
    ByteReader r = packet.fields();
    int skill = r.u8();
    M_DWORD extra = r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    if (!EditServerSet()) return;
    CDHDCache::AddVersionedItem(FN_SKILLSIDX, FN_SKILLS, skill, static_cast<int>(extra),
                                reinterpret_cast<const char*>(r.here()),
                                static_cast<int>(r.remaining()));
}

constexpr int kTerrainGroups = 512;
constexpr int kItemGroupsEnd = 1024;
constexpr size_t kGroupHeader = 4;
constexpr size_t kTerrainRecord = 26;
constexpr size_t kItemRecord = 37;
constexpr int kRecordsPerGroup = 32;
constexpr size_t kNameField = 20;

// 0x41: one group of the tile data, numbers big-endian.  The group goes to
// the object manager as the file stores it (little-endian).
//   3 u32 group; 7 u32 group header; then 32 records:
//     land (groups 0..511):    u32 flags, u16 texture, 20-byte name
//     item (groups 512..1023): u32 flags, u8, u8, u32, u16, u16, u16 light,
//                              u8 height, 20-byte name
void HandleTileDataUpdate(const PacketIn& packet) {
    ByteReader r = packet.fields();
    M_DWORD group = r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    if (group >= static_cast<M_DWORD>(kItemGroupsEnd))
        return PacketManager::DropPacket(packet, "tile-data group beyond the table");
    const bool items = group >= static_cast<M_DWORD>(kTerrainGroups);
    const size_t need = kGroupHeader + kRecordsPerGroup * (items ? kItemRecord : kTerrainRecord);
    if (r.remaining() < need) return PacketManager::DropPacket(packet, "tile-data group cut short");
    if (!EditServerSet()) return;
    std::vector<M_BYTE> out;
    ByteWriter w(out);
    w.u32le(r.u32be());
    for (int i = 0; i < kRecordsPerGroup; ++i) {
        w.u32le(r.u32be());
        if (items) {
            w.u8(r.u8());
            w.u8(r.u8());
            w.u32le(r.u32be());
            w.u16le(r.u16be());
            w.u16le(r.u16be());
            w.u16le(r.u16be());
            w.u8(r.u8());
        } else {
            w.u16le(r.u16be());
        }
        w.raw(r.view(kNameField), kNameField);
    }
    if (items)
        CObjectManager::SetItemTileData(static_cast<int>(group), out.data(),
                                        static_cast<int>(out.size()));
    else
        CObjectManager::SetTerrTileData(static_cast<int>(group), out.data(),
                                        static_cast<int>(out.size()));
}

// 0x42: one art item.
//   3 u32 art number, 7 u32 second word, 11 u32 third word (0xFFFFFFFF: no
//   pixel data), 15.. the pixel data
void HandleArtUpdate(const PacketIn& packet) {
    ByteReader r = packet.fields();
    M_DWORD art = r.u32be();
    M_DWORD second = r.u32be();
    M_DWORD third = r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    if (art > 0xFFFF) return PacketManager::DropPacket(packet, "art number out of range");
    if (!EditServerSet()) return;
    const bool none = third == 0xFFFFFFFF;
    GraphicManager::UpdateArt(none ? nullptr : reinterpret_cast<const char*>(r.here()),
                              static_cast<int>(art), static_cast<int>(third),
                              static_cast<int>(second), none ? 0 : static_cast<int>(r.remaining()));
}

// 0x3B: the vendor's shop state: 1 update, 0 close.
void HandleShopState(const PacketIn& packet) {
    ByteReader r = packet.fields();
    M_DWORD vendor = r.u32be();
    int action = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    CDynamicObj* object = CObjectManager::FindObject(vendor);
    if (!object || !object->IsMobile()) return;
    if (action == 0 || action == 1)
        net::Dialogs().UpdateShopGumps(static_cast<CMobile*>(object), action);
}

constexpr int kFirstCourseArt = 5021;

// 0x90: a map item's course gump.
void HandleMapDisplay(const PacketIn& packet) {
    ByteReader r = packet.fields();
    M_DWORD serial = r.u32be();
    int art = r.u16be();
    M_WORD words[6];
    for (M_WORD& word : words) word = r.u16be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    CDynamicObj* object = CObjectManager::FindObject(serial);
    if (object && object->IsItemObj() && art >= kFirstCourseArt)
        net::Dialogs().OpenCourseGump(static_cast<CItemObj*>(object), art, words);
}

constexpr size_t kIgnored3FEntry = 7;

// 0x3F: read, no effect.  u32 at 3, then u32 count, u32, count entries of
// 7 bytes.
void HandleIgnored3F(const PacketIn& packet) {
    ByteReader r = packet.fields();
    r.u32be();
    M_DWORD count = r.u32be();
    r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    if (count > r.remaining() / kIgnored3FEntry)
        return PacketManager::DropPacket(packet, "entry count past the end");
}

// 0x40, 0x43, 0x44: fixed records that are read and have no effect; the
// framing has checked their length.
void HandleIgnored(const PacketIn&) {}

// 0x57: one region record, read into a cleared record and discarded; the
// region table stays as it is.
void HandleRegionUpdate(const PacketIn& packet) {
    ByteReader r = packet.fields();
    RegionRecord record;
    r.fixedString(record.name, sizeof record.name, RegionRecord::NAME_LENGTH);
    r.u32be();
    record.x = r.i16be();
    record.y = r.i16be();
    record.width = r.i16be();
    record.height = r.i16be();
    record.lowZ = r.i16be();
    record.highZ = r.i16be();
    r.u32be();
    r.fixedString(record.secondName, sizeof record.secondName, RegionRecord::NAME_LENGTH);
    record.value1 = r.u16be();
    record.value2 = r.u16be();
    record.value3 = r.u16be();
    record.value4 = r.u8();
    record.value5 = r.u16be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
}

}  // namespace

void RegisterDataUpdateHandlers() {
    PacketManager::SetHandler(0x92, HandleMultiUpdate);
    PacketManager::SetHandler(0x94, HandleSkillUpdate);
    PacketManager::SetHandler(0x41, HandleTileDataUpdate);
    PacketManager::SetHandler(0x42, HandleArtUpdate);
    PacketManager::SetHandler(0x3B, HandleShopState);
    PacketManager::SetHandler(0x90, HandleMapDisplay);
    PacketManager::SetHandler(0x3F, HandleIgnored3F);
    PacketManager::SetHandler(0x40, HandleIgnored);
    PacketManager::SetHandler(0x43, HandleIgnored);
    PacketManager::SetHandler(0x44, HandleIgnored);
    PacketManager::SetHandler(0x57, HandleRegionUpdate);
}

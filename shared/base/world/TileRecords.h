// The records of "tiledata.mul" field by field, and the names' articles;
// shared by the readers and writers of the tile tables.
#pragma once

#include "ByteReader.h"
#include "ByteWriter.h"
#include "world/ObjectManager.h"

namespace tiledata {

constexpr const char* kFile = "tiledata.mul";
constexpr int kLandRecord = 26;
constexpr int kItemRecord = 37;
constexpr int kHeader = 4;
constexpr int kLandGroup = kHeader + TILES_PER_GROUP * kLandRecord;  // 836
constexpr int kItemGroup = kHeader + TILES_PER_GROUP * kItemRecord;  // 1188
constexpr long kItemPart = static_cast<long>(TILE_GROUPS) * kLandGroup;
constexpr int kNameLength = 20;

inline void ReadName(ByteReader& r, char* name) {
    r.bytes(name, kNameLength);
    name[kNameLength] = 0;
}

inline TerrainTileData ReadLand(ByteReader& r) {
    TerrainTileData t = {};
    t.flags = r.u32le();
    t.texture = r.u16le();
    ReadName(r, t.name);
    return t;
}

inline ItemTileData ReadItem(ByteReader& r) {
    ItemTileData t = {};
    t.flags = r.u32le();
    t.fieldA = r.u8();
    t.fieldB = r.u8();
    t.field32 = r.u32le();
    t.fieldC = r.u16le();
    t.fieldD = r.u16le();
    t.light = r.u16le();
    t.height = r.u8();
    ReadName(r, t.name);
    return t;
}

inline void WriteLand(ByteWriter& w, const TerrainTileData& t) {
    w.u32le(t.flags);
    w.u16le(t.texture);
    w.raw(t.name, kNameLength);
}

inline void WriteItem(ByteWriter& w, const ItemTileData& t) {
    w.u32le(t.flags);
    w.u8(t.fieldA);
    w.u8(t.fieldB);
    w.u32le(t.field32);
    w.u16le(t.fieldC);
    w.u16le(t.fieldD);
    w.u16le(t.light);
    w.u8(t.height);
    w.raw(t.name, kNameLength);
}

// The article of a name by its flags ("a ", "an ", "the " or none).
inline const char* Article(M_DWORD flags) {
    switch (flags & TILE_ARTICLE_MASK) {
        case 0x4000:
            return "a ";
        case 0x8000:
            return "an ";
        case 0xC000:
            return "the ";
        default:
            return "";
    }
}

}  // namespace tiledata

// "tiledata.mul": the item and land tile tables, reading them, their names,
// and the groups a version patch replaces (in memory only).
//
// The file (little-endian) is a land part followed by an item part, each
// 512 groups of {u32 header, 32 records}; the reader skips the headers.
//
//   land group, 836 bytes            item group, 1188 bytes
//     0  u32 header                    0  u32 header
//     4  32 records of 26 bytes:       4  32 records of 37 bytes:
//          0  u32 flags                     0  u32 flags
//          4  u16 texture                   4  u8  field A (below 91: movable)
//          6  char name[20]                 5  u8  field B
//                                           6  u32 (low half: a static's amount)
//                                          10  u16 field C
//                                          12  u16 field D (a static's hue)
//                                          14  u16 light number
//                                          16  u8  height
//                                          17  char name[20]
//
// The item part starts at 512 * 836 = 428032.  A 20-character name has no
// terminator in the file; the tables always keep one.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "FileManager.h"
#include "TWReport.h"
#include "world/ObjectManager.h"
#include "world/TileRecords.h"

using namespace tiledata;

ItemTileData* CObjectManager::itemTiles = nullptr;
TerrainTileData* CObjectManager::terrainTiles = nullptr;
int CObjectManager::itemTileCount = 0;
int CObjectManager::terrainTileCount = 0;

namespace {

// Appends the plural or the singular ending of a "%plural/singular%"
// segment; without '/' the segment is the plural ending alone.
void AppendSegment(std::string& out, const char* begin, const char* end, BOOL plural) {
    const char* slash = static_cast<const char*>(memchr(begin, '/', end - begin));
    if (plural)
        out.append(begin, slash ? slash : end);
    else if (slash)
        out.append(slash + 1, end);
}

}  // namespace

const ItemTileData& CObjectManager::ItemTile(int tile) {
    static const ItemTileData none = {};
    if (!itemTiles || tile < 0 || tile >= itemTileCount) return none;
    return itemTiles[tile];
}

const TerrainTileData& CObjectManager::TerrainTile(int tile) {
    static const TerrainTileData none = {};
    if (!terrainTiles || tile < 0 || tile >= terrainTileCount) return none;
    return terrainTiles[tile];
}

BOOL CObjectManager::IsItemObjTile(int tile) {
    return (ItemTile(tile).flags & TILE_ITEM_OBJ) != 0;
}

BOOL CObjectManager::IsContainerTile(int tile) {
    return (ItemTile(tile).flags & TILE_CONTAINER) != 0;
}

void CObjectManager::LoadTileData() {
    FILE* fp = FileManager::open(kFile, "rb");
    if (!fp) {
        TWReport::error("CObjectManager::SetItemTileData: cannot open '%s'.\n", kFile);
        return;
    }
    std::vector<M_BYTE> bytes;
    M_BYTE chunk[8192];
    size_t n;
    while ((n = FileManager::read(chunk, 1, sizeof chunk, fp)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    FileManager::close(fp);

    // A short file leaves the records it does not hold at zero.
    ByteReader r(bytes.data(), bytes.size());
    for (int i = 0; i < terrainTileCount; ++i) {
        if (i % TILES_PER_GROUP == 0) r.skip(kHeader);
        terrainTiles[i] = ReadLand(r);
    }
    for (int i = 0; i < itemTileCount; ++i) {
        if (i % TILES_PER_GROUP == 0) r.skip(kHeader);
        itemTiles[i] = ReadItem(r);
    }
    if (!r.ok())
        TWReport::warning("CObjectManager::LoadTileData: '%s' is short (%zu bytes).\n", kFile,
                          bytes.size());
}

void CObjectManager::PatchTileDataGroup(int group, const M_BYTE* records, int length) {
    ByteReader r(records, records && length > 0 ? static_cast<size_t>(length) : 0);
    if (group >= 0 && group < TILE_GROUPS && terrainTiles &&
        length >= TILES_PER_GROUP * kLandRecord) {
        for (int i = 0; i < TILES_PER_GROUP; ++i)
            terrainTiles[group * TILES_PER_GROUP + i] = ReadLand(r);
    } else if (group >= TILE_GROUPS && group < 2 * TILE_GROUPS && itemTiles &&
               length >= TILES_PER_GROUP * kItemRecord) {
        for (int i = 0; i < TILES_PER_GROUP; ++i)
            itemTiles[(group - TILE_GROUPS) * TILES_PER_GROUP + i] = ReadItem(r);
    } else {
        TWReport::warning("CObjectManager::PatchTileDataGroup: group %d (%d bytes) refused.\n",
                          group, length);
    }
}

const char* CObjectManager::GetTileName(int tile, BOOL plural) {
    static char buffer[64];
    const ItemTileData& t = ItemTile(tile);
    std::string out = plural ? "" : Article(t.flags);
    const char* p = t.name;
    const char* end = t.name + strlen(t.name);
    while (p < end) {
        if (*p != '%') {
            out.push_back(*p++);
            continue;
        }
        const char* close = static_cast<const char*>(memchr(p + 1, '%', end - (p + 1)));
        const char* segmentEnd = close ? close : end;
        AppendSegment(out, p + 1, segmentEnd, plural);
        p = close ? close + 1 : end;
    }
    snprintf(buffer, sizeof buffer, "%s", out.c_str());
    return buffer;
}

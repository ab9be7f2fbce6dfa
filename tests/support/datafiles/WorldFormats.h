// World files: "tiledata.mul", the map and statics blocks, multis,
// "regions.mul", "multimap.rle" and the light maps.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "support/datafiles/DataFile.h"

namespace tw::datafiles {

// ---- "tiledata.mul" --------------------------------------------------------
// Terrain part: 512 groups of {u32 header, 32 land records}, then the item
// part: 512 groups of {u32 header, 32 item records}.
//
// Land record, 26 bytes:            Item record, 37 bytes:
//   0  u32 flags                      0  u32 flags
//   4  u16 texture number             4  u8  field A (below 91: movable)
//   6  char name[20]                  5  u8  field B
//                                     6  u32 32-bit field (low half: amount)
//                                     10 u16 field C
//                                     12 u16 field D (hue of a map static)
//                                     14 u16 light number
//                                     16 u8  height
//                                     17 char name[20]
struct LandTile {
    M_DWORD flags = 0;
    M_WORD texture = 0;
    std::string name;
};
struct ItemTile {
    M_DWORD flags = 0;
    M_BYTE fieldA = 0;
    M_BYTE fieldB = 0;
    M_DWORD field32 = 0;
    M_WORD fieldC = 0;
    M_WORD fieldD = 0;
    M_WORD light = 0;
    M_BYTE height = 0;
    std::string name;
};
constexpr int kTileCount = 16384;
constexpr int kLandRecordSize = 26;
constexpr int kItemRecordSize = 37;
constexpr int kLandGroupSize = 836;
constexpr int kItemGroupSize = 1188;
constexpr int kItemPartOffset = 428032;

struct TileData {
    std::vector<LandTile> land = std::vector<LandTile>(kTileCount);
    std::vector<ItemTile> items = std::vector<ItemTile>(kTileCount);

    // Group g of 32 records as stored in the file: u32 header then the records.
    // Also the payload of a tile-data patch in "verdata.mul" (land groups
    // 0-511; item group g is patch index 512 + g).
    Bytes landGroup(int group, M_DWORD header = 0) const;
    Bytes itemGroup(int group, M_DWORD header = 0) const;
    Bytes bytes() const;
};

// ---- map and statics ------------------------------------------------------
// "map0.mul": fixed blocks of 196 bytes, block number (x >> 3) * 512 + (y >> 3):
//   0  u32 header
//   4  64 cells of {u16 land tile, i8 z}, cell (cx, cy) at 4 + (cy * 8 + cx) * 3
// Statics ("staidx0.mul" / "statics0.mul", item = block number): 7-byte
// records {u16 graphic, u8 x in block, u8 y in block, i8 z, u16 hue}.
//
// MapBuilder covers the first xBlocks columns of blocks (x below 8 x xBlocks,
// every y): the file is short, and blocks past its end are absent.
constexpr int kMapBlockSize = 196;
constexpr int kMapBlocksPerColumn = 512;
struct StaticTile {
    M_WORD graphic = 0;
    int x = 0;  // world cell
    int y = 0;
    std::int8_t z = 0;
    M_WORD hue = 0;
};
class MapBuilder {
public:
    explicit MapBuilder(int xBlocks, M_WORD tile = 3, std::int8_t z = 0);
    int width() const { return xBlocks_ * 8; }
    void setCell(int x, int y, M_WORD tile, std::int8_t z);
    void addStatic(const StaticTile& s);
    static int BlockNumber(int x, int y) { return (x >> 3) * kMapBlocksPerColumn + (y >> 3); }
    Bytes mapBytes() const;
    IndexedPair statics() const;

private:
    struct Cell {
        M_WORD tile;
        std::int8_t z;
    };
    int xBlocks_;
    std::vector<Cell> cells_;  // x-major: index x * 4096 + y
    std::map<int, std::vector<StaticTile>> statics_;
};

// ---- multis ---------------------------------------------------------------
// A multi item ("multi.mul", found through "multi.idx"): 12-byte records
//   {u16 graphic, i16 x, i16 y, i16 z, u32 flags}; record 0 is the multi's
// own graphic, later records with flags 1 are its components.
struct MultiPart {
    M_WORD graphic = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t z = 0;
    M_DWORD flags = 1;
};
Bytes EncodeMulti(const std::vector<MultiPart>& parts);

// ---- "regions.mul" ----------------------------------------------------------
struct Region {
    std::string name;
    M_WORD slot = 0;
    std::int16_t x = 0, y = 0, width = 0, height = 0, lowZ = 0, highZ = 0;
    std::int32_t word = 0;
    std::string secondName;
    M_WORD value1 = 0, value2 = 0, value3 = 0;
    M_BYTE value4 = 0;
    M_WORD value5 = 0;
};
enum class RegionLayout {
    // u16 0xFACF, then 112-byte records: name[40] at 0, u16 slot at 40, six
    // i16 (x, y, width, height, low z, high z) at 42, 2 padding, i32 at 56,
    // second name[40] at 60, u16 values 1-3 at 100, u8 value 4 at 106,
    // 1 padding, u16 value 5 at 108, 2 padding.
    Padded112,
    // u16 0xFACF, then the same fields one after another with nothing between
    // them (107 bytes).
    Packed,
    // u16 0xFACE, then name[40], u16 slot, six i16, i32, second name[40],
    // u16 value 1, u16 value 2, u8 value 4 (103 bytes).
    Face103,
    // No version word: name[40], u16 slot, six i16, i32 (58 bytes).
    Unversioned58,
};
Bytes EncodeRegions(const std::vector<Region>& regions, RegionLayout layout);

// ---- "multimap.rle" ---------------------------------------------------------
//   0  u32 columns W
//   4  u32 rows H
//   8  runs over the W x H cells row by row: byte n | 0x80 = n land cells,
//      n = n cells without land (n 1..127)
Bytes EncodeMultimap(int columns, int rows, const std::vector<bool>& land);

// ---- light maps -------------------------------------------------------------
// "lightidx.mul": 12-byte records {u32 offset in "light.mul", u32 length,
// u16 width, u16 height}; "light.mul": width x height signed bytes per light.
// Lights not given get {0, 0, 0, 0}.
struct LightMap {
    int width = 0;
    int height = 0;
    std::vector<std::int8_t> values;
};
struct LightFiles {
    Bytes index;
    Bytes data;
};
LightFiles EncodeLights(const std::map<int, LightMap>& lights, int count = 100);

}  // namespace tw::datafiles

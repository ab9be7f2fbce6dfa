// The map and statics blocks, read from their bytes.
//
//   map block ("map0.mul", fixed 196 bytes, block (x >> 3) * 512 + (y >> 3)):
//     0   u32 header, not read
//     4   64 cells of 3 bytes, cell (cx, cy) at 4 + (cy * 8 + cx) * 3:
//         u16 land tile, i8 height
//   statics block (through "staidx0.mul" / "statics0.mul", same numbering):
//     7-byte records: u16 graphic, u8 x in the block (0..7), u8 y in the
//     block (0..7), i8 height, u16 hue
//
// The bytes come from the installation: a block shorter than its record
// holds only the cells it has whole, a statics block whose length is not a
// multiple of 7 is cut to whole records, a record whose place lies outside
// its block is dropped, and a graphic beyond the item tiles reads as 1.
#pragma once

#include <cstddef>
#include <vector>

#include "TWTypes.h"

constexpr int MAP_BLOCK_SIZE = 196;
constexpr int STATIC_RECORD_SIZE = 7;

struct LandCell {
    M_WORD tile = 0;
    signed char z = 0;
};

// Cell (cx, cy) (0..7 each) of a map block; FALSE, with an empty cell, when
// the block is null or does not hold that cell whole.
BOOL ReadLandCell(const M_BYTE* block, size_t size, int cx, int cy, LandCell* out);

struct StaticRecord {
    M_WORD graphic;
    int x;  // 0..7 within the block
    int y;
    signed char z;
    M_WORD hue;
};

// The statics of a block, in file order; the records refused are counted
// in *dropped when it is given.
void ReadStaticsBlock(const M_BYTE* data, size_t size, std::vector<StaticRecord>* out,
                      int* dropped = nullptr);

// Animation files: "animinfo.mul", "animdata.mul" and the mobile animations
// of "anim.idx"/"anim.mul".
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "support/datafiles/DataFile.h"

namespace tw::datafiles {

// "animinfo.mul": 1000 entries of two bytes, entry after entry, one per body.
// Bodies not given are {4, 2}.
Bytes EncodeAnimInfo(const std::map<int, std::pair<M_BYTE, M_BYTE>>& bodies);

// One "animdata.mul" record, 68 bytes:
//   0   i8 frames[64]   graphic offsets added to the item's id per frame
//   64  u8 current frame index
//   65  u8 frame count
//   66  u8 frame interval (ticks per frame; 0 = not animated)
//   67  u8 start offset
struct AnimDataRecord {
    std::array<std::int8_t, 64> frames{};
    M_BYTE current = 0;
    M_BYTE frameCount = 0;
    M_BYTE interval = 0;
    M_BYTE start = 0;
};
constexpr int kAnimDataRecordSize = 68;
constexpr int kAnimDataGroupSize = 548;  // u32 header + 8 records
constexpr int kAnimDataGroups = 2048;

// A group: u32 header, then 8 records.  Also the payload of an animation
// patch in "verdata.mul".
Bytes EncodeAnimDataGroup(const std::array<AnimDataRecord, 8>& eight, M_DWORD header = 0);
// "animdata.mul": `groups` groups; item id n is records[n] when given.
Bytes EncodeAnimData(const std::map<int, AnimDataRecord>& records, int groups = kAnimDataGroups);

// One frame of a mobile animation: 8-bit colour indexes (0 = hole) and the
// anchor (the point the drawers place on the mobile's foot position).
struct AnimFrame {
    int anchorX = 0;
    int anchorY = 0;
    int width = 0;
    int height = 0;
    std::vector<M_BYTE> indexes;  // width x height
};

// An animation item:
//   0     u16 colours[256]
//   512   u32 frame count
//   516   u32 offset per frame, counted from the frame count field (0 = none)
//   frame u16 centre x (the anchor's column), u16 centre y (the anchor's row
//         less the height, signed), u16 width, u16 height, then runs:
//         u32 header (length bits 0-11, signed 10-bit y offset from the anchor
//         at bit 12, signed 10-bit x offset at bit 22), length index bytes;
//         0x7FFF7FFF ends the frame.  Runs come in order of increasing y.
Bytes EncodeAnimation(const std::array<M_WORD, 256>& colours, const std::vector<AnimFrame>& frames);

}  // namespace tw::datafiles

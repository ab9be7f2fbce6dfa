// Animation frames: checked reading and the frame hit test.
#include "view/AnimFrames.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kColoursBytes = 2 * kAnimColours;
constexpr size_t kFrameHeader = 8;

M_DWORD ReadU32(const M_BYTE* p) {
    return static_cast<M_DWORD>(p[0]) | static_cast<M_DWORD>(p[1]) << 8 |
           static_cast<M_DWORD>(p[2]) << 16 | static_cast<M_DWORD>(p[3]) << 24;
}

}  // namespace

M_WORD AnimFrame::ColourAt(int index) const {
    const M_BYTE* p = reinterpret_cast<const M_BYTE*>(colours) + 2 * (index & 0xFF);
    return static_cast<M_WORD>(p[0] | p[1] << 8);
}

int AnimFrameCount(const M_BYTE* item, size_t size) {
    if (!item || size < kColoursBytes + 4) return 0;
    const M_DWORD count = ReadU32(item + kColoursBytes);
    // The offsets must fit behind the count.
    if (count > (size - kColoursBytes - 4) / 4) return 0;
    return static_cast<int>(count);
}

BOOL ReadAnimFrame(const M_BYTE* item, size_t size, int index, AnimFrame* frame) {
    *frame = AnimFrame{};
    const int count = AnimFrameCount(item, size);
    if (index < 0 || index >= count) return FALSE;
    const size_t base = kColoursBytes;  // offsets count from the count field
    const M_DWORD offset = ReadU32(item + base + 4 + 4 * static_cast<size_t>(index));
    if (offset == 0) return FALSE;
    const size_t at = base + offset;
    if (offset > size || at + kFrameHeader > size) return FALSE;
    ByteReader r(item + at, size - at);
    AnimFrame f;
    f.item = item;
    f.colours = reinterpret_cast<const M_WORD*>(item);
    f.centreX = r.i16le();
    f.centreY = r.i16le();
    f.width = r.u16le();
    f.height = r.u16le();
    f.runs = item + at + kFrameHeader;
    // Every run up to the end marker must lie inside the item.
    for (;;) {
        const M_DWORD header = r.u32le();
        if (!r.ok()) return FALSE;
        if (header == kFrameEnd) break;
        if (!r.view(header & 0xFFF)) return FALSE;
    }
    f.runBytes = r.offset() - kFrameHeader;
    *frame = f;
    return TRUE;
}

BOOL HitFrameRuns(int px, int py, BOOL flipped, int ax, int ay, const AnimFrame& frame) {
    BOOL hit = FALSE;
    ForEachRun(frame, [&](const FrameRun& run) {
        const int row = ay + run.dy;
        if (row > py) return false;
        const int start = flipped ? ax - run.dx - run.length : ax + run.dx;
        if (row == py && px >= start && px < start + run.length) {
            hit = TRUE;
            return false;
        }
        return true;
    });
    return hit;
}

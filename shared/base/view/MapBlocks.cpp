#include "view/MapBlocks.h"

#include "ByteReader.h"

namespace {

constexpr int kBlockHeader = 4;
constexpr int kCellSize = 3;
// Item graphics end here; a graphic beyond reads as graphic 1.
constexpr int kItemTiles = 16384;

}  // namespace

BOOL ReadLandCell(const M_BYTE* block, size_t size, int cx, int cy, LandCell* out) {
    *out = LandCell{};
    if (!block || cx < 0 || cx > 7 || cy < 0 || cy > 7) return FALSE;
    const size_t at = kBlockHeader + static_cast<size_t>(cy * 8 + cx) * kCellSize;
    if (at + kCellSize > size) return FALSE;
    ByteReader r(block + at, kCellSize);
    out->tile = r.u16le();
    out->z = static_cast<signed char>(r.i8());
    return TRUE;
}

void ReadStaticsBlock(const M_BYTE* data, size_t size, std::vector<StaticRecord>* out,
                      int* dropped) {
    out->clear();
    int refused = 0;
    if (data) {
        const size_t records = size / STATIC_RECORD_SIZE;  // whole records only
        if (records * STATIC_RECORD_SIZE != size) ++refused;
        ByteReader r(data, records * STATIC_RECORD_SIZE);
        for (size_t i = 0; i < records; ++i) {
            StaticRecord s;
            s.graphic = r.u16le();
            s.x = r.u8();
            s.y = r.u8();
            s.z = static_cast<signed char>(r.i8());
            s.hue = r.u16le();
            if (s.x > 7 || s.y > 7) {
                ++refused;
                continue;
            }
            if (s.graphic >= kItemTiles) s.graphic = 1;
            out->push_back(s);
        }
    }
    if (dropped) *dropped = refused;
}

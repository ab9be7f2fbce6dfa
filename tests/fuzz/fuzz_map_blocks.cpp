// A map block and a statics block over arbitrary bytes: the first two bytes
// give the map block's length, the map block follows, the rest is the
// statics block.  Every cell of the map block and every static is read; a
// static must come out inside its block and within the item tiles.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "view/MapBlocks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    size_t mapSize = static_cast<size_t>(data[0] | data[1] << 8);
    data += 2;
    size -= 2;
    if (mapSize > size) mapSize = size;
    unsigned sum = 0;
    for (int cy = 0; cy < 8; ++cy)
        for (int cx = 0; cx < 8; ++cx) {
            LandCell cell;
            if (ReadLandCell(data, mapSize, cx, cy, &cell)) sum += cell.tile + cell.z;
        }
    std::vector<StaticRecord> statics;
    int dropped = 0;
    ReadStaticsBlock(data + mapSize, size - mapSize, &statics, &dropped);
    for (const StaticRecord& s : statics)
        if (s.x < 0 || s.x > 7 || s.y < 0 || s.y > 7 || s.graphic >= 16384) abort();
    if (statics.size() * 7 > size - mapSize) abort();
    return sum == 0xFFFFFFFF;
}

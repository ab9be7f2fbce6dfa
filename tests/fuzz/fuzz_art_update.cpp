// Art updates from the server over arbitrary bytes: the item is stored as a
// new version in the art files (a land tile of 2048 bytes, or static art
// sized by its own header) and read back as the client reads art: a land
// tile expanded to 44 x 44 pixels, static art measured and read pixel by
// pixel.  The same bytes are also expanded as a land tile directly.  The
// first seven bytes: the art id (u16), the length flag (0xFF: the item is
// removed) and the extra word (u32).  The art files start small again for
// every input, so that stored items never pile up.
#include <cstdint>

#include "fuzz/FuzzSupport.h"
#include "fuzz/ResourceFuzz.h"
#include "resources/DHDCache.h"
#include "resources/GraphicManager.h"
#include "resources/SkipDraw.h"
#include "support/datafiles/DataFiles.h"

namespace {

constexpr int kFirstStaticArt = 16384;

void ResetArtFiles() {
    for (FileNumber file : {FN_ARTIDX, FN_ART}) {
        CDHDCache::FlushFile(file);
        CDHDCache::UnmapFile(file);
        tw::datafiles::WriteBytes(CDHDCache::GetFileName(file), tw::datafiles::Bytes(24, 0x11));
        CDHDCache::RemapFile(file);
    }
}

unsigned ReadLandTile(const M_BYTE* item, int size) {
    M_WORD tile[44 * 44];
    unsigned sum = ExpandLandTile(item, size, tile) ? 1 : 0;
    for (M_WORD pixel : tile) sum += pixel;
    return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = (tw::fuzz::StartResourceCache(false), true);
    (void)started;
    if (size < 7) return 0;
    ResetArtFiles();
    const int id = data[0] | data[1] << 8;
    const int lengthFlag = data[2] == 0xFF ? -1 : 0;
    const int extra = static_cast<int>(data[3] | data[4] << 8 | data[5] << 16 |
                                       static_cast<uint32_t>(data[6]) << 24);
    const char* body = reinterpret_cast<const char*>(data + 7);
    const int length = static_cast<int>(size - 7);
    GraphicManager::UpdateArt(body, id, lengthFlag, extra, length);

    unsigned sum = ReadLandTile(data + 7, length);
    int itemSize = 0, itemExtra = 0;
    const M_BYTE* item = CDHDCache::GetCacheItem(FN_ARTIDX, FN_ART, id, &itemSize, &itemExtra);
    if (id < kFirstStaticArt) {
        sum += ReadLandTile(item, item ? itemSize : 0);
    } else {
        int width = 0, height = 0;
        GraphicManager::GetArtSize(id, &width, &height);
        const SkipImage image = GetArtData(id);
        for (int row = -1; image && row <= height && row < 48; ++row)
            for (int col = -1; col <= width && col < 48; ++col) sum += GetArtPixel(image, col, row);
    }
    return sum == 0xFFFFFFFF;
}

// Index/data lookups over arbitrary index and data files, on the hard disk
// and through the CD block cache.  Input: u16 length of the index file, the
// index file, then the data file.
#include <cstdint>

#include "fuzz/FuzzSupport.h"
#include "fuzz/ResourceFuzz.h"
#include "resources/DHDCache.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = (tw::fuzz::StartResourceCache(true), true);
    (void)started;
    if (size < 2) return 0;
    size_t indexSize = data[0] | size_t(data[1]) << 8;
    if (indexSize > size - 2) indexSize = size - 2;
    const uint8_t* index = data + 2;
    const uint8_t* items = index + indexSize;
    const size_t itemsSize = size - 2 - indexSize;

    struct Pair {
        FileNumber idx, dat;
        const char* idxName;
        const char* datName;
    } pairs[] = {{FN_ARTIDX, FN_ART, "cd/artidx.mul", "cd/art.mul"},
                 {FN_GUMPIDX, FN_GUMPART, "gumpidx.mul", "gumpart.mul"}};
    for (const Pair& p : pairs) {
        // Never rewrite a file while it is mapped.
        CDHDCache::FlushFile(p.idx);
        CDHDCache::FlushFile(p.dat);
        CDHDCache::UnmapFile(p.idx);
        CDHDCache::UnmapFile(p.dat);
        tw::fuzz::WriteInputFile(p.idxName, index, indexSize);
        tw::fuzz::WriteInputFile(p.datName, items, itemsSize);
        CDHDCache::RemapFile(p.idx);
        CDHDCache::RemapFile(p.dat);
    }
    const int records = int(indexSize / 12) + 2;
    unsigned sum = 0;
    for (const Pair& p : pairs)
        for (int i = -1; i < records; ++i) {
            int itemSize = 0, extra = 0;
            const unsigned char* item = CDHDCache::GetCacheItem(p.idx, p.dat, i, &itemSize, &extra);
            if (item) sum += tw::fuzz::Touch(item, itemSize);
            sum += tw::fuzz::Touch(CDHDCache::GetItemData(p.idx, i), 12);
        }
    return sum == 0xFFFFFFFF;
}

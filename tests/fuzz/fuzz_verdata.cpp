// "verdata.mul" over arbitrary bytes: the records are applied, handed to
// their owners and then looked up.
#include <cstdint>

#include "ByteReader.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/ResourceFuzz.h"
#include "resources/DHDCache.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = (tw::fuzz::StartResourceCache(false), true);
    (void)started;
    if (!tw::fuzz::WriteInputFile("verdata.mul", data, size)) return 0;
    LoadVersionFile();

    // Look up what the records name, and a few neighbours.
    unsigned sum = 0;
    ByteReader r(data, size);
    r.skip(4);
    for (int n = 0; n < 64 && r.has(20); ++n) {
        int file = r.i32le();
        int index = r.i32le();
        r.skip(12);
        for (int pair = 1; pair < CDHDCache::NUM_FILES; pair += 2) {
            int itemSize = 0, extra = 0;
            if (file == pair + 1 || n < 2)
                sum += tw::fuzz::Touch(
                    CDHDCache::GetCacheItem(pair, pair + 1, index, &itemSize, &extra), itemSize);
        }
        if (file == FN_MAP0) sum += tw::fuzz::Touch(CDHDCache::GetItemData(FN_MAP0, index), 196);
        if (file >= 1 && file < CDHDCache::NUM_FILES && file % 2 == 1)
            sum += tw::fuzz::Touch(CDHDCache::GetItemData(file, index), 12);
    }
    return sum == 0xFFFFFFFF;
}

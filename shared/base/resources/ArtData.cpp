// The fetch of static-art items for the run-length drawers.
#include "resources/DHDCache.h"
#include "resources/SkipDraw.h"

namespace {
// "artidx.mul" and "art.mul".
constexpr FileNumber kArtIndexFile = 3;
constexpr FileNumber kArtDataFile = 4;
}  // namespace

SkipImage GetArtData(int id) {
    int size = 0, extra = 0;
    const M_BYTE* data = CDHDCache::GetCacheItem(kArtIndexFile, kArtDataFile, id, &size, &extra);
    if (!data || size <= 0) return SkipImage{};
    return SkipImage{data, size};
}

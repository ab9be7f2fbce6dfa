// The fetch of static-art items for the run-length drawers.
#include "resources/DHDCache.h"
#include "resources/SkipDraw.h"

SkipImage GetArtData(int id) {
    int size = 0, extra = 0;
    const M_BYTE* data = CDHDCache::GetCacheItem(FN_ARTIDX, FN_ART, id, &size, &extra);
    if (!data || size <= 0) return SkipImage{};
    return SkipImage{data, size};
}

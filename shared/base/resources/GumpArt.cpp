// Gump-art items through the data-file cache.
#include "resources/GumpArt.h"
#include "resources/DHDCache.h"

GumpArtItem GetGumpArtItem(int id) {
    int size = 0, extra = 0;
    const M_BYTE* data = CDHDCache::GetCacheItem(FN_GUMPIDX, FN_GUMPART, id, &size, &extra);
    GumpArtItem item;
    if (!data || size <= 0) return item;
    item.data = data;
    item.size = size;
    item.width = static_cast<int>((static_cast<M_DWORD>(extra) >> 16) & 0xFFFF);
    item.height = static_cast<int>(static_cast<M_DWORD>(extra) & 0xFFFF);
    return item;
}

int GetGumpArtSize(int id, int* width, int* height) {
    const GumpArtItem item = GetGumpArtItem(id);
    if (width) *width = item.width;
    if (height) *height = item.height;
    return item.height;
}

void DrawGumpArt(SpanHandler handler, int id, int x, int y, const BlitTarget& target) {
    DrawGumpArtItem(handler, GetGumpArtItem(id), x, y, target);
}

void DrawGumpPixels(SpanHandler handler, int id, int x, int y, const BlitTarget& target) {
    DrawGumpArtItem(handler, GetGumpArtItem(id), x, y, target);
}

M_WORD GumpArtHitTest(int id, int x, int y) {
    return GumpArtItemPixel(GetGumpArtItem(id), x, y);
}

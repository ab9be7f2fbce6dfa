#include "resources/DHDCache.h"
#include "pending/Pending.h"

void CDHDCache::startup() {
    TW_PENDING("CDHDCache::startup");
}
void CDHDCache::shutdown() {
    TW_PENDING("CDHDCache::shutdown");
}
void CDHDCache::Init() {
    TW_PENDING("CDHDCache::Init");
}

const unsigned char* CDHDCache::GetItemData(FileNumber, int) {
    TW_PENDING("CDHDCache::GetItemData");
    return nullptr;
}

const unsigned char* CDHDCache::GetCacheItem(FileNumber, FileNumber, int, int* size, int* extra) {
    TW_PENDING("CDHDCache::GetCacheItem");
    *size = 0;
    *extra = 0;
    return nullptr;
}

void LoadVersionFile() {
    TW_PENDING("LoadVersionFile");
}

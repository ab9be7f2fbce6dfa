// Item lookups: patches first, then the mapped file directly (hard disk) or
// through the block cache (CD).
#include <cstring>

#include "ByteReader.h"
#include "TWReport.h"
#include "resources/DHDCacheState.h"

using namespace dhdcache;

namespace {

bool direct(int file) {
    return g.files[file].onHardDisk || !g.cache;
}

// A fixed-size file's items in one cache block: B items starting at the
// block's first index.
const M_BYTE* cacheIn(int file, int index) {
    if (!g.cache) {
        TWReport::warning("CDHDCache::CacheIn: code would have crashed. returning 0 instead.\n");
        return nullptr;
    }
    const int per = kFiles[file].itemsPerBlock;
    const int size = kFiles[file].itemSize;
    const int start = per > 1 ? index - index % per : index;
    const int bytes = per > 1 ? per * size : size;
    int h = GetCacheSpace(file, start, bytes);
    if (h < 0) return nullptr;
    M_BYTE* block = g.cache + Hdr(h, H_OFFSET);
    CopyBlockFromFile(file, std::int64_t(start) * size, bytes, block);
    AddLookup(file, start, h, FALSE);
    return block + std::int64_t(size) * (index - start);
}

const M_BYTE* cacheInItem(int dataFile, int index, std::int32_t offset, std::int32_t length) {
    int h = GetCacheSpace(dataFile, index, length);
    if (h < 0) return nullptr;
    M_BYTE* block = g.cache + Hdr(h, H_OFFSET);
    CopyBlockFromFile(dataFile, offset, length, block);
    AddLookup(dataFile, index, h, FALSE);
    return block;
}

const M_BYTE* getDataPointer(int dataFile, int index, std::int32_t offset, std::int32_t length) {
    if (direct(dataFile)) return g.files[dataFile].base + offset;
    int node = FindLookup(dataFile, index);
    if (node >= 0) return ItemInBlock(node, index);
    return cacheInItem(dataFile, index, offset, length);
}

void reportBadRecord(int indexFile, int index, std::int32_t offset, std::int32_t length) {
    MappedFile& f = g.files[indexFile];
    if (f.reportedBadRecord) return;
    f.reportedBadRecord = true;
    TWReport::warning(
        "CDHDCache::GetCacheItem: record %d of '%s' (offset %d, length %d) lies "
        "outside its data file. such items are treated as absent.\n",
        index, kFiles[indexFile].name, offset, length);
}

}  // namespace

const M_BYTE* CDHDCache::GetItemData(FileNumber file, int index) {
    if (!ValidFile(file)) return nullptr;
    const int size = kFiles[file].itemSize;
    if (size <= 0) return nullptr;
    if (const PatchNode* p = FindPatch(file, index)) return p->length == 0 ? nullptr : p->payload;
    const MappedFile& f = g.files[file];
    if (!f.base || index < 0 || (std::int64_t(index) + 1) * size > std::int64_t(f.length))
        return nullptr;
    if (direct(file)) return f.base + std::int64_t(index) * size;
    const int per = kFiles[file].itemsPerBlock;
    int node = FindLookup(file, per > 1 ? index - index % per : index);
    if (node >= 0) return ItemInBlock(node, index);
    return cacheIn(file, index);
}

const M_BYTE* CDHDCache::GetCacheItem(FileNumber indexFile, FileNumber dataFile, int index,
                                      int* size, int* extra) {
    *size = 0;
    *extra = 0;
    if (!ValidFile(indexFile) || !ValidFile(dataFile) ||
        kFiles[indexFile].itemSize != INDEX_RECORD_SIZE)
        return nullptr;
    if (const PatchNode* p = FindPatch(dataFile, index)) {
        *size = p->length;
        *extra = p->extra;
        return p->length == 0 ? nullptr : p->payload;
    }
    const MappedFile& idx = g.files[indexFile];
    if (!idx.base) {
        TWReport::warning(direct(indexFile) ? "CDHDCache::GetCacheItem(1): code would have "
                                              "crashed. returning 0 instead.\n"
                                            : "CDHDCache::GetCacheItem(2): code would have "
                                              "crashed. returning 0 instead.\n");
        return nullptr;
    }
    if (index < 0 || (std::int64_t(index) + 1) * INDEX_RECORD_SIZE > std::int64_t(idx.length))
        return nullptr;
    const M_BYTE* record = direct(indexFile) ? idx.base + std::int64_t(index) * INDEX_RECORD_SIZE
                                             : GetItemData(indexFile, index);
    if (!record) {
        TWReport::warning(
            "CDHDCache::GetCacheItem(2): code would have crashed. returning 0 "
            "instead.\n");
        return nullptr;
    }
    // Copy the record out: caching the item may evict the block it lies in.
    ByteReader fields(record, INDEX_RECORD_SIZE);
    const std::int32_t offset = fields.i32le();
    const std::int32_t length = fields.i32le();
    *extra = fields.i32le();
    if (offset < 0 || length <= 0) return nullptr;
    const MappedFile& data = g.files[dataFile];
    if (std::int64_t(offset) + length > std::int64_t(data.length)) {
        if (data.base) reportBadRecord(indexFile, index, offset, length);
        return nullptr;
    }
    const M_BYTE* item = getDataPointer(dataFile, index, offset, length);
    if (item) *size = length;
    return item;
}

// The block cache of a CD install: the three header lists of the cache file,
// the lookup table of cached blocks, and the compaction of the file.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "ErrorMessage.h"
#include "FileManager.h"
#include "MMF.h"
#include "TWReport.h"
#include "resources/DHDCacheState.h"

namespace dhdcache {

namespace {

int& bucket(int file, int firstIndex) {
    return g.lookup[size_t(file) * kLookupBuckets + (firstIndex & (kLookupBuckets - 1))];
}

// List helpers over the header fields; head and tail live in the cache header.
void unlink(int h, CacheField head, CacheField tail) {
    int next = Hdr(h, H_NEXT);
    int prev = Hdr(h, H_PREV);
    if (prev >= 0)
        SetHdr(prev, H_NEXT, next);
    else
        SetCache(head, next);
    if (next >= 0)
        SetHdr(next, H_PREV, prev);
    else
        SetCache(tail, prev);
    SetHdr(h, H_NEXT, -1);
    SetHdr(h, H_PREV, -1);
}

void pushFront(int h, CacheField head, CacheField tail) {
    int first = Cache(head);
    SetHdr(h, H_PREV, -1);
    SetHdr(h, H_NEXT, first);
    if (first >= 0)
        SetHdr(first, H_PREV, h);
    else
        SetCache(tail, h);
    SetCache(head, h);
}

// Links h into the free list between prev and next (either may be -1).
void linkBetween(int h, int prev, int next) {
    SetHdr(h, H_PREV, prev);
    SetHdr(h, H_NEXT, next);
    if (prev >= 0)
        SetHdr(prev, H_NEXT, h);
    else
        SetCache(C_FREE_HEAD, h);
    if (next >= 0)
        SetHdr(next, H_PREV, h);
    else
        SetCache(C_FREE_TAIL, h);
}

std::int64_t end(int h) {
    return std::int64_t(Hdr(h, H_OFFSET)) + Hdr(h, H_LENGTH);
}

int firstFit(int size) {
    for (int h = Cache(C_FREE_HEAD); h >= 0; h = Hdr(h, H_NEXT))
        if (Hdr(h, H_LENGTH) >= size) return h;
    return -1;
}

}  // namespace

void InitLookup() {
    g.lookup.assign(size_t(CDHDCache::NUM_FILES) * kLookupBuckets, -1);
    g.nodes.assign(size_t(g.numHeaders), LookupNode{});
    for (int i = 0; i < g.numHeaders; ++i) g.nodes[i].next = i + 1 < g.numHeaders ? i + 1 : -1;
    g.freeNode = g.numHeaders > 0 ? 0 : -1;
}

void WriteInitialHeaders() {
    const int n = g.numHeaders;
    TWReport::print("1.\n");
    SetCache(C_USED_HEAD, -1);
    SetCache(C_USED_TAIL, -1);
    TWReport::print("2.\n");
    SetCache(C_FREE_HEAD, 0);
    SetCache(C_FREE_TAIL, 0);
    TWReport::print("3.\n");
    SetCache(C_SPARE_HEAD, n > 1 ? 1 : -1);
    SetCache(C_SPARE_TAIL, n > 1 ? n - 1 : -1);
    TWReport::print("4.\n");
    SetHdr(0, H_LENGTH, static_cast<std::int32_t>(g.cacheSize - g.dataOffset));
    TWReport::print("5.\n");
    SetHdr(0, H_FILE, -1);
    TWReport::print("6.\n");
    SetHdr(0, H_OFFSET, static_cast<std::int32_t>(g.dataOffset));
    TWReport::print("7.\n");
    SetHdr(0, H_NEXT, -1);
    TWReport::print("8.\n");
    SetHdr(0, H_PREV, -1);
    TWReport::print("9.\n");
    SetHdr(0, H_FIRST, -1);
    TWReport::print("10.\n");
    for (int h = 1; h < n; ++h) {
        SetHdr(h, H_LENGTH, 0);
        SetHdr(h, H_FILE, -1);
        SetHdr(h, H_OFFSET, 0);
        SetHdr(h, H_FIRST, -1);
    }
    TWReport::print("11.\n");
    TWReport::print("12. numBlockHeaders=%d\n", n);
    for (int h = 1; h < n; ++h) {
        SetHdr(h, H_NEXT, h + 1 < n ? h + 1 : -1);
        SetHdr(h, H_PREV, h > 1 ? h - 1 : -1);
    }
    TWReport::print("13.\n");
    TWReport::print("14.\n");
    TWReport::print("15.\n");
}

void LookupInUseBlocks() {
    for (int h = Cache(C_USED_HEAD); h >= 0; h = Hdr(h, H_NEXT))
        AddLookup(Hdr(h, H_FILE), Hdr(h, H_FIRST), h, FALSE);
}

int TakeSpareHeader() {
    int h = Cache(C_SPARE_HEAD);
    if (h >= 0) unlink(h, C_SPARE_HEAD, C_SPARE_TAIL);
    return h;
}

void PutSpareHeader(int h) {
    SetHdr(h, H_LENGTH, 0);
    SetHdr(h, H_FILE, -1);
    SetHdr(h, H_FIRST, -1);
    pushFront(h, C_SPARE_HEAD, C_SPARE_TAIL);
}

void TouchBlock(int h) {
    if (Cache(C_USED_HEAD) == h) return;
    unlink(h, C_USED_HEAD, C_USED_TAIL);
    pushFront(h, C_USED_HEAD, C_USED_TAIL);
}

int ReleaseBlock(int h) {
    int next = Cache(C_FREE_HEAD);
    while (next >= 0 && Hdr(next, H_OFFSET) <= Hdr(h, H_OFFSET)) next = Hdr(next, H_NEXT);
    int prev = next >= 0 ? Hdr(next, H_PREV) : Cache(C_FREE_TAIL);
    if (prev >= 0 && end(prev) == Hdr(h, H_OFFSET)) {
        SetHdr(prev, H_LENGTH, Hdr(prev, H_LENGTH) + Hdr(h, H_LENGTH));
        PutSpareHeader(h);
        if (next >= 0 && end(prev) == Hdr(next, H_OFFSET)) {
            SetHdr(prev, H_LENGTH, Hdr(prev, H_LENGTH) + Hdr(next, H_LENGTH));
            unlink(next, C_FREE_HEAD, C_FREE_TAIL);
            PutSpareHeader(next);
        }
        return prev;
    }
    if (next >= 0 && end(h) == Hdr(next, H_OFFSET)) {
        SetHdr(next, H_OFFSET, Hdr(h, H_OFFSET));
        SetHdr(next, H_LENGTH, Hdr(next, H_LENGTH) + Hdr(h, H_LENGTH));
        PutSpareHeader(h);
        return next;
    }
    SetHdr(h, H_FILE, -1);
    SetHdr(h, H_FIRST, -1);
    linkBetween(h, prev, next);
    return h;
}

int EvictOldestBlock() {
    int h = Cache(C_USED_TAIL);
    if (h < 0) {
        ErrorMessage(
            "Cache is entirely filled with versioned data.  Please increase your cache size, or "
            "buy an updated cd.",
            "Caching Error", TRUE);
        return -1;
    }
    RemoveLookup(Hdr(h, H_FILE), Hdr(h, H_FIRST));
    unlink(h, C_USED_HEAD, C_USED_TAIL);
    return ReleaseBlock(h);
}

int GetCacheSpace(int file, int firstIndex, int size) {
    if (!g.cache) {
        TWReport::warning(
            "CDHDCache::GetCacheSpace: code would have crashed. returning 0 "
            "instead.\n");
        return -1;
    }
    if (size <= 0 || size > g.cacheSize - g.dataOffset) {
        TWReport::warning(
            "CDHDCache::GetCacheSpace: item %d of '%s' (%d bytes) does not fit "
            "into the cache. treated as absent.\n",
            firstIndex, kFiles[file].name, size);
        return -1;
    }
    // Evicting may merge the block found into a neighbour, so the search
    // starts again after every eviction.
    int h = -1;
    for (;;) {
        h = firstFit(size);
        if (h >= 0 && (Hdr(h, H_LENGTH) == size || Cache(C_SPARE_HEAD) >= 0)) break;
        if (Cache(C_USED_TAIL) < 0 && h >= 0) {
            TWReport::warning(
                "CDHDCache::GetCacheSpace: no spare block header. item %d of '%s' "
                "is not cached.\n",
                firstIndex, kFiles[file].name);
            return -1;
        }
        if (EvictOldestBlock() < 0) return -1;
    }
    if (Hdr(h, H_LENGTH) == size) {
        unlink(h, C_FREE_HEAD, C_FREE_TAIL);
    } else {
        int s = TakeSpareHeader();
        SetHdr(s, H_OFFSET, static_cast<std::int32_t>(end(h) - size));
        SetHdr(s, H_LENGTH, size);
        SetHdr(h, H_LENGTH, Hdr(h, H_LENGTH) - size);
        h = s;
    }
    pushFront(h, C_USED_HEAD, C_USED_TAIL);
    SetHdr(h, H_FILE, file);
    SetHdr(h, H_FIRST, firstIndex);
    return h;
}

int FindLookup(int file, int firstIndex) {
    if (g.lookup.empty()) return -1;
    for (int n = bucket(file, firstIndex); n >= 0; n = g.nodes[n].next)
        if (g.nodes[n].file == file && g.nodes[n].firstIndex == firstIndex) return n;
    return -1;
}

void AddLookup(int file, int firstIndex, int header, BOOL pinned) {
    int n = g.freeNode;
    if (n < 0) return;  // never: there is a node per header
    g.freeNode = g.nodes[n].next;
    int& head = bucket(file, firstIndex);
    g.nodes[n] = LookupNode{file, firstIndex, header, pinned, head, -1};
    if (head >= 0) g.nodes[head].prev = n;
    head = n;
}

void FreeLookupNode(int n) {
    LookupNode& node = g.nodes[n];
    if (node.prev >= 0)
        g.nodes[node.prev].next = node.next;
    else
        bucket(node.file, node.firstIndex) = node.next;
    if (node.next >= 0) g.nodes[node.next].prev = node.prev;
    node = LookupNode{-1, -1, -1, FALSE, g.freeNode, -1};
    g.freeNode = n;
}

void RemoveLookup(int file, int firstIndex) {
    int n = FindLookup(file, firstIndex);
    if (n >= 0) FreeLookupNode(n);
}

const M_BYTE* ItemInBlock(int node, int index) {
    const LookupNode& n = g.nodes[node];
    if (!n.pinned) TouchBlock(n.header);
    const M_BYTE* p = g.cache + Hdr(n.header, H_OFFSET);
    int itemSize = kFiles[n.file].itemSize;
    if (index != n.firstIndex && itemSize > 0) p += std::int64_t(index - n.firstIndex) * itemSize;
    return p;
}

void FlushItemBlock(int file, int index) {
    if (!g.cache || g.files[file].onHardDisk) return;
    int per = kFiles[file].itemsPerBlock;
    int first = per > 1 ? index - index % per : index;
    int n = FindLookup(file, first);
    if (n < 0) return;
    int h = g.nodes[n].header;
    unlink(h, C_USED_HEAD, C_USED_TAIL);
    FreeLookupNode(n);
    ReleaseBlock(h);
}

}  // namespace dhdcache

using namespace dhdcache;

void CDHDCache::FlushFile(FileNumber file) {
    if (!g.cache || !ValidFile(file)) return;
    int h = Cache(C_USED_HEAD);
    while (h >= 0) {
        int next = Hdr(h, H_NEXT);
        if (Hdr(h, H_FILE) == file) {
            RemoveLookup(file, Hdr(h, H_FIRST));
            unlink(h, C_USED_HEAD, C_USED_TAIL);
            ReleaseBlock(h);
        }
        h = next;
    }
}

void CDHDCache::ClearLookup() {
    if (g.nodes.empty()) return;
    InitLookup();
}

void CDHDCache::LinkLookupNode(FileNumber file, int firstIndex, int header, BOOL pinned) {
    if (!g.cache || !ValidFile(file) || header < 0 || header >= g.numHeaders) return;
    AddLookup(file, firstIndex, header, pinned);
}

void CDHDCache::ReOrderCache() {
    if (!g.cache) return;
    ClearLookup();
    char orderName[1100];
    snprintf(orderName, sizeof orderName, "%scache.ord", FileManager::getHDPath());
    if (!WriteZeroFile(orderName, g.cacheSize)) {
        TWReport::error("CDHDCache::ReOrderCache: cannot write '%s'. cache left as it is.\n",
                        orderName);
        remove(orderName);
        LookupInUseBlocks();
        return;
    }
    CMMF_Wr* order = new CMMF_Wr(orderName, static_cast<int>(g.cacheSize));
    M_BYTE* to = static_cast<M_BYTE*>(order->Open());
    if (!to) {
        TWReport::error("CDHDCache::ReOrderCache: cannot map '%s'. cache left as it is.\n",
                        orderName);
        delete order;
        remove(orderName);
        LookupInUseBlocks();
        return;
    }
    M_BYTE* from = g.cache;

    // Build the new layout in the new file, reading the old one.
    M_BYTE* old = g.cache;
    g.cache = to;
    std::int64_t offset = g.dataOffset;
    int count = 0;
    int prevNew = -1;
    SetCache(C_USED_HEAD, -1);
    for (int h = Get32(old + 4 * C_USED_HEAD); h >= 0;) {
        const M_BYTE* oh = old + kCacheHeaderSize + std::int64_t(h) * kBlockHeaderSize;
        std::int32_t length = Get32(oh + 4 * H_LENGTH);
        memcpy(to + offset, from + Get32(oh + 4 * H_OFFSET), static_cast<size_t>(length));
        SetHdr(count, H_LENGTH, length);
        SetHdr(count, H_FILE, Get32(oh + 4 * H_FILE));
        SetHdr(count, H_OFFSET, static_cast<std::int32_t>(offset));
        SetHdr(count, H_FIRST, Get32(oh + 4 * H_FIRST));
        SetHdr(count, H_PREV, prevNew);
        SetHdr(count, H_NEXT, -1);
        if (prevNew >= 0)
            SetHdr(prevNew, H_NEXT, count);
        else
            SetCache(C_USED_HEAD, count);
        prevNew = count++;
        offset += length;
        h = Get32(oh + 4 * H_NEXT);
    }
    SetCache(C_USED_TAIL, prevNew);
    int firstSpare = count;
    if (offset < g.cacheSize && count < g.numHeaders) {
        SetHdr(count, H_LENGTH, static_cast<std::int32_t>(g.cacheSize - offset));
        SetHdr(count, H_FILE, -1);
        SetHdr(count, H_OFFSET, static_cast<std::int32_t>(offset));
        SetHdr(count, H_FIRST, -1);
        SetHdr(count, H_NEXT, -1);
        SetHdr(count, H_PREV, -1);
        SetCache(C_FREE_HEAD, count);
        SetCache(C_FREE_TAIL, count);
        ++firstSpare;
    } else {
        SetCache(C_FREE_HEAD, -1);
        SetCache(C_FREE_TAIL, -1);
    }
    SetCache(C_SPARE_HEAD, firstSpare < g.numHeaders ? firstSpare : -1);
    SetCache(C_SPARE_TAIL, firstSpare < g.numHeaders ? g.numHeaders - 1 : -1);
    for (int s = firstSpare; s < g.numHeaders; ++s) {
        SetHdr(s, H_LENGTH, 0);
        SetHdr(s, H_FILE, -1);
        SetHdr(s, H_OFFSET, 0);
        SetHdr(s, H_FIRST, -1);
        SetHdr(s, H_NEXT, s + 1 < g.numHeaders ? s + 1 : -1);
        SetHdr(s, H_PREV, s > firstSpare ? s - 1 : -1);
    }

    delete order;
    delete g.cacheFile;
    g.cacheFile = nullptr;
    g.cache = nullptr;
    // The rename replaces the old file in one step; when it fails the old
    // file is still whole and is mapped again as it was.
    if (rename(orderName, g.cacheName) != 0) {
        TWReport::error(
            "CDHDCache::ReOrderCache: cannot rename '%s' to '%s'. cache left as it "
            "is.\n",
            orderName, g.cacheName);
        remove(orderName);
    }
    g.cacheFile = new CMMF_Wr(g.cacheName, static_cast<int>(g.cacheSize));
    g.cache = static_cast<M_BYTE*>(g.cacheFile->Open());
    if (!g.cache) {
        TWReport::error(
            "CDHDCache::ReOrderCache: cannot map '%s' again. reading the CD files without a "
            "cache.\n",
            g.cacheName);
        delete g.cacheFile;
        g.cacheFile = nullptr;
        return;
    }
    LookupInUseBlocks();
}

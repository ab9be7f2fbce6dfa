// Internal state of the data-file cache, shared by its source files.
//
// The block cache file ("cache0.tw"), all fields i32 little-endian:
//   0    CacheHeader (24 bytes): in-use head (most recently used), in-use
//        tail, free head, free tail, spare head, spare tail; -1 = empty
//   24   N BlockHeaders of 24 bytes: length, file number, offset of the
//        block's bytes in the cache file, next, previous, first item index
//   24 + N * 24   the data area, to the end of the file
// Every header is on exactly one list: in use (most recently used first),
// free (by offset, neighbours merged) or spare (no block).  With S
// megabytes: N = S * 4000 headers, the file is S * 1,000,000 bytes.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "ByteReader.h"
#include "TWTypes.h"
#include "resources/DHDCache.h"

class CMMF;
class CMMF_Wr;

namespace dhdcache {

// The data-file table: name, items per cache block, item size (-1 =
// variable, reached through its index file).
struct FileInfo {
    const char* name;
    int itemsPerBlock;
    int itemSize;
};
extern const FileInfo kFiles[CDHDCache::NUM_FILES];

inline bool ValidFile(int file) {
    return file >= 0 && file < CDHDCache::NUM_FILES;
}

struct MappedFile {
    CMMF* mmf = nullptr;
    const M_BYTE* base = nullptr;  // null: unmapped, every item absent
    size_t length = 0;
    bool onHardDisk = false;
    bool reportedBadRecord = false;  // one warning per file for corrupt index records
    char path[1024] = "";
};

// One record of "verdata.mul" that replaces an item of a data file.
struct PatchNode {
    int index;
    const M_BYTE* payload;
    int length;
    int extra;
    int next;  // index into the patch pool, -1 ends the chain
};
constexpr int kPatchBuckets = 1024;

// A cached block, found through bucket (first index & 0xFFF) of its file.
struct LookupNode {
    int file;
    int firstIndex;
    int header;
    BOOL pinned;
    int next;
    int prev;
};
constexpr int kLookupBuckets = 4096;

enum HeaderField { H_LENGTH = 0, H_FILE, H_OFFSET, H_NEXT, H_PREV, H_FIRST };
enum CacheField {
    C_USED_HEAD = 0,
    C_USED_TAIL,
    C_FREE_HEAD,
    C_FREE_TAIL,
    C_SPARE_HEAD,
    C_SPARE_TAIL
};
constexpr int kCacheHeaderSize = 24;
constexpr int kBlockHeaderSize = 24;

struct State {
    bool started = false;
    bool initialised = false;
    char cacheName[1024] = "";
    MappedFile files[CDHDCache::NUM_FILES];

    // Patches.
    CMMF* verdata = nullptr;
    std::vector<PatchNode> patches;
    std::vector<int> patchBuckets;  // NUM_FILES * kPatchBuckets heads

    // Block cache (CD install only).
    CMMF_Wr* cacheFile = nullptr;
    M_BYTE* cache = nullptr;  // null: no block cache
    std::int64_t cacheSize = 0;
    int numHeaders = 0;
    std::int64_t dataOffset = 0;
    std::vector<LookupNode> nodes;
    int freeNode = -1;
    std::vector<int> lookup;  // NUM_FILES * kLookupBuckets heads
};
extern State g;

// Little-endian fields of the mapped cache file and of index records; the
// callers have checked that the four bytes lie inside their file.
inline std::int32_t Get32(const M_BYTE* p) {
    return ByteReader(p, 4).i32le();
}
inline void Put32(M_BYTE* p, std::int32_t v) {
    auto u = static_cast<M_DWORD>(v);
    p[0] = static_cast<M_BYTE>(u);
    p[1] = static_cast<M_BYTE>(u >> 8);
    p[2] = static_cast<M_BYTE>(u >> 16);
    p[3] = static_cast<M_BYTE>(u >> 24);
}
inline std::int32_t Cache(CacheField f) {
    return Get32(g.cache + 4 * f);
}
inline void SetCache(CacheField f, std::int32_t v) {
    Put32(g.cache + 4 * f, v);
}
inline std::int32_t Hdr(int h, HeaderField f) {
    return Get32(g.cache + kCacheHeaderSize + std::int64_t(h) * kBlockHeaderSize + 4 * f);
}
inline void SetHdr(int h, HeaderField f, std::int32_t v) {
    Put32(g.cache + kCacheHeaderSize + std::int64_t(h) * kBlockHeaderSize + 4 * f, v);
}

// Block cache operations (DHDCacheBlocks.cpp).
int GetCacheSpace(int file, int firstIndex, int size);
int EvictOldestBlock();
int ReleaseBlock(int h);
void TouchBlock(int h);
void FlushItemBlock(int file, int index);
void AddLookup(int file, int firstIndex, int header, BOOL pinned);
int FindLookup(int file, int firstIndex);
void RemoveLookup(int file, int firstIndex);
void FreeLookupNode(int node);
const M_BYTE* ItemInBlock(int node, int index);
int TakeSpareHeader();
void PutSpareHeader(int h);
void WriteInitialHeaders();
void LookupInUseBlocks();
void InitLookup();

// Patch table (VersionFile.cpp).
const PatchNode* FindPatch(int file, int index);
void ClearPatches();

// Mapping (DHDCacheFiles.cpp).
bool MapFile(int file, const char* path, bool onHardDisk);
void UnmapFileState(int file);
bool CopyBlockFromFile(int file, std::int64_t from, std::int64_t want, M_BYTE* to);
// Creates path as size zero bytes; false when not all of them reached the
// file (a mapping that reaches past a file's end faults when touched there).
bool WriteZeroFile(const char* path, std::int64_t size);

}  // namespace dhdcache

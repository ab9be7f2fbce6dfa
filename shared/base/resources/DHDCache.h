// The resources folder (library tw_resources): the client's road to the
// installed game data files and what is decoded from them: the data-file
// cache, hues, art and animation data, fonts and the blitters.  It uses the
// base services and the configuration only.
//
// CDHDCache (here) is the only reader of the seventeen indexed data files:
// it maps each file into memory, keeps a block cache file for files that come
// from the CD, and lays the version patches of "verdata.mul" over every
// lookup.  Its neighbours in this folder own what the patches replace besides
// items: the hue table (HueManager.h), the animation data (AnimData.h) and
// the bitmap fonts (FontManager.h).  What lives above the resources hears of
// a patch through PatchOwners.h: the tile data of the world model, and the
// draw lists that show changed art.  GraphicManager.h holds the global
// drawing state (its screen update is the view's, reached through
// ScreenUpdate.h), ArtRemap.h the art id remapping.
//
// Every lookup is bounded: an index outside the index file, a record whose
// bytes lie outside the data file, a negative offset or length, or a file
// that could not be mapped makes the item absent (null, size 0).  The pointer
// returned lies in mapped memory and stays valid until the next lookup that
// may evict a cache block, or an AddVersionedItem on that file.
//
// All state lives for the process (startup to shutdown); main thread only.
#pragma once

#include "TWTypes.h"

class CMMF;

// The installed data files, by number.  Index files hold 12-byte records
// {i32 offset (negative: absent), i32 length, i32 extra}; the pairs are
// (index, data): (1, 2), (3, 4), (5, 6), (7, 8), (9, 10), (11, 12), (13, 14),
// (15, 16).
using FileNumber = int;
constexpr FileNumber FN_MAP0 = 0;        // "map0.mul", blocks of 196 bytes
constexpr FileNumber FN_STAIDX0 = 1;     // "staidx0.mul"
constexpr FileNumber FN_STATICS0 = 2;    // "statics0.mul"
constexpr FileNumber FN_ARTIDX = 3;      // "artidx.mul"
constexpr FileNumber FN_ART = 4;         // "art.mul"
constexpr FileNumber FN_ANIMIDX = 5;     // "anim.idx"
constexpr FileNumber FN_ANIM = 6;        // "anim.mul"
constexpr FileNumber FN_SOUNDIDX = 7;    // "soundidx.mul"
constexpr FileNumber FN_SOUND = 8;       // "sound.mul"
constexpr FileNumber FN_TEXIDX = 9;      // "texidx.mul"
constexpr FileNumber FN_TEXMAPS = 10;    // "texmaps.mul"
constexpr FileNumber FN_GUMPIDX = 11;    // "gumpidx.mul"
constexpr FileNumber FN_GUMPART = 12;    // "gumpart.mul"
constexpr FileNumber FN_MULTIIDX = 13;   // "multi.idx"
constexpr FileNumber FN_MULTI = 14;      // "multi.mul"
constexpr FileNumber FN_SKILLSIDX = 15;  // "skills.idx"
constexpr FileNumber FN_SKILLS = 16;     // "skills.mul"

class CDHDCache {
public:
    static constexpr int NUM_FILES = 17;
    static constexpr int INDEX_RECORD_SIZE = 12;
    // The cache file's limits: its offsets are 32-bit, so at most this many
    // megabytes.
    static constexpr int MAX_CACHE_MEGABYTES = 2000;

    static void startup();
    // Builds the cache file (CD install) and maps the data files; once.
    static void Init();
    static void shutdown();

    // Item `index` of a variable-size file through its index file; null and
    // size 0 when absent.  The extra word is stored whenever the index record
    // could be read.
    static const M_BYTE* GetCacheItem(FileNumber indexFile, FileNumber dataFile, int index,
                                      int* size, int* extra);
    // Item `index` of a fixed-size file (a map block, an index record); null
    // when absent or removed by a patch.
    static const M_BYTE* GetItemData(FileNumber file, int index);

    // Writes a new version of an item into an installed pair; size below 1
    // marks it absent.  Only pairs whose files are both on the hard disk can
    // be written; failures are logged and the files stay mapped.
    static void AddVersionedItem(FileNumber indexFile, FileNumber dataFile, int index, int extra,
                                 const char* data, int size);
    // The same for one item of a fixed-size file, inside the file.
    static void AddVersionedItem(FileNumber file, int index, const char* data);

    // Compacts the cache file: the blocks in use move to the front in the
    // order of their last use.
    static void ReOrderCache();

    // The mapped-file object of a file; fatal for a number above 16.
    static CMMF* GetCDFile(FileNumber file);

    // Maintenance: release the cached blocks of a file, drop every lookup
    // node, map a file again, close its mapping.
    static void FlushFile(FileNumber file);
    static void ClearLookup();
    static void RemapFile(FileNumber file);
    static void UnmapFile(FileNumber file);

    // Enters a lookup node for the in-use block `header` with a pinned flag.
    static void LinkLookupNode(FileNumber file, int firstIndex, int header, BOOL pinned);

    static const char* GetFileName(FileNumber file);
    static bool IsOnHardDisk(FileNumber file);
    static const char* GetCacheFileName();

    // Test support: unmaps everything, removes no file, forgets all state.
    static void reset();
};

// Reads "verdata.mul" (with UseVerData on) and applies its records: items of
// the data files, and groups of tile data, animation data, hues and fonts.
void LoadVersionFile();

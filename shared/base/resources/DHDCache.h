// The data-file cache: the one road to the installed game data files.  Only
// what its callers use so far is declared here.
#pragma once

// The data files by number, in index/data pairs.
using FileNumber = int;

class CDHDCache {
public:
    static void startup();
    static void shutdown();
    // Maps the data files (and builds the cache file of a CD install).
    static void Init();
    // Item index of a fixed-size file (a 12-byte index record, for one), or
    // null when it is absent.
    static const unsigned char* GetItemData(FileNumber file, int index);
    // Item index of a variable-size file and its length and extra word, or
    // null (size 0) when it is absent.
    static const unsigned char* GetCacheItem(FileNumber indexFile, FileNumber dataFile, int index,
                                             int* size, int* extra);
};

// Applies the version patches of "verdata.mul".
void LoadVersionFile();

// The data-file table, start-up, the mapping of the data files and the
// building of the cache file.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "ErrorMessage.h"
#include "FileManager.h"
#include "MMF.h"
#include "TWReport.h"
#include "resources/DHDCacheState.h"
#include "resources/ResourceSettings.h"

namespace dhdcache {

const FileInfo kFiles[CDHDCache::NUM_FILES] = {
    {"map0.mul", 1, 196},     {"staidx0.mul", 4096, 12},  {"statics0.mul", 1, -1},
    {"artidx.mul", 4096, 12}, {"art.mul", 1, -1},         {"anim.idx", 4096, 12},
    {"anim.mul", 1, -1},      {"soundidx.mul", 4096, 12}, {"sound.mul", 1, -1},
    {"texidx.mul", 4096, 12}, {"texmaps.mul", 1, -1},     {"gumpidx.mul", 4096, 12},
    {"gumpart.mul", 1, -1},   {"multi.idx", 4096, 12},    {"multi.mul", 1, -1},
    {"skills.idx", 256, 12},  {"skills.mul", 1, -1},
};

State g;

bool MapFile(int file, const char* path, bool onHardDisk) {
    MappedFile& f = g.files[file];
    UnmapFileState(file);
    snprintf(f.path, sizeof f.path, "%s", path);
    f.onHardDisk = onHardDisk;
    f.mmf = new CMMF(f.path);
    f.base = static_cast<const M_BYTE*>(f.mmf->Open());
    // An empty or unmappable file stays unmapped: all its items are absent.
    f.length = f.base ? static_cast<size_t>(f.mmf->getLength()) : 0;
    return f.base != nullptr;
}

void UnmapFileState(int file) {
    MappedFile& f = g.files[file];
    delete f.mmf;
    f.mmf = nullptr;
    f.base = nullptr;
    f.length = 0;
}

bool WriteZeroFile(const char* path, std::int64_t size) {
    FILE* f = FileManager::openAbsolute(path, "wb");
    if (!f) return false;
    static const M_BYTE zeros[65536] = {};
    std::int64_t written = 0;
    while (written < size) {
        size_t piece = static_cast<size_t>(std::min<std::int64_t>(sizeof zeros, size - written));
        if (FileManager::write(zeros, 1, piece, f) != piece) break;
        written += static_cast<std::int64_t>(piece);
    }
    // The last bytes reach the file only when the stream's buffer is emptied.
    const bool ok = fflush(f) == 0 && written == size;
    FileManager::close(f);
    return ok;
}

bool CopyBlockFromFile(int file, std::int64_t from, std::int64_t want, M_BYTE* to) {
    const MappedFile& f = g.files[file];
    std::int64_t have = 0;
    if (f.base && from >= 0 && from < static_cast<std::int64_t>(f.length))
        have = std::min<std::int64_t>(want, static_cast<std::int64_t>(f.length) - from);
    if (have > 0) memcpy(to, f.base + from, static_cast<size_t>(have));
    // The last block of an index file may reach past the file's end.
    if (have < want) memset(to + have, 0, static_cast<size_t>(want - have));
    return have == want;
}

}  // namespace dhdcache

using namespace dhdcache;

namespace {

// A name in a directory, found exactly or, failing that, ignoring case;
// false when it is in neither form.
bool resolveIn(const char* directory, const char* name, char* out, size_t outSize) {
    const char* found = FileManager::exists(directory, name);
    if (!found) found = FileManager::fuzzyFind(directory, name);
    if (!found) {
        snprintf(out, outSize, "%s%s", directory, name);
        return false;
    }
    snprintf(out, outSize, "%s", found);
    return true;
}

bool canOpen(const char* path) {
    int fd = FileManager::openRegular(path, O_RDONLY, "CDHDCache::Init()");
    if (fd < 0) return false;
    close(fd);
    return true;
}

// Creates the cache file full of zeros and maps it; false (nothing mapped)
// when the file cannot be written whole, so that no page of the mapping lies
// beyond the file.
bool buildCacheFile(int megabytes) {
    std::int64_t total = std::int64_t(megabytes) * 1000000;
    TWReport::print("CDHDCache::Init(): making a cache of size %d bytes.\n", int(total));
    if (!WriteZeroFile(g.cacheName, total)) {
        TWReport::error(
            "CDHDCache::Init(): cannot write cache file '%s' (%lld bytes). reading the CD "
            "files without a cache.\n",
            g.cacheName, static_cast<long long>(total));
        remove(g.cacheName);
        return false;
    }
    TWReport::print("CDHDCache::Init(): creating cache...\n");
    g.cacheFile = new CMMF_Wr(g.cacheName, int(total));
    TWReport::print("CDHDCache::Init(): opening cache...\n");
    g.cache = static_cast<M_BYTE*>(g.cacheFile->Open());
    if (!g.cache) {
        TWReport::error(
            "CDHDCache::Init(): cannot map cache file '%s'. reading the CD files without a "
            "cache.\n",
            g.cacheName);
        delete g.cacheFile;
        g.cacheFile = nullptr;
        remove(g.cacheName);
        return false;
    }
    g.cacheSize = total;
    g.numHeaders = megabytes * 4000;
    g.dataOffset = std::int64_t(megabytes) * 96000 + kCacheHeaderSize;
    TWReport::print("CDHDCache::Init(): re-interpreting cache memory...\n");
    TWReport::print("CDHDCache::Init(): copying data into cache memory...\n");
    WriteInitialHeaders();
    TWReport::print("CDHDCache::Init(): building cache lookup table...\n");
    InitLookup();
    LookupInUseBlocks();
    return true;
}

void initMaxInstall() {
    TWReport::print("CDHDCache::Init(): CApp::hdConfig == MaxHD.\n");
    char paths[CDHDCache::NUM_FILES][1024];
    for (int i = 0; i < CDHDCache::NUM_FILES; ++i) {
        // Only the hard-disk data directory counts: a file found on another
        // search path (the CD among them) would be taken for one on the hard
        // disk, and new item versions would be written into it.
        resolveIn(FileManager::getHDPath(), kFiles[i].name, paths[i], sizeof paths[i]);
        if (!canOpen(paths[i])) {
            TWReport::error("CDHDCache::Init(): cannot open file '%s'.\n", kFiles[i].name);
            TWReport::fatal(
                "Failed to open '%s' from HD using a maximum install. Either this file is not "
                "readable, your system needs to be rebooted, or the file does not exist and you "
                "either need to reinstall or switch to a non-maximum install.\n",
                kFiles[i].name);
        }
    }
    for (int i = 0; i < CDHDCache::NUM_FILES; ++i) MapFile(i, paths[i], true);
}

void initCDInstall() {
    int megabytes = resource_settings::CacheMegabytes();
    // Without room for the headers no block could be cached.
    if (megabytes < 1) {
        TWReport::warning(
            "CDHDCache::Init(): CacheSize %d is too small for a CD install. "
            "using 1.\n",
            megabytes);
        megabytes = 1;
    }
    if (megabytes > CDHDCache::MAX_CACHE_MEGABYTES) {
        TWReport::warning("CDHDCache::Init(): CacheSize %d is too large. using %d.\n", megabytes,
                          CDHDCache::MAX_CACHE_MEGABYTES);
        megabytes = CDHDCache::MAX_CACHE_MEGABYTES;
    }
    buildCacheFile(megabytes);

    TWReport::print("CDHDCache::Init(): memory-mapping CD files...\n");
    char cdDir[512];
    const char* cdPath = resource_settings::CdRomDataPath();
    size_t n = strlen(cdPath);
    snprintf(cdDir, sizeof cdDir, "%s%s", cdPath, n && cdPath[n - 1] == '/' ? "" : "/");
    for (int i = 0; i < CDHDCache::NUM_FILES; ++i) {
        char path[1024];
        resolveIn(FileManager::getHDPath(), kFiles[i].name, path, sizeof path);
        TWReport::print("CDHDCache::Init(): trying to open '%s', with mode 'rb'\n", path);
        if (canOpen(path)) {
            MapFile(i, path, true);
            continue;
        }
        resolveIn(cdDir, kFiles[i].name, path, sizeof path);
        TWReport::print("CDHDCache::Init(): trying to open '%s', with mode 'rb'\n", path);
        if (canOpen(path)) {
            MapFile(i, path, false);
            continue;
        }
        for (int j = 0; j < i; ++j) UnmapFileState(j);
        TWReport::fatal(
            "CDHDCache::Init(): cannot open file '%s' from either HD or CD. Please insert the "
            "Tarrowmere CD and try again. If the problems persist, try a re-installation of the "
            "game. If that does not help, write to support@tarrowmere.example with this "
            "message.\n",
            kFiles[i].name);
    }
}

}  // namespace

void CDHDCache::startup() {
    g.lookup.assign(size_t(NUM_FILES) * kLookupBuckets, -1);
    for (int i = 0; i < NUM_FILES; ++i) {
        UnmapFileState(i);
        g.files[i] = MappedFile{};
    }
    if (resource_settings::UseVerData()) ClearPatches();
    int logNumber = TWReport::getLogNumber();
    if (logNumber != 0 && logNumber != 1)
        TWReport::fatal("CDHDCache::startup: currently no support for running >2 god clients.\n");
    snprintf(g.cacheName, sizeof g.cacheName, "%scache%d.tw", FileManager::getHDPath(), logNumber);
    g.started = true;
    TWReport::print("CDHDCache::startup(): begin.\n");
}

void CDHDCache::Init() {
    if (g.initialised) return;
    if (!g.started) {
        TWReport::warning("CDHDCache::Init: used before startup. starting now.\n");
        startup();
    }
    g.initialised = true;
    TWReport::print("CDHDCache::Init(): begin.\n");
    if (resource_settings::MaximumInstall())
        initMaxInstall();
    else
        initCDInstall();
}

void CDHDCache::shutdown() {
    TWReport::print("CDHDCache::shutdown: shutting down...\n");
    g.nodes.clear();
    g.lookup.clear();
    g.freeNode = -1;
    delete g.cacheFile;
    g.cacheFile = nullptr;
    g.cache = nullptr;
    for (int i = 0; i < NUM_FILES; ++i) UnmapFileState(i);
    ClearPatches();
    delete g.verdata;
    g.verdata = nullptr;
    TWReport::print("CDHDCache::shutdown: removing cache file '%s'\n", g.cacheName);
    if (g.cacheName[0]) remove(g.cacheName);
    TWReport::print("CDHDCache::shutdown: shut down\n");
    g.started = false;
    g.initialised = false;
}

void CDHDCache::reset() {
    delete g.cacheFile;
    for (int i = 0; i < NUM_FILES; ++i) UnmapFileState(i);
    delete g.verdata;
    g = State{};
}

CMMF* CDHDCache::GetCDFile(FileNumber file) {
    if (!ValidFile(file)) {
        ErrorMessage("invalid file number.", "CDHDCache::GetCDFile:", TRUE);
        return nullptr;
    }
    return g.files[file].mmf;
}

void CDHDCache::RemapFile(FileNumber file) {
    if (!ValidFile(file) || !g.files[file].path[0]) return;
    char path[sizeof g.files[file].path];
    memcpy(path, g.files[file].path, sizeof path);
    MapFile(file, path, g.files[file].onHardDisk);
}

void CDHDCache::UnmapFile(FileNumber file) {
    if (ValidFile(file)) UnmapFileState(file);
}

const char* CDHDCache::GetFileName(FileNumber file) {
    return ValidFile(file) ? kFiles[file].name : "";
}

bool CDHDCache::IsOnHardDisk(FileNumber file) {
    return ValidFile(file) && g.files[file].onHardDisk;
}

const char* CDHDCache::GetCacheFileName() {
    return g.cacheName;
}

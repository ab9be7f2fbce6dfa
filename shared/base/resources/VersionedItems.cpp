// Writing new versions of items into the installed files (the editing
// server's updates and art updates).  Only files mapped from the hard disk
// are written; every failure is logged and leaves the files mapped.
#include <climits>
#include <cstdio>
#include <vector>

#include "ByteReader.h"
#include "ByteWriter.h"
#include "ErrorMessage.h"
#include "FileManager.h"
#include "TWReport.h"
#include "resources/DHDCacheState.h"

using namespace dhdcache;

namespace {

// Indexes of updated items come from the network; no pair holds more items.
constexpr int kMaxVersionedIndex = 0xFFFF;

bool writeAt(FILE* f, long offset, const void* data, size_t n) {
    return FileManager::seek(f, offset, SEEK_SET) == 0 && FileManager::write(data, 1, n, f) == n;
}

// Reads the old record of `index`; a record past the end counts as absent.
void readOldRecord(FILE* f, int index, std::int32_t* offset, std::int32_t* length) {
    M_BYTE bytes[8];
    *offset = -1;
    *length = 0;
    if (FileManager::seek(f, long(index) * CDHDCache::INDEX_RECORD_SIZE, SEEK_SET) != 0) return;
    if (FileManager::read(bytes, 1, sizeof bytes, f) != sizeof bytes) return;
    ByteReader fields(bytes, sizeof bytes);
    *offset = fields.i32le();
    *length = fields.i32le();
}

// Writes the record, first filling any gap before it with absent records.
bool writeRecord(FILE* f, int index, std::int32_t offset, std::int32_t length, std::int32_t extra) {
    if (FileManager::seek(f, 0, SEEK_END) != 0) return false;
    long end = ftell(f);
    std::vector<M_BYTE> bytes;
    ByteWriter w(bytes);
    long first = long(index) * CDHDCache::INDEX_RECORD_SIZE;
    long at = first;
    if (end >= 0 && end < first) {
        at = end - end % CDHDCache::INDEX_RECORD_SIZE;
        for (long r = at; r < first; r += CDHDCache::INDEX_RECORD_SIZE)
            w.u32le(0xFFFFFFFF).u32le(0).u32le(0);
    }
    w.u32le(static_cast<M_DWORD>(offset))
        .u32le(static_cast<M_DWORD>(length))
        .u32le(static_cast<M_DWORD>(extra));
    return writeAt(f, at, bytes.data(), bytes.size());
}

void logOpenFailure(const char* path) {
    TWReport::error(
        "CDHDCache::AddVersionedItem: failed to open file '%s' with mode 'r+b'. check file "
        "attributes. file should be writable. old error message said 'You are using a maximum "
        "install, but do not have your CdRomDataPath set to the installed directory in your "
        "tw.cfg file. With a maximum install, this should not point to your cdrom drive, but "
        "instead to the location where the files are installed.'\n",
        path);
}

}  // namespace

void CDHDCache::AddVersionedItem(FileNumber indexFile, FileNumber dataFile, int index, int extra,
                                 const char* data, int size) {
    if (!ValidFile(indexFile) || !ValidFile(dataFile) ||
        kFiles[indexFile].itemSize != INDEX_RECORD_SIZE || kFiles[dataFile].itemSize > 0 ||
        index < 0 || index > kMaxVersionedIndex || (size > 0 && !data)) {
        TWReport::warning("CDHDCache::AddVersionedItem: refused item %d of files %d/%d.\n", index,
                          int(indexFile), int(dataFile));
        return;
    }
    FlushItemBlock(dataFile, index);
    FlushItemBlock(indexFile, index);
    MappedFile& idx = g.files[indexFile];
    MappedFile& dat = g.files[dataFile];
    if (!idx.onHardDisk || !dat.onHardDisk || !idx.path[0] || !dat.path[0]) {
        TWReport::warning(
            "CDHDCache::AddVersionedItem: '%s' or '%s' is read from the CD. item "
            "%d is not updated.\n",
            kFiles[indexFile].name, kFiles[dataFile].name, index);
        return;
    }

    UnmapFileState(indexFile);
    FILE* fi = FileManager::openAbsolute(idx.path, "r+b");
    if (!fi) {
        logOpenFailure(idx.path);
        RemapFile(indexFile);
        return;
    }
    std::int32_t oldOffset = -1;
    std::int32_t oldLength = 0;
    readOldRecord(fi, index, &oldOffset, &oldLength);
    if (oldLength < 0) oldLength = 0;
    // An old record outside the data file names no item (lookups find none);
    // writing at its offset would grow the file to reach it.
    if (oldOffset < 0 || std::int64_t(oldOffset) + oldLength > std::int64_t(dat.length))
        oldOffset = -1;

    bool dataTouched = false;
    bool ok = true;
    std::int32_t newOffset = -1;
    std::int32_t newLength = size > 0 ? size : 0;
    if (size > 0 && (oldLength < size || oldOffset < 0)) {
        // Larger than before (or nowhere before): append to the data file.
        dataTouched = true;
        UnmapFileState(dataFile);
        FILE* fd = FileManager::openAbsolute(dat.path, "r+b");
        long end = -1;
        if (!fd) {
            logOpenFailure(dat.path);
            ok = false;
        } else {
            ok = FileManager::seek(fd, 0, SEEK_END) == 0 && (end = ftell(fd)) >= 0 &&
                 end <= long(INT_MAX) - size && writeAt(fd, end, data, size_t(size));
            ok = fflush(fd) == 0 && ok;
            FileManager::close(fd);
        }
        newOffset = static_cast<std::int32_t>(end);
    } else if (size > 0) {
        dataTouched = true;
        newOffset = oldOffset;
        UnmapFileState(dataFile);
        FILE* fd = FileManager::openAbsolute(dat.path, "r+b");
        if (!fd) {
            logOpenFailure(dat.path);
            ok = false;
        } else {
            ok = oldOffset >= 0 && writeAt(fd, oldOffset, data, size_t(size));
            ok = fflush(fd) == 0 && ok;
            FileManager::close(fd);
        }
    }
    // The record is written only over data that reached the file.
    if (ok) ok = writeRecord(fi, index, newOffset, newLength, extra) && fflush(fi) == 0;
    FileManager::close(fi);
    if (!ok)
        TWReport::error(
            "CDHDCache::AddVersionedItem: cannot write item %d of '%s'/'%s'. the "
            "files may hold part of it.\n",
            index, kFiles[indexFile].name, kFiles[dataFile].name);
    if (dataTouched) RemapFile(dataFile);
    RemapFile(indexFile);
}

void CDHDCache::AddVersionedItem(FileNumber file, int index, const char* data) {
    if (!ValidFile(file) || kFiles[file].itemSize <= 0 || !data) return;
    const int size = kFiles[file].itemSize;
    MappedFile& f = g.files[file];
    if (index < 0 || (std::int64_t(index) + 1) * size > std::int64_t(f.length)) {
        TWReport::warning("CDHDCache::AddVersionedItem: item %d lies outside '%s'. refused.\n",
                          index, kFiles[file].name);
        return;
    }
    FlushItemBlock(file, index);
    if (!f.onHardDisk) {
        TWReport::warning(
            "CDHDCache::AddVersionedItem: '%s' is read from the CD. item %d is not "
            "updated.\n",
            kFiles[file].name, index);
        return;
    }
    UnmapFileState(file);
    FILE* fp = FileManager::openAbsolute(f.path, "r+b");
    if (!fp) {
        ErrorMessage(
            "You are using a maximum install, but do not have your CdRomDataPath set to the "
            "installed directory in your tw.cfg file. With a maximum install, this should not "
            "point to your cdrom drive, but instead to the location where the files are "
            "installed.",
            "Error", FALSE);
    } else {
        bool ok = writeAt(fp, long(index) * size, data, size_t(size));
        ok = fflush(fp) == 0 && ok;
        FileManager::close(fp);
        if (!ok)
            TWReport::error("CDHDCache::AddVersionedItem: cannot write item %d of '%s'.\n", index,
                            kFiles[file].name);
    }
    RemapFile(file);
}

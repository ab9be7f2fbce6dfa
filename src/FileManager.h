// FileManager: every file of the client is opened, read, written and closed
// through here.
//
// A bare name is tried as given on each search path in order ("./",
// "/mnt/cdrom/Client/", "/usr/games/TW/", "/home/tw/", then the paths the
// configuration adds), and when that fails on all of them, by a case-blind
// scan of each search-path directory, so that data files installed in another
// letter case are still found.  Every opened file keeps a record in a fixed
// table; opening a known name again reuses its record (and closes the earlier
// stream), so a file is open at most once through the manager.
//
// Names, modes and composed paths are bounded by their fields: one that does
// not fit is refused with a log line, and so is a search path beyond the
// nine the table holds.  An overflow of the open-file table is fatal.
//
// Only regular files are opened or found: a directory, FIFO, device or
// socket under a file's name is refused with a log line naming it, and is
// never opened in a way that could block (a FIFO would hold start-up for
// ever, a directory reads as nonsense sizes).
#pragma once

#include <cstdio>

#include "TWTypes.h"

struct SearchPathInfo {
    static constexpr int MAX_PATH_LENGTH = 512;
    static constexpr int MAX_ACCESS_MODE_LENGTH = 8;

    char path[MAX_PATH_LENGTH];
    M_BYTE flagA;
    M_BYTE flagB;
};

class FileManager {
public:
    static constexpr int MAX_SEARCH_PATHS = 10;
    static constexpr int MAX_OPEN_FILES = 1000;
    static constexpr int MAX_NAME_LENGTH = 1024;  // given and actual names, with terminator
    static constexpr int MAX_FILENAME_LENGTH = 4096;

    static void startup();
    static void shutdown();

    static FILE* open(const char* name, const char* mode);
    static FILE* openAbsolute(const char* fullName, const char* mode);
    // Reads a whole file into a buffer that load allocates with new[] (one
    // byte longer than the file, holding 0); the caller deletes it with
    // delete[].  Returns the bytes read; 0 leaves *buffer null.
    static int load(const char* name, M_BYTE** buffer);
    static void close(FILE* stream);
    static size_t read(void* buf, size_t size, size_t count, FILE* stream);
    static size_t write(const void* buf, size_t size, size_t count, FILE* stream);
    static int seek(FILE* stream, long offset, int whence);

    // The composed full name (valid until the next call that composes one),
    // or null.
    static const char* exists(const char* path, const char* file);
    static const char* fuzzyFind(const char* directory, const char* name);

    // open(2) of a regular file, for the readers that need a descriptor (the
    // memory-mapped files): the open never blocks, anything but a regular
    // file is refused with an error line naming `caller` and the path, and
    // the descriptor returned is blocking.  O_CREAT makes files 0666 less
    // the umask, as fopen does.  -1 on failure, with errno set.
    static int openRegular(const char* path, int flags, const char* caller);

    static void addSearchPath(const char* path, M_BYTE flagA, M_BYTE flagB);
    static const SearchPathInfo* getSearchPath(int index);
    static int getNumSearchPaths();

    static const char* getHDPath();
    static const char* getCDPath();
    static const char* getNetworkPath();
    static void setHDPath();
    static void setCDPath();
    static void setPathSeparator();
    static const char* getPathSeparator();

    static M_DWORD getOpenFileSize(FILE* stream);
    // Actual name of the first record whose given name matches (case-blind).
    static const char* getActualName(const char* givenName);
    // Actual name of the first record holding this stream.
    static const char* getNameOfStream(FILE* stream);
    static void reportOpenFiles();

    // Test support: forget every record and path.
    static void reset();
};

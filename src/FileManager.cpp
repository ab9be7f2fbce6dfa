#include "FileManager.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "TWReport.h"

namespace {

struct OpenFileRecord {
    char givenName[FileManager::MAX_NAME_LENGTH];
    char actualName[FileManager::MAX_NAME_LENGTH];
    char mode[SearchPathInfo::MAX_ACCESS_MODE_LENGTH + 1];
    FILE* stream;
    M_BYTE open;
    M_DWORD timesOpened;
    M_DWORD size;
    M_DWORD reads;
};

// All state lives for the process.  The tables are fixed: no allocation per
// open.
char s_pathSeparator[16] = "NOT SET!";
char* s_hdPath = nullptr;
char* s_cdPath = nullptr;
char* s_networkPath = nullptr;
int s_numSearchPaths = 0;
SearchPathInfo s_searchPaths[FileManager::MAX_SEARCH_PATHS];
int s_numOpenFiles = 0;
OpenFileRecord s_openFiles[FileManager::MAX_OPEN_FILES];
bool s_starting = false;
bool s_started = false;
char s_currentFileName[FileManager::MAX_FILENAME_LENGTH];

M_DWORD statSize(const char* name) {
    struct stat st {};
    if (stat(name, &st) != 0) return 0;
    return static_cast<M_DWORD>(st.st_size);
}

// The open(2) flags of an fopen mode; false for a mode fopen would refuse.
bool modeFlags(const char* mode, int* flags) {
    int access;
    switch (mode[0]) {
        case 'r':
            access = 0;
            *flags = 0;
            break;
        case 'w':
            access = 1;
            *flags = O_CREAT | O_TRUNC;
            break;
        case 'a':
            access = 1;
            *flags = O_CREAT | O_APPEND;
            break;
        default:
            return false;
    }
    for (const char* c = mode + 1; *c; ++c) {
        if (*c == '+') access = 2;
        if (*c == 'x') *flags |= O_EXCL;
        if (*c == 'e') *flags |= O_CLOEXEC;
    }
    *flags |= access == 0 ? O_RDONLY : access == 1 ? O_WRONLY : O_RDWR;
    return true;
}

// fopen for regular files only (see openRegular).
FILE* openStream(const char* caller, const char* path, const char* mode) {
    int flags;
    if (!modeFlags(mode, &flags)) {
        errno = EINVAL;
        return nullptr;
    }
    int fd = FileManager::openRegular(path, flags, caller);
    if (fd < 0) return nullptr;
    FILE* stream = fdopen(fd, mode);
    if (!stream) ::close(fd);
    return stream;
}

void refuse(const char* caller, const char* path) {
    TWReport::error("%s: '%s' is not a regular file. refused.\n", caller, path);
}

// True for a name that exists and is something else than a regular file;
// such a name gets its log line here.
bool existsAsOther(const char* caller, const char* path) {
    struct stat st {};
    if (stat(path, &st) != 0 || S_ISREG(st.st_mode)) return false;
    refuse(caller, path);
    return true;
}

// Composes directory + name into the shared buffer; false (with a log line)
// when the result would not fit.
bool compose(const char* caller, const char* directory, const char* name) {
    size_t dirLen = strlen(directory);
    size_t nameLen = strlen(name);
    if (dirLen + nameLen >= FileManager::MAX_FILENAME_LENGTH) {
        TWReport::warning("FileManager::%s: '%s' + '%s' is too long for a file name. skipped.\n",
                          caller, directory, name);
        return false;
    }
    memcpy(s_currentFileName, directory, dirLen);
    memcpy(s_currentFileName + dirLen, name, nameLen + 1);
    return true;
}

bool nameFits(const char* caller, const char* name, const char* mode) {
    if (strlen(name) >= FileManager::MAX_NAME_LENGTH) {
        TWReport::error("FileManager::%s: file name of %zu characters is too long. refused.\n",
                        caller, strlen(name));
        return false;
    }
    if (mode && strlen(mode) > SearchPathInfo::MAX_ACCESS_MODE_LENGTH) {
        TWReport::error("FileManager::%s: access mode '%s' is too long. refused.\n", caller, mode);
        return false;
    }
    return true;
}

void printSearchPaths() {
    for (int i = 0; i < s_numSearchPaths; ++i) TWReport::print(" %s\n", s_searchPaths[i].path);
}

// Runs the start-up steps when nothing has started the manager yet.
void selfStart(const char* caller) {
    if (s_starting || s_started) return;
    FileManager::startup();
    TWReport::warning(
        "FileManager::%s: had to startup FileManager. TW startup code needs to be re-designed!\n",
        caller);
}

// Adds an open-file record.  Both names and the mode were checked by the
// caller.
void addFile(const char* givenName, const char* actualName, const char* mode, FILE* stream) {
    OpenFileRecord& r = s_openFiles[s_numOpenFiles];
    memset(&r, 0, sizeof r);
    strcpy(r.givenName, givenName);
    strcpy(r.actualName, actualName);
    strcpy(r.mode, mode);
    r.stream = stream;
    r.size = statSize(actualName);
    r.open = 1;
    r.timesOpened = 1;
    TWReport::print("FileManager::addOpenFile: file '%s' added to list. size is %d.\n", givenName,
                    static_cast<int>(r.size));
    ++s_numOpenFiles;
    if (s_numOpenFiles > FileManager::MAX_OPEN_FILES - 1)
        TWReport::fatal(
            "FileManager::addOpenFile: numOpenFiles >= MAX_OPEN_FILES. TW startup code needs to "
            "be re-designed so we can allocate memory here!\n");
}

// The reopen pass: a name opened before is opened again under its recorded
// actual name, closing the earlier stream first.  `known` tells whether the
// name had a record, so that a failed reopen is not searched for again (the
// record would be duplicated with every attempt).
FILE* reopen(const char* caller, const char* name, const char* mode, bool* known) {
    *known = false;
    for (int i = 0; i < s_numOpenFiles; ++i) {
        OpenFileRecord& r = s_openFiles[i];
        if (strcasecmp(r.givenName, name) != 0) continue;
        *known = true;
        if (r.open) {
            TWReport::warning("FileManager::%s: file '%s' currently open. closing.\n", caller,
                              r.actualName);
            FileManager::close(r.stream);
        }
        char function[64];
        snprintf(function, sizeof function, "FileManager::%s", caller);
        FILE* stream = openStream(function, r.actualName, mode);
        if (!stream) {
            // The file may have been removed since (a list the user deleted
            // between two loads): the caller gets no file, as for any other
            // missing one, instead of the whole client ending.
            TWReport::error(
                "FileManager::%s: file '%s' was opened before, but cannot be opened again. check "
                "for illegal access mode.\n",
                caller, r.givenName);
            return nullptr;
        }
        r.stream = stream;
        r.size = statSize(r.actualName);
        r.open = 1;
        ++r.timesOpened;
        strcpy(r.mode, mode);
        TWReport::print("FileManager::%s: file '%s' now open %d times.\n", caller, r.actualName,
                        static_cast<int>(r.timesOpened));
        return stream;
    }
    return nullptr;
}

char* duplicate(const char* text, size_t size) {
    char* copy = static_cast<char*>(calloc(1, size));
    if (!copy) TWReport::fatal("FileManager: out of memory.\n");
    size_t length = strnlen(text, size - 1);
    memcpy(copy, text, length);
    return copy;
}

}  // namespace

void FileManager::startup() {
    TWReport::print("FileManager::startup: starting...\n");
    if (s_started) return;
    s_starting = s_started = false;
    s_numSearchPaths = 0;
    s_numOpenFiles = 0;
    s_hdPath = s_cdPath = s_networkPath = nullptr;
    s_starting = true;
    setPathSeparator();
    setHDPath();
    setCDPath();
    addSearchPath("/usr/games/TW/", 1, 0);
    addSearchPath("/home/tw/", 1, 0);
    TWReport::print("FileManager::startup: search paths are:\n");
    printSearchPaths();
    s_started = true;
}

void FileManager::shutdown() {
    TWReport::print("FileManager::shutdown: stopping...\n");
    if (!s_started) return;
    reportOpenFiles();
    free(s_hdPath);
    free(s_cdPath);
    free(s_networkPath);
    s_hdPath = s_cdPath = s_networkPath = nullptr;
    s_numSearchPaths = 0;
    s_numOpenFiles = 0;
    s_started = false;
    TWReport::print("FileManager::shutdown: stopped.\n");
}

void FileManager::reset() {
    free(s_hdPath);
    free(s_cdPath);
    free(s_networkPath);
    s_hdPath = s_cdPath = s_networkPath = nullptr;
    s_numSearchPaths = 0;
    s_numOpenFiles = 0;
    s_starting = s_started = false;
    strcpy(s_pathSeparator, "NOT SET!");
}

void FileManager::setPathSeparator() {
    strcpy(s_pathSeparator, "/");
    if (strcasecmp(s_pathSeparator, "NOT SET!") == 0)
        TWReport::fatal("FileManager::setPathSeparator: pathSeparator NOT SET!\n");
}

const char* FileManager::getPathSeparator() {
    return s_pathSeparator;
}

void FileManager::setHDPath() {
    TWReport::print("FileManager::setHDPath: linux client.\n");
    free(s_hdPath);
    s_hdPath = duplicate("./", 3);
    TWReport::print("FileManager::setHDPath: set HDPath to '%s'\n", s_hdPath);
    addSearchPath(s_hdPath, 1, 1);
}

void FileManager::setCDPath() {
    free(s_cdPath);
    s_cdPath = duplicate("/mnt/cdrom/Client/", 256);
    if (!s_cdPath[0]) {
        TWReport::error("FileManager::setCDPath: CDPath not set\n");
        return;
    }
    TWReport::print("FileManager::setCDPath: set CDPath to '%s'\n", s_cdPath);
    addSearchPath(s_cdPath, 1, 0);
}

void FileManager::addSearchPath(const char* path, M_BYTE flagA, M_BYTE flagB) {
    // A path comes from the configuration file: one that does not fit its
    // slot is refused, not fatal.
    if (!path || !path[0] || strlen(path) >= SearchPathInfo::MAX_PATH_LENGTH) {
        TWReport::error(
            "FileManager::addSearchPath: strlen(new_path) >= SearchPathInfo::MAX_PATH_LENGTH. "
            "path refused.\n");
        return;
    }
    // The paths of a configuration file beyond the table's nine are left
    // out: the client still runs with the nine it has.
    if (s_numSearchPaths >= MAX_SEARCH_PATHS - 1) {
        TWReport::error(
            "FileManager::addSearchPath: numSearchPaths >= MAX_SEARCH_PATHS. path '%s' "
            "refused.\n",
            path);
        return;
    }
    SearchPathInfo& slot = s_searchPaths[s_numSearchPaths];
    strcpy(slot.path, path);
    slot.flagA = flagA;
    slot.flagB = flagB;
    ++s_numSearchPaths;
    TWReport::print("FileManager::addSearchPath: search paths are:\n");
    printSearchPaths();
}

const SearchPathInfo* FileManager::getSearchPath(int index) {
    if (index < 0 || index >= s_numSearchPaths) return nullptr;
    return &s_searchPaths[index];
}

int FileManager::getNumSearchPaths() {
    return s_numSearchPaths;
}

FILE* FileManager::open(const char* name, const char* mode) {
    TWReport::print("FileManager::open: begin. filename='%s'\n", name ? name : "");
    selfStart("open");
    if (!name || !mode || !nameFits("open", name, mode)) return nullptr;

    bool known = false;
    FILE* stream = reopen("open", name, mode, &known);
    if (known && !stream) return nullptr;
    TWReport::print("FileManager::open: finished searching list of opened files.\n");

    if (!stream) {
        TWReport::print(
            "FileManager::open: looking for file with name 'as-is' on all search paths.\n");
        for (int i = 0; i < s_numSearchPaths && !stream; ++i) {
            if (!compose("open", s_searchPaths[i].path, name)) continue;
            TWReport::print("FileManager::open: trying to open '%s' with mode '%s'.\n",
                            s_currentFileName, mode);
            stream = openStream("FileManager::open", s_currentFileName, mode);
            if (!stream) continue;
            if (!nameFits("open", s_currentFileName, nullptr)) {
                fclose(stream);
                stream = nullptr;
                continue;
            }
            addFile(name, s_currentFileName, mode, stream);
            TWReport::print("FileManager::open: opened '%s' with mode '%s'.\n", s_currentFileName,
                            mode);
        }
    }

    if (!stream) {
        TWReport::warning(
            "FileManager::open: failed to open '%s' with given mode '%s' on any of paths in "
            "searchPaths.\n",
            name, mode);
        TWReport::warning(
            "FileManager::open ('fuzzy find'): looking for '%s' on searchPaths, but ignoring "
            "case.\n",
            name);
        for (int i = 0; i < s_numSearchPaths && !stream; ++i) {
            const char* found = fuzzyFind(s_searchPaths[i].path, name);
            if (!found) continue;
            stream = openStream("FileManager::open", found, mode);
            if (!stream) continue;
            if (!nameFits("open", found, nullptr)) {
                fclose(stream);
                stream = nullptr;
                continue;
            }
            addFile(name, found, mode, stream);
            TWReport::print("FileManager::open: opened '%s' with mode '%s'.\n", found, mode);
        }
    }

    if (!stream) {
        TWReport::warning(
            "FileManager::open: failed to open '%s' with given mode '%s' on any of paths in "
            "searchPaths, even by ignoring case.\n",
            name, mode);
        return nullptr;
    }
    TWReport::print("FileManager::open: seeking to start of file.\n");
    return stream;
}

FILE* FileManager::openAbsolute(const char* fullName, const char* mode) {
    TWReport::print("FileManager::openAbsolute: begin. filename='%s'\n", fullName ? fullName : "");
    selfStart("openAbsolute");
    if (!fullName || !mode || !nameFits("openAbsolute", fullName, mode)) return nullptr;

    bool known = false;
    FILE* stream = reopen("openAbsolute", fullName, mode, &known);
    if (known && !stream) return nullptr;
    TWReport::print("FileManager::openAbsolute: finished searching list of opened files.\n");
    if (!stream) {
        TWReport::print("FileManager::openAbsolute: looking for file with name 'as-is'.\n");
        strcpy(s_currentFileName, fullName);
        TWReport::print("FileManager::openAbsolute: trying to open '%s' with mode '%s'.\n",
                        s_currentFileName, mode);
        stream = openStream("FileManager::openAbsolute", s_currentFileName, mode);
        if (!stream) {
            TWReport::warning("FileManager::openAbsolute: failed to open '%s'.\n", fullName);
            return nullptr;
        }
        addFile(fullName, s_currentFileName, mode, stream);
        TWReport::print("FileManager::openAbsolute: opened '%s' with mode '%s'.\n",
                        s_currentFileName, mode);
    }
    TWReport::print("FileManager::openAbsolute: seeking to start of file.\n");
    return stream;
}

int FileManager::openRegular(const char* path, int flags, const char* caller) {
    // The name is looked at first, so that nothing but a regular file is
    // even opened (opening a FIFO's other end would wake its writer) ...
    if (existsAsOther(caller, path)) {
        errno = EINVAL;
        return -1;
    }
    // ... and the descriptor again, without blocking, for a name swapped
    // in between.
    int fd = ::open(path, flags | O_NONBLOCK, 0666);
    if (fd < 0) return -1;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        refuse(caller, path);
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    int status = fcntl(fd, F_GETFL);
    if (status == -1 || fcntl(fd, F_SETFL, status & ~O_NONBLOCK) == -1) {
        ::close(fd);
        return -1;
    }
    return fd;
}

const char* FileManager::fuzzyFind(const char* directory, const char* name) {
    if (!directory) TWReport::fatal("FileManager::fuzzyFind: path==NULL.\n");
    if (!name) return nullptr;
    DIR* dir = opendir(directory);
    if (!dir) return nullptr;
    TWReport::print("FileManager::fuzzyFind: opened directory '%s'.\n", directory);
    const char* result = nullptr;
    while (dirent* entry = readdir(dir)) {
        if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0) continue;
        if (strcasecmp(entry->d_name, name) != 0) continue;
        TWReport::print("FileManager::fuzzyFind: '%s' matches '%s'.\n", name, entry->d_name);
        if (compose("fuzzyFind", directory, entry->d_name)) result = s_currentFileName;
        break;
    }
    closedir(dir);
    return result;
}

const char* FileManager::exists(const char* path, const char* file) {
    TWReport::print("FileManager::exists: searching for file '%s' in path '%s'.\n",
                    file ? file : "", path ? path : "");
    if (!path) TWReport::fatal("FileManager::exists: path==NULL.\n");
    if (!file) return nullptr;
    if (strlen(path) + strlen(file) + 4 >= MAX_FILENAME_LENGTH) {
        TWReport::error(
            "FileManager::exists: strlen(path) + strlen(file) + 4 >= MAX_FILENAME_LENGTH. name "
            "refused.\n");
        return nullptr;
    }
    compose("exists", path, file);
    TWReport::print("FileManager::exists: currentFileName = '%s'.\n", s_currentFileName);
    struct stat st {};
    if (stat(s_currentFileName, &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            refuse("FileManager::exists", s_currentFileName);
            return nullptr;
        }
        TWReport::print("FileManager::exists: found '%s'.\n", s_currentFileName);
        return s_currentFileName;
    }
    const char* found = fuzzyFind(path, file);
    if (found && stat(found, &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            refuse("FileManager::exists", found);
            return nullptr;
        }
        TWReport::print("FileManager::exists: 'fuzzy' found '%s'.\n", found);
        return found;
    }
    return nullptr;
}

void FileManager::close(FILE* stream) {
    for (int i = 0; i < s_numOpenFiles; ++i) {
        OpenFileRecord& r = s_openFiles[i];
        if (!r.open || r.stream != stream) continue;
        TWReport::print("FileManager::close: closing file '%s'.\n", r.actualName);
        fclose(stream);
        r.open = 0;
        r.stream = nullptr;
        return;
    }
    TWReport::fatal("FileManager::close: trying to close unopened or unknown file!\n");
}

size_t FileManager::read(void* buf, size_t size, size_t count, FILE* stream) {
    for (int i = 0; i < s_numOpenFiles; ++i)
        if (s_openFiles[i].stream == stream) ++s_openFiles[i].reads;
    size_t items = fread(buf, size, count, stream);
    if (items < count)
        TWReport::warning("FileManager::read: items_read(%d) != count(%d)\n",
                          static_cast<int>(items), static_cast<int>(count));
    return items;
}

size_t FileManager::write(const void* buf, size_t size, size_t count, FILE* stream) {
    return fwrite(buf, size, count, stream);
}

int FileManager::seek(FILE* stream, long offset, int whence) {
    for (int i = 0; i < s_numOpenFiles; ++i)
        if (s_openFiles[i].open && s_openFiles[i].stream == stream)
            return fseek(stream, offset, whence);
    TWReport::fatal("FileManager::seek: trying to seek into unopened or unknown file!\n");
}

int FileManager::load(const char* name, M_BYTE** buffer) {
    *buffer = nullptr;
    int bytes = 0;
    if (FILE* stream = open(name, "rb")) {
        int len = static_cast<int>(getOpenFileSize(stream));
        if (len <= 0) {
            TWReport::error("FileManager::load: len=%d.\n", len);
            close(stream);
        } else {
            TWReport::print("FileManager::load: file '%s'. allocating %d bytes of memory\n", name,
                            len);
            M_BYTE* data = new M_BYTE[static_cast<size_t>(len) + 1];
            size_t got = read(data, 1, static_cast<size_t>(len), stream);
            if (got != static_cast<size_t>(len))
                TWReport::fatal("FileManager::load: file '%s'. loaded(%d) != len(%d)\n", name,
                                static_cast<int>(got), len);
            data[len] = 0;
            close(stream);
            *buffer = data;
            bytes = len;
        }
    }
    if (bytes == 0) TWReport::warning("FileManager::load: failed to load '%s'.\n", name);
    return bytes;
}

M_DWORD FileManager::getOpenFileSize(FILE* stream) {
    for (int i = 0; i < s_numOpenFiles; ++i)
        if (s_openFiles[i].stream == stream) return s_openFiles[i].size;
    TWReport::fatal("FileManager::getOpenFileSize: file not found.\n");
}

const char* FileManager::getActualName(const char* givenName) {
    for (int i = 0; i < s_numOpenFiles; ++i)
        if (strcasecmp(s_openFiles[i].givenName, givenName) == 0) return s_openFiles[i].actualName;
    return nullptr;
}

const char* FileManager::getNameOfStream(FILE* stream) {
    for (int i = 0; i < s_numOpenFiles; ++i)
        if (s_openFiles[i].stream == stream) return s_openFiles[i].actualName;
    return nullptr;
}

void FileManager::reportOpenFiles() {
    TWReport::print("FileManager::reportOpenFiles:\n");
    TWReport::print(" open timesOpened         size numreads            givenName actualName\n");
    for (int i = 0; i < s_numOpenFiles; ++i) {
        const OpenFileRecord& r = s_openFiles[i];
        TWReport::print(r.open ? "  yes %11d %12d %8d %20s %s\n" : "   no %11d %12d %8d %20s %s\n",
                        static_cast<int>(r.timesOpened), static_cast<int>(r.size),
                        static_cast<int>(r.reads), r.givenName, r.actualName);
    }
}

namespace {
// The path is read after the self-start, which is what sets it.
const char* requirePath(const char* caller, char* const& path, const char* missing) {
    selfStart(caller);
    if (!path) TWReport::fatal("%s", missing);
    return path;
}
}  // namespace

const char* FileManager::getHDPath() {
    return requirePath("getHDPath", s_hdPath,
                       "FileManager::getHDPath: HDPath is not set. maybe you have not called "
                       "FileManager::startup?\n");
}

const char* FileManager::getCDPath() {
    return requirePath("getCDPath", s_cdPath,
                       "FileManager::getCDPath: CDPath is not set. maybe you have not called "
                       "FileManager::startup?\n");
}

const char* FileManager::getNetworkPath() {
    return requirePath("getNetworkPath", s_networkPath,
                       "FileManager::getNetworkPath: NetworkPath is not set. maybe you have not "
                       "called FileManager::startup?\n");
}

// Paths of the installation, record counts of files, random numbers and the
// allocation-failure handler.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "App.h"
#include "FileManager.h"
#include "TWReport.h"
#include "config/Config.h"

namespace {
constexpr size_t kPathSize = 1024;
}

char* CApp::get_HDpath(const char* name) {
    static char path[kPathSize];
    for (int i = 0;; ++i) {
        const SearchPathInfo* info = FileManager::getSearchPath(i);
        if (!info) break;
        const char* found = FileManager::exists(info->path, name ? name : "");
        if (!found) continue;
        if (strlen(found) >= kPathSize)
            TWReport::fatal(
                "CApp::get_HDpath: strlen(s) + strlen(t) >= 1024. TW startup code needs to be "
                "re-designed so we can allocate memory here!\n");
        memcpy(path, found, strlen(found) + 1);
        TWReport::print("CApp::get_HDpath: found '%s'.\n", path);
        return path;
    }
    TWReport::fatal(
        "CApp::get_HDpath: currently no code support for this hardware version of the client.\n");
}

char* CApp::get_CDpath(const char* name) {
    static char path[kPathSize];
    size_t dirLength = strlen(CdRomDataPath);
    const char* slash = dirLength && CdRomDataPath[dirLength - 1] != '/' ? "/" : "";
    int n = snprintf(path, sizeof path, "%s%s%s", CdRomDataPath, slash, name ? name : "");
    if (n <= 0 || static_cast<size_t>(n) >= sizeof path)
        TWReport::fatal(
            "CApp::get_CDpath: currently no code support for this hardware version of the "
            "client.\n");
    return path;
}

const char* CApp::GetDefaultDataDir() {
    return "/home/lorin/mako/data";
}

void CApp::OutOfMemory() {
    fputs("Out of memory. Exiting.\n", stderr);
    // _exit, not exit: the atexit chain would stop the services under the
    // cursor thread, which may still be drawing.  Flush the logs first.
    fflush(nullptr);
    _exit(1);
}

int NumRecsInFile(const char* name, int recordSize) {
    if (!name || recordSize <= 0) return 0;
    FILE* file = FileManager::open(name, "rb");
    if (!file) return 0;
    FileManager::seek(file, 0, SEEK_END);
    long size = ftell(file);
    FileManager::close(file);
    return size > 0 ? static_cast<int>(size / recordSize) : 0;
}

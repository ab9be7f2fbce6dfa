// Shared set-up for fuzz targets: a scratch working directory whose log files
// are /dev/null, so that millions of runs neither fill the disk nor slow down
// on the report file.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace tw::fuzz {

inline void EnterScratchDir() {
    static bool entered = false;
    if (entered) return;
    entered = true;
    std::string pattern = (std::filesystem::temp_directory_path() / "twfuzz.XXXXXX").string();
    if (!mkdtemp(pattern.data())) abort();
    std::filesystem::current_path(pattern);
    symlink("/dev/null", "TWReport0.log");
    symlink("/dev/null", "TWErrata0.log");
}

// Writes the input as a whole file (replacing it) for a reader that opens
// files by name; false when it cannot be written.
inline bool WriteInputFile(const char* name, const uint8_t* data, size_t size) {
    FILE* f = fopen(name, "wb");
    if (!f) return false;
    bool ok = size == 0 || fwrite(data, 1, size, f) == size;
    return fclose(f) == 0 && ok;
}

}  // namespace tw::fuzz

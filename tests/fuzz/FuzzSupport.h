// Shared set-up for fuzz targets: a scratch working directory whose log files
// are /dev/null, so that millions of runs neither fill the disk nor slow down
// on the report file.
#pragma once

#include <unistd.h>

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

}  // namespace tw::fuzz

// The scratch folder of a benchmark program: the benchmarks that write files
// (data files, logs, downloads) work in it, and it goes, with everything in
// it, when the program ends, so that a run leaves nothing behind.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tw::bench {

class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "twbench.XXXXXX").string();
        if (!mkdtemp(pattern.data())) abort();
        path_ = pattern;
        std::filesystem::current_path(path_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::current_path(home_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }

private:
    std::filesystem::path home_ = std::filesystem::current_path();
    std::string path_;
};

// Enters the program's scratch folder, made on the first call; returns its path.
inline const std::string& EnterScratchDir() {
    static ScratchDir dir;
    std::filesystem::current_path(dir.path());
    return dir.path();
}

}  // namespace tw::bench

// Replays saved fuzzer inputs under any compiler: every file named on the
// command line, or found in a directory named there, goes once through the
// target.  CTest runs it over tests/fuzz/corpus/<target>.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

void replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    // Collect absolute paths first: targets may change the working directory.
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        std::filesystem::path arg = std::filesystem::absolute(argv[i]);
        if (std::filesystem::is_directory(arg)) {
            std::vector<std::filesystem::path> inDir;
            for (const auto& entry : std::filesystem::directory_iterator(arg))
                if (entry.is_regular_file()) inDir.push_back(entry.path());
            std::sort(inDir.begin(), inDir.end());
            files.insert(files.end(), inDir.begin(), inDir.end());
        } else {
            files.push_back(arg);
        }
    }
    for (const auto& file : files) replay(file);
    printf("replayed %zu inputs\n", files.size());
    return 0;
}

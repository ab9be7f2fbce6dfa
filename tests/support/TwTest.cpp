#include "support/TwTest.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Clock.h"
#include "ConfigurationManager.h"
#include "FileManager.h"
#include "MemoryManager.h"
#include "TWReport.h"

namespace tw::test {

namespace {
std::vector<std::function<void()>>& resets() {
    static std::vector<std::function<void()>> list;
    return list;
}
}  // namespace

void AddServiceReset(std::function<void()> reset) {
    resets().push_back(std::move(reset));
}

void ResetServices() {
    // A fake may register its reset the first time a reset uses it.
    const std::vector<std::function<void()>> list = resets();
    for (auto it = list.rbegin(); it != list.rend(); ++it) (*it)();
    ConfigurationManager::reset();
    FileManager::reset();
    MemoryManager::reset();
    SetTimeSourceForTests(nullptr);
    SetWallTimeSourceForTests(nullptr);
    TWReport::reset();
}

void WriteFile(const std::string& name, const std::string& bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteFile(const std::string& name, const std::vector<unsigned char>& bytes) {
    WriteFile(name, std::string(bytes.begin(), bytes.end()));
}

std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FileExists(const std::string& name) {
    return std::filesystem::exists(name);
}

void TwTest::SetUp() {
    oldDir_ = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "twtest.XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    std::filesystem::current_path(dir_);
    ResetServices();
}

void TwTest::TearDown() {
    ResetServices();
    std::filesystem::current_path(oldDir_);
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

StderrCapture::StderrCapture() {
    std::string pattern = (std::filesystem::temp_directory_path() / "twstderr.XXXXXX").string();
    int fd = mkstemp(pattern.data());
    path_ = pattern;
    fflush(stderr);
    savedFd_ = dup(2);
    dup2(fd, 2);
    ::close(fd);
}

StderrCapture::~StderrCapture() {
    fflush(stderr);
    dup2(savedFd_, 2);
    ::close(savedFd_);
    unlink(path_.c_str());
}

std::string StderrCapture::text() {
    fflush(stderr);
    return ReadFile(path_);
}

}  // namespace tw::test

#include "support/OssEmulation.h"

#include <fcntl.h>
#include <glob.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "support/TwTest.h"

namespace tw::test {

namespace {
constexpr const char* kChildVariable = "TW_OSS_CHILD";
}

bool OssEmulation::InChild() {
    return getenv(kChildVariable) != nullptr;
}

std::string OssEmulation::LibraryPath() {
    glob_t found;
    std::string path;
    if (glob("/usr/lib/*/libaoss.so*", 0, nullptr, &found) == 0 && found.gl_pathc > 0)
        path = found.gl_pathv[0];
    else if (glob("/usr/lib/libaoss.so*", 0, nullptr, &found) == 0 && found.gl_pathc > 0)
        path = found.gl_pathv[0];
    globfree(&found);
    return path;
}

OssRun OssEmulation::RunChild() {
    OssRun run;
    const std::string library = LibraryPath();
    if (library.empty()) {
        run.output = "the ALSA OSS emulation (libaoss) is not installed";
        return run;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "twoss.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return run;
    const std::string home = pattern;
    const std::string capture = home + "/capture.raw";
    const std::string output = home + "/output.txt";
    WriteFile(home + "/.asoundrc",
              "pcm.dsp0 {\n"
              "  type file\n"
              "  slave.pcm \"null\"\n"
              "  file \"" +
                  capture +
                  "\"\n"
                  "  format \"raw\"\n"
                  "}\n");

    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter =
        std::string("--gtest_filter=") + info->test_suite_name() + "." + info->name();
    std::string asan = getenv("ASAN_OPTIONS") ? getenv("ASAN_OPTIONS") : "";
    // The emulation must come before the sanitizer runtime to catch open(),
    // and it keeps a few bytes for the life of the process.
    asan += std::string(asan.empty() ? "" : ":") + "verify_asan_link_order=0:detect_leaks=0";

    fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd >= 0) {
            dup2(fd, 1);
            dup2(fd, 2);
        }
        setenv(kChildVariable, "1", 1);
        setenv("HOME", home.c_str(), 1);
        setenv("LD_PRELOAD", library.c_str(), 1);
        setenv("ASAN_OPTIONS", asan.c_str(), 1);
        execl("/proc/self/exe", "/proc/self/exe", filter.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid > 0) {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    run.capture = ReadFile(capture);
    run.output = ReadFile(output);
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
    return run;
}

}  // namespace tw::test

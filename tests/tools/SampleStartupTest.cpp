// The client starts in the sample installation under its own X server and
// reaches its main loop without a single missing-file message.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "support/TwTest.h"
#include "support/Xvfb.h"

namespace {

constexpr auto kTimeout = std::chrono::seconds(60);

class SampleStartup : public tw::test::TwTest {};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST_F(SampleStartup, ClientReachesItsMainLoopWithoutAMissingFile) {
    tw::test::XvfbServer server;
    ASSERT_TRUE(server.ok()) << server.error();
    const std::string command = std::string(MKINSTALL_PATH) + " sample > mkinstall.out";
    ASSERT_EQ(std::system(command.c_str()), 0);
    ASSERT_EQ(chdir("sample"), 0);

    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (!freopen("stdout.txt", "w", stdout) || !freopen("stderr.txt", "w", stderr)) _exit(126);
        execl(TWCLIENT_PATH, TWCLIENT_PATH, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    bool exited = false;
    const auto end = std::chrono::steady_clock::now() + kTimeout;
    while (std::chrono::steady_clock::now() < end) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            exited = true;
            break;
        }
        if (contains(tw::test::ReadFile("TWReport0.log"), "Main Program Loop. Start.")) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!exited) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    const std::string log = tw::test::ReadFile("TWReport0.log");
    const std::string errors = tw::test::ReadFile("stderr.txt");
    EXPECT_TRUE(contains(log, "Main Program Loop. Start."))
        << (exited ? "the client stopped before its main loop:\n" : "no main loop in time:\n")
        << errors;
    for (const char* missing : {"failed to open", "cannot open", "cannot load", "no bytes read",
                                "cannot map", "No such file", "does not exist"}) {
        EXPECT_FALSE(contains(log, missing)) << missing;
        EXPECT_FALSE(contains(errors, missing)) << missing << "\n" << errors;
    }
}

#include "support/Subprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

extern char** environ;

namespace tw::test {

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& dir,
                         const std::vector<std::string>& env, int timeoutMs) {
    ProcessResult result;
    // Everything the child needs is built before fork: the parent may run
    // other threads (a loopback server), so the child only calls exec.
    std::vector<std::string> envText;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        std::string name = entry.substr(0, entry.find('='));
        bool replaced = false;
        for (const std::string& extra : env)
            if (extra.compare(0, name.size() + 1, name + "=") == 0) replaced = true;
        if (!replaced) envText.push_back(entry);
    }
    envText.insert(envText.end(), env.begin(), env.end());
    std::vector<char*> envp, args;
    for (std::string& e : envText) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> argText = argv;
    for (std::string& a : argText) args.push_back(a.data());
    args.push_back(nullptr);

    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) return result;
    pid_t pid = fork();
    if (pid < 0) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        return result;
    }
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(126);
        dup2(pipeFds[1], 1);
        execve(args[0], args.data(), envp.data());
        _exit(127);
    }
    close(pipeFds[1]);

    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[4096];
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        deadline - std::chrono::steady_clock::now())
                        .count();
        if (left <= 0) {
            result.timedOut = true;
            kill(pid, SIGKILL);
            break;
        }
        pollfd p = {pipeFds[0], POLLIN, 0};
        int rc = poll(&p, 1, static_cast<int>(left));
        if (rc < 0 && errno == EINTR) continue;
        if (rc <= 0) continue;
        ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        result.out.append(buffer, static_cast<size_t>(got));
    }
    close(pipeFds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!result.timedOut && WIFEXITED(status)) result.status = WEXITSTATUS(status);
    return result;
}

}  // namespace tw::test

#include "support/ClientRun.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "support/TwTest.h"
// Xlib's macros come last.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

namespace tw::test {

namespace {

constexpr auto kTimeout = std::chrono::seconds(60);
constexpr auto kPoll = std::chrono::milliseconds(20);

}  // namespace

bool MakeSampleInstallation(const std::string& mkinstall, const std::string& extraConfig) {
    const std::string command = mkinstall + " . > mkinstall.txt 2>&1";
    if (system(command.c_str()) != 0) return false;
    const std::string config = ReadFile("tw.cfg");
    if (config.empty()) return false;
    WriteFile("tw.cfg", config + extraConfig);
    return true;
}

namespace {

// The parent's sanitizer options, with the leak check off.
std::string ChildAsanOptions() {
    std::string asan = getenv("ASAN_OPTIONS") ? getenv("ASAN_OPTIONS") : "";
    return asan + (asan.empty() ? "" : ":") + "detect_leaks=0";
}

}  // namespace

ClientProcess::ClientProcess(const std::string& path) {
    const std::string asan = ChildAsanOptions();
    pid_ = fork();
    if (pid_ == 0) {
        const int out = open("stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, 1);
        dup2(err, 2);
        setenv("ASAN_OPTIONS", asan.c_str(), 1);
        execl(path.c_str(), "twclient", static_cast<char*>(nullptr));
        _exit(127);
    }
}

ClientProcess::ClientProcess(const std::vector<std::string>& argv,
                             const std::vector<std::string>& env, const std::string& output) {
    const std::string asan = ChildAsanOptions();
    // Built before the fork: the child only execs.
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, 1);
        dup2(fd, 2);
        setenv("ASAN_OPTIONS", asan.c_str(), 1);
        for (const std::string& entry : env) {
            const size_t equals = entry.find('=');
            if (equals == std::string::npos)
                unsetenv(entry.c_str());
            else
                setenv(entry.substr(0, equals).c_str(), entry.substr(equals + 1).c_str(), 1);
        }
        execv(args[0], args.data());
        _exit(127);
    }
}

ClientProcess::~ClientProcess() {
    if (pid_ <= 0 || exited_) return;
    kill(pid_, SIGTERM);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (Running() && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(kPoll);
    if (!exited_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool ClientProcess::Running() {
    if (exited_ || pid_ <= 0) return false;
    int status;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return !exited_;
}

int ClientProcess::Wait() {
    const auto end = std::chrono::steady_clock::now() + kTimeout;
    while (Running() && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(kPoll);
    return exited_ ? status_ : -1;
}

XWindow WaitForClientWindow(XvfbClient& x, ClientProcess& client) {
    const auto end = std::chrono::steady_clock::now() + kTimeout;
    while (client.Running() && std::chrono::steady_clock::now() < end) {
        if (const XWindow window = x.FindWindow("Tarrowmere")) return window;
        std::this_thread::sleep_for(kPoll);
    }
    return 0;
}

bool WaitForFrames(XvfbClient& x, XWindow window, ClientProcess& client, int count) {
    Display* display = x.display();
    int damageEvent = 0, damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) return false;
    const Damage damage = XDamageCreate(display, window, XDamageReportNonEmpty);
    XFlush(display);
    int seen = 0;
    const auto end = std::chrono::steady_clock::now() + kTimeout;
    while (seen < count && client.Running() && std::chrono::steady_clock::now() < end) {
        bool drawn = false;
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == damageEvent + XDamageNotify) drawn = true;
        }
        if (drawn) {
            XDamageSubtract(display, damage, 0, 0);
            XFlush(display);
            ++seen;
        } else {
            std::this_thread::sleep_for(kPoll);
        }
    }
    XDamageDestroy(display, damage);
    XFlush(display);
    return seen == count;
}

void TypeAccount(XvfbClient& x, XWindow window, const std::string& account,
                 const std::string& password) {
    x.Click(window, 400, 350);
    x.TypeText(account);
    x.Click(window, 400, 390);
    x.TypeText(password + "\n");
}

}  // namespace tw::test

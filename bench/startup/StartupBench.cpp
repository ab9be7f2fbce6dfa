// Start-up of the client in the sample installation: the wall time from
// exec to the line "Main Program Loop. Start." in its report file, its peak
// resident memory (peak_rss_MB) and the processor time it used (cpu_ms) by
// then, beside a least X client that opens its window and writes the same
// line.  Then the road a player sees: from exec to the main menu drawn in
// the window, and from the main menu to the world drawn round the player
// against the sample shard (in this process), each with its goal beside it
// (goal_ms, goal_MB).  Every start gets a fresh Xvfb started with -noreset, as under
// ./run.sh (the server's own start is not timed).  Without -noreset the
// server resets when the client's first connection (the depth it tries
// first) closes, and the second one meets that reset.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fstream>
#include <thread>

#include "BenchScratch.h"
#include "SampleShard.h"
#include "support/ClientRun.h"
#include "support/Xvfb.h"
// Xlib's macros come after everything else.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

constexpr char kLoopLine[] = "Main Program Loop. Start.";
constexpr char kLog[] = "TWReport0.log";
constexpr int kGiveUpMs = 20000;

// The sample installation, made once in the scratch folder.
const std::string& SampleDir() {
    static const std::string dir = [] {
        const std::string path = tw::bench::EnterScratchDir() + "/sample";
        const std::string command = std::string(TW_MKINSTALL_PATH) + " " + path + " >/dev/null";
        if (system(command.c_str()) != 0) return std::string();
        return path;
    }();
    return dir;
}

struct Run {
    bool ok = false;
    double seconds = 0;
    long peakRssKb = 0;
    double cpuSeconds = 0;
};

// Starts the program in the folder and waits until its report file holds
// the loop line; then ends it.
Run StartUntilLoopLine(const char* program, const std::string& dir) {
    Run run;
    const std::string log = dir + "/" + kLog;
    unlink(log.c_str());
    const int watch = inotify_init1(IN_CLOEXEC);
    if (watch < 0 || inotify_add_watch(watch, dir.c_str(), IN_CREATE | IN_MODIFY) < 0) {
        if (watch >= 0) close(watch);
        return run;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        int null = open("/dev/null", O_RDWR);
        dup2(null, 1);
        dup2(null, 2);
        if (chdir(dir.c_str()) != 0) _exit(127);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    std::string seen;
    int fd = -1;
    while (pid > 0) {
        if (fd < 0) fd = open(log.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            char buffer[4096];
            ssize_t n;
            while ((n = read(fd, buffer, sizeof buffer)) > 0) seen.append(buffer, size_t(n));
            if (seen.find(kLoopLine) != std::string::npos) {
                run.seconds =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                run.ok = true;
                break;
            }
        }
        // Wait for the report file to be made or to grow.
        pollfd p{watch, POLLIN, 0};
        if (poll(&p, 1, kGiveUpMs) <= 0) break;
        char events[4096];
        if (read(watch, events, sizeof events) < 0) break;
    }
    if (fd >= 0) close(fd);
    close(watch);
    if (pid > 0) {
        kill(pid, SIGKILL);
        int status;
        rusage usage{};
        while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
        }
        run.peakRssKb = usage.ru_maxrss;
        run.cpuSeconds =
            static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
            static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    }
    return run;
}

void Measure(benchmark::State& state, const char* program) {
    const std::string& dir = SampleDir();
    if (dir.empty()) {
        state.SkipWithError("mkinstall failed");
        return;
    }
    long peak = 0;
    double cpu = 0;
    for (auto _ : state) {
        tw::test::XvfbServer server;
        if (!server.ok()) {
            state.SkipWithError(server.error().c_str());
            break;
        }
        const Run run = StartUntilLoopLine(program, dir);
        if (!run.ok) {
            state.SkipWithError("no loop line");
            break;
        }
        state.SetIterationTime(run.seconds);
        peak = std::max(peak, run.peakRssKb);
        cpu += run.cpuSeconds;
    }
    state.counters["peak_rss_MB"] = static_cast<double>(peak) / 1024;
    if (state.iterations() > 0)
        state.counters["cpu_ms"] = cpu * 1000 / static_cast<double>(state.iterations());
}

void BM_StartupToMainLoop(benchmark::State& state) {
    Measure(state, TW_CLIENT_PATH);
}
BENCHMARK(BM_StartupToMainLoop)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_LeastXClientBaseline(benchmark::State& state) {
    Measure(state, TW_BASELINE_PATH);
}
BENCHMARK(BM_LeastXClientBaseline)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The road: the client as a player starts it, timed by what its window
// shows.

constexpr double kMainMenuGoalMs = 150;
constexpr double kWorldGoalMb = 64;

pid_t StartClient(const std::string& dir) {
    const pid_t pid = fork();
    if (pid == 0) {
        int null = open("/dev/null", O_RDWR);
        dup2(null, 1);
        dup2(null, 2);
        if (chdir(dir.c_str()) != 0) _exit(127);
        execl(TW_CLIENT_PATH, TW_CLIENT_PATH, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// The peak resident memory of a running process, in KB.
long PeakRssKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

void EndClient(pid_t pid) {
    kill(pid, SIGKILL);
    int status;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

// An X error (a window gone or not yet shown while it is read) only means
// "not yet" here.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

using Clock = std::chrono::steady_clock;

// Waits for the client's window and for its top-left corner, where the main
// menu's first button lies, to be drawn; 0 when it does not come.
Window WaitForMainMenu(tw::test::XvfbClient& x) {
    const auto end = Clock::now() + std::chrono::milliseconds(kGiveUpMs);
    Window window = 0;
    while (Clock::now() < end) {
        if (window == 0) window = x.FindWindow("Tarrowmere");
        if (window != 0) {
            for (std::uint16_t p : x.ReadPixels(window, 64, 24))
                if (p != 0) return window;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 0;
}

void BM_StartupToMainMenu(benchmark::State& state) {
    const std::string& dir = SampleDir();
    if (dir.empty()) {
        state.SkipWithError("mkinstall failed");
        return;
    }
    XSetErrorHandler(IgnoreXError);
    long peak = 0;
    for (auto _ : state) {
        tw::test::XvfbServer server;
        if (!server.ok()) {
            state.SkipWithError(server.error().c_str());
            break;
        }
        tw::test::XvfbClient x;
        const auto start = Clock::now();
        const pid_t pid = StartClient(dir);
        const bool shown = WaitForMainMenu(x) != 0;
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        peak = std::max(peak, PeakRssKb(pid));
        EndClient(pid);
        if (!shown) {
            state.SkipWithError("no main menu");
            break;
        }
        state.SetIterationTime(seconds);
    }
    state.counters["peak_rss_MB"] = static_cast<double>(peak) / 1024;
    state.counters["goal_ms"] = kMainMenuGoalMs;
}
BENCHMARK(BM_StartupToMainMenu)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Waits until the shard has received a message beginning with prefix, then
// until the window's top-left width x height pixels differ from before.
bool WaitForAnswer(tw::test::XvfbClient& x, Window window, sampleshard::SampleShard& shard,
                   const std::string& prefix, const std::vector<std::uint16_t>& before, int width,
                   int height) {
    const auto end = Clock::now() + std::chrono::milliseconds(kGiveUpMs);
    std::string log;
    while (log.find(prefix) == std::string::npos) {
        if (Clock::now() >= end) return false;
        char* text = nullptr;
        size_t length = 0;
        FILE* memory = open_memstream(&text, &length);
        shard.LogNewMessages(memory);
        fclose(memory);
        log.append(text, length);
        free(text);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    while (x.ReadPixels(window, width, height) == before) {
        if (Clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void BM_MainMenuToWorld(benchmark::State& state) {
    const std::string& dir = SampleDir();
    if (dir.empty()) {
        state.SkipWithError("mkinstall failed");
        return;
    }
    XSetErrorHandler(IgnoreXError);
    long peak = 0;
    for (auto _ : state) {
        tw::test::XvfbServer server;
        sampleshard::SampleShard shard("");
        tw::test::WriteLoginCfg(dir, shard.loginPort());
        if (!server.ok()) {
            state.SkipWithError(server.error().c_str());
            break;
        }
        tw::test::XvfbClient x;
        const pid_t pid = StartClient(dir);
        const Window window = WaitForMainMenu(x);
        if (window == 0) {
            EndClient(pid);
            state.SkipWithError("no main menu");
            break;
        }
        // As fast as a player could: the account, the shard by Enter, the
        // character by a double click, each once its screen is up (and a
        // pause of kSettle on it, counted in the figure).  The world is
        // there when the top-left corner of the window, the character
        // screen's background, changes.
        constexpr auto kSettle = std::chrono::milliseconds(150);
        const auto start = Clock::now();
        auto before = x.ReadPixels(window, 640, 480);
        tw::test::TypeAccount(x, window, "guest", "secret");
        bool ok = WaitForAnswer(x, window, shard, "login 0x80", before, 640, 480);
        std::this_thread::sleep_for(kSettle);
        before = x.ReadPixels(window, 640, 480);
        x.FakeKey(XK_Return, true);
        x.FakeKey(XK_Return, false);
        ok = ok && WaitForAnswer(x, window, shard, "game 0x91", before, 640, 480);
        std::this_thread::sleep_for(kSettle);
        before = x.ReadPixels(window, 120, 120);
        x.Click(window, 335, 154);
        x.Click(window, 335, 154);
        ok = ok && WaitForAnswer(x, window, shard, "game 0x5D", before, 120, 120);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        // A few frames in the world before the memory is read.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        peak = std::max(peak, PeakRssKb(pid));
        EndClient(pid);
        if (!ok) {
            state.SkipWithError("the world did not come");
            break;
        }
        state.SetIterationTime(seconds);
    }
    state.counters["peak_rss_MB"] = static_cast<double>(peak) / 1024;
    state.counters["goal_MB"] = kWorldGoalMb;
}
BENCHMARK(BM_MainMenuToWorld)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

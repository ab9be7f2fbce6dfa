// Start-up of the client in the sample installation: the wall time from
// exec to the line "Main Program Loop. Start." in its report file, its peak
// resident memory (peak_rss_MB) and the processor time it used (cpu_ms) by
// then, beside a least X client that opens its window and writes the same
// line.  Every start gets a fresh Xvfb started with -noreset, as under
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

#include "BenchScratch.h"
#include "support/Xvfb.h"

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

}  // namespace

// sampleshard DIR: the sample shard for the installation in DIR.  It
// listens on two free ports of 127.0.0.1, writes the login server's into
// DIR/"login.cfg", logs every client message to DIR/"sampleshard.log" (one
// line each) and runs until it is sent SIGTERM, SIGINT or SIGHUP.  When it
// is ready it prints one line, "sampleshard: login server on
// 127.0.0.1:PORT", on standard output.
#include <signal.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "SampleShard.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    // The signals that end the shard are taken in the loop below, between
    // two looks at what came in.
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGTERM);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stops, nullptr);

    const std::string logPath = dir + "/sampleshard.log";
    FILE* log = fopen(logPath.c_str(), "w");
    if (!log) {
        fprintf(stderr, "sampleshard: cannot write '%s'\n", logPath.c_str());
        return 1;
    }
    sampleshard::SampleShard shard(sampleshard::ConfiguredAccount(dir));
    tw::test::WriteLoginCfg(dir, shard.loginPort());
    printf("sampleshard: login server on 127.0.0.1:%u\n", static_cast<unsigned>(shard.loginPort()));
    fflush(stdout);

    const timespec step{0, 20 * 1000 * 1000};
    for (;;) {
        shard.LogNewMessages(log);
        const int signal = sigtimedwait(&stops, nullptr, &step);
        if (signal > 0) break;
    }
    shard.LogNewMessages(log);
    fclose(log);
    return 0;
}

// PerformanceManager: the microsecond clock and the place for named timers.
// The client never creates a timer; the list stays empty.
#pragma once

class PerformanceTimer;

class PerformanceManager {
public:
    static void startup() {}
    static void shutdown() {}
    static void update() {}

    // gettimeofday in microseconds, retried; fatal when the system has no time.
    static long double getCurrentTime();
    // Always null: no timer exists.
    static PerformanceTimer* getTimer(const char* name);
    static void resetTimers();
    static double getTimerTotal() { return 0.0; }
};

// Hardware: the byte-order probe.  Nothing in the client calls it; the client
// assumes the little-endian order of its platform and reads every file and
// wire field byte by byte anyway.
class Hardware {
public:
    enum Endianness { kUnknown = 0, kBig = 1, kLittle = 2 };

    static void determineEndianness4();
    static void determineEndianness2();
    static void probe();
    static void resetProbe() { s_probed = false; }
    static bool isLittleEndian() { return s_order == kLittle; }
    static bool isBigEndian() { return s_order == kBig; }
    static int order() { return s_order; }

private:
    static int s_order;
    static bool s_probed;
};

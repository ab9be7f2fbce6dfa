#include "PerformanceManager.h"

#include <sys/time.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "TWReport.h"
#include "TWTypes.h"

namespace {

// A record of the timer list; nothing in the client fills the list.
struct TimerRecord {
    TimerRecord* next;
    M_BYTE running;
};
TimerRecord* s_timers = nullptr;

}  // namespace

long double PerformanceManager::getCurrentTime() {
    timeval tv{};
    for (int attempt = 0; attempt < 17; ++attempt) {
        if (gettimeofday(&tv, nullptr) == 0)
            return static_cast<long double>(tv.tv_sec) * 1000000.0L + tv.tv_usec;
    }
    TWReport::fatal("PerformanceManager::getCurrentTime: cannot get time from system.\n");
}

PerformanceTimer* PerformanceManager::getTimer(const char* name) {
    TWReport::warning("PerformanceManager::getTimer: could not find timer for '%s'\n",
                      name ? name : "");
    return nullptr;
}

void PerformanceManager::resetTimers() {
    for (TimerRecord* t = s_timers; t; t = t->next) t->running = 0;
}

int Hardware::s_order = Hardware::kUnknown;
bool Hardware::s_probed = false;

namespace {

template <typename T>
int classify(const T& value, const M_BYTE (&big)[sizeof(T)], const M_BYTE (&little)[sizeof(T)]) {
    M_BYTE bytes[sizeof(T)];
    memcpy(bytes, &value, sizeof(T));
    if (memcmp(bytes, big, sizeof(T)) == 0) return Hardware::kBig;
    if (memcmp(bytes, little, sizeof(T)) == 0) return Hardware::kLittle;
    return Hardware::kUnknown;
}

void say(const char* function, const char* where, int order) {
    if (order == Hardware::kBig)
        printf("Hardware::%s: %s suggests big-endian.\n", function, where);
    else if (order == Hardware::kLittle)
        printf("Hardware::%s: %s suggests little-endian.\n", function, where);
    else
        printf(
            "Hardware::%s: %s suggests middle-endian. currently no support for this kind of "
            "endian-ness\n",
            function, where);
}

template <typename T>
int probeBoth(const char* function, T value, const M_BYTE (&big)[sizeof(T)],
              const M_BYTE (&little)[sizeof(T)]) {
    int order = classify(value, big, little);
    say(function, "stack (method 1)", order);
    auto heap = std::make_unique<T>(value);
    order = classify(*heap, big, little);
    say(function, "heap (method 2)", order);
    return order;
}

}  // namespace

void Hardware::determineEndianness4() {
    static const M_BYTE big[4] = {0x12, 0x34, 0x56, 0x78};
    static const M_BYTE little[4] = {0x78, 0x56, 0x34, 0x12};
    s_order = probeBoth<M_DWORD>("determineEndianness4", 0x12345678u, big, little);
}

void Hardware::determineEndianness2() {
    static const M_BYTE big[2] = {0x12, 0x34};
    static const M_BYTE little[2] = {0x34, 0x12};
    s_order = probeBoth<M_WORD>("determineEndianness2", 0x1234, big, little);
}

void Hardware::probe() {
    if (s_probed) return;
    determineEndianness4();
    s_probed = true;
}

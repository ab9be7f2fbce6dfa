#include "TWReport.h"

// fatal ends by a failed assertion in every build, Release included.
#undef NDEBUG
#include <cassert>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace {

constexpr int kFatalMask = 0x3F;
constexpr int kErrorMask = 0x1F;
constexpr int kWarningMask = 0x15;
constexpr int kNoticeMask = 0x1D;
constexpr int kMessageMask = 0x15;
constexpr int kPrintMask = 0x15;

bool s_started = false;
bool s_stopped = false;
bool s_errataOpened = false;
FILE* s_file = nullptr;
int s_mask = kPrintMask;

// Recursive: the self-start inside an output logs lines of its own.
std::recursive_mutex& lock() {
    static std::recursive_mutex m;
    return m;
}

void fileName(char* out, size_t size, const char* pattern) {
    snprintf(out, size, pattern, TWReport::getLogNumber());
}

void openFile(const char* name) {
    s_file = fopen(name, "w");
    if (s_file)
        TWReport::message("TWReport: created file '%s' for writing.\n", name);
    else
        TWReport::warning("TWReport: cannot open file '%s' for writing.\n", name);
}

void writeMasked(int mask, const char* prefix, const char* text) {
    std::lock_guard<std::recursive_mutex> guard(lock());
    s_mask = mask;
    if (!s_started || (s_stopped && !s_errataOpened)) {
        TWReport::start();
        TWReport::warning("TWReport::outputText: had to call 'start'\n");
        s_mask = mask;
    }
    if (!prefix) prefix = "";
    if (!text) text = "";
    if (mask & TWReport::kToStderr) fprintf(stderr, "%s%s", prefix, text);
    if ((mask & TWReport::kToFile) && s_file) {
        fprintf(s_file, "%s%s", prefix, text);
        fflush(s_file);
    }
}

// Each call formats into its own buffer, so a self-start in the middle of an
// output cannot overwrite the caller's text.
void logv(int mask, const char* prefix, const char* format, va_list args) {
    if (!prefix && !format) return;
    char buffer[TWReport::kBufferSize] = {};
    if (format) vsnprintf(buffer, TWReport::kBufferSize - 1, format, args);
    buffer[TWReport::kBufferSize - 1] = 0;
    writeMasked(mask, prefix, buffer);
}

}  // namespace

void TWReport::start() {
    std::lock_guard<std::recursive_mutex> guard(lock());
    char name[64];
    if (!s_started) {
        if (s_stopped) fatal("TWReport::start: !started && stopped => freak occurance!\n");
        s_started = true;
        fileName(name, sizeof name, "TWReport%d.log");
        openFile(name);
        message("TWReport: starting up...\n");
    } else if (!s_stopped) {
        warning("TWReport::start: already started!\n");
    } else if (!s_errataOpened) {
        s_errataOpened = true;
        fileName(name, sizeof name, "TWErrata%d.log");
        warning(
            "TWReport::start: already started & stopped! look in file '%s' for further "
            "information.\n",
            name);
        openFile(name);
    }
    message("TWReport: started.\n");
}

void TWReport::stop() {
    std::lock_guard<std::recursive_mutex> guard(lock());
    if (!s_started) {
        warning("TWReport::stop: not started!\n");
        return;
    }
    if (s_stopped) {
        warning("TWReport::stop: already stopped!\n");
        return;
    }
    message("TWReport: stopping...\n");
    if (s_file) {
        fclose(s_file);
        s_file = nullptr;
    }
    s_stopped = true;
}

#define TW_LOG_LEVEL(name, mask, prefix)           \
    void TWReport::name(const char* format, ...) { \
        va_list args;                              \
        va_start(args, format);                    \
        logv(mask, prefix, format, args);          \
        va_end(args);                              \
    }

TW_LOG_LEVEL(error, kErrorMask, "TWReport::error: ")
TW_LOG_LEVEL(warning, kWarningMask, "TWReport::warning: ")
TW_LOG_LEVEL(notice, kNoticeMask, "TWReport::notice: ")
TW_LOG_LEVEL(message, kMessageMask, "TWReport::message: ")
// print has no prefix, not even an empty one: print with a null format is
// the one call that does nothing at all, not even start the service.
TW_LOG_LEVEL(print, kPrintMask, nullptr)
#undef TW_LOG_LEVEL

void TWReport::fatal(const char* format, ...) {
    va_list args;
    va_start(args, format);
    logv(kFatalMask, "TWReport::fatal: ", format, args);
    va_end(args);
    // The fatal mask always has the abort bit: end by a failed assertion, so
    // that the process never reports success after a fatal error.
    __assert_fail("0", "../../src/TWReport", 196, "static void TWReport::fatal(const char * ...)");
}

void TWReport::outputText(const char* prefix, const char* text) {
    std::lock_guard<std::recursive_mutex> guard(lock());
    writeMasked(s_mask, prefix, text);
}

void TWReport::reset() {
    std::lock_guard<std::recursive_mutex> guard(lock());
    if (s_file) fclose(s_file);
    s_file = nullptr;
    s_started = s_stopped = s_errataOpened = false;
    s_mask = kPrintMask;
}

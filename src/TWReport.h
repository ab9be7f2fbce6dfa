// TWReport: the one diagnostic channel of the client.
//
// Five levels and an unprefixed print, each a printf format.  Every line goes
// to standard error, to the report file "TWReport0.log", or to both, by the
// level's output mask; `fatal` aborts.  A line logged after `stop` opens the
// errata file "TWErrata0.log" and goes there.  The service starts itself when
// used before `start`.  Safe to call from several threads.
#pragma once

class TWReport {
public:
    // Output mask bits.
    static constexpr int kAbortOnFatal = 0x01;
    static constexpr int kToStderr = 0x02;
    static constexpr int kToFile = 0x04;

    static constexpr int kBufferSize = 2048;

    static void start();
    static void stop();

    [[noreturn]] static void fatal(const char* format, ...) __attribute__((format(printf, 1, 2)));
    static void error(const char* format, ...) __attribute__((format(printf, 1, 2)));
    static void warning(const char* format, ...) __attribute__((format(printf, 1, 2)));
    static void notice(const char* format, ...) __attribute__((format(printf, 1, 2)));
    static void message(const char* format, ...) __attribute__((format(printf, 1, 2)));
    static void print(const char* format, ...) __attribute__((format(printf, 1, 2)));

    // Writes prefix and text by the mask of the last level used.
    static void outputText(const char* prefix, const char* text);

    static int getLogNumber() { return 0; }

    // Test support: forget every state, close the files.
    static void reset();
};

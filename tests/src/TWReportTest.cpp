#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "TWReport.h"
#include "support/TwTest.h"

namespace {

using tw::test::ReadFile;
using tw::test::StderrCapture;

class TWReportTest : public tw::test::TwTest {};

struct LevelCase {
    const char* name;
    void (*log)(const char*);
    void (*entry)(const char* format, ...);  // called as it is, with any format
    const char* prefix;
    bool toStderr;
};

const LevelCase kLevels[] = {
    {"error", [](const char* t) { TWReport::error("%s", t); }, TWReport::error,
     "TWReport::error: ", true},
    {"warning", [](const char* t) { TWReport::warning("%s", t); }, TWReport::warning,
     "TWReport::warning: ", false},
    {"notice", [](const char* t) { TWReport::notice("%s", t); }, TWReport::notice,
     "TWReport::notice: ", false},
    {"message", [](const char* t) { TWReport::message("%s", t); }, TWReport::message,
     "TWReport::message: ", false},
    {"print", [](const char* t) { TWReport::print("%s", t); }, TWReport::print, "", false},
};

TEST_F(TWReportTest, EachLevelWritesItsPrefixToTheFileAndOnlyErrorsToStderr) {
    TWReport::start();
    for (const LevelCase& level : kLevels) {
        StderrCapture capture;
        std::string text = std::string("line of ") + level.name + "\n";
        level.log(text.c_str());
        std::string expected = std::string(level.prefix) + text;
        EXPECT_NE(ReportLog().find(expected), std::string::npos) << level.name;
        EXPECT_EQ(capture.text(), level.toStderr ? expected : "") << level.name;
    }
}

TEST_F(TWReportTest, ANullFormatWritesThePrefixAloneAndWithoutAPrefixNothing) {
    for (const LevelCase& level : kLevels) {
        TWReport::reset();
        remove("TWReport0.log");
        StderrCapture capture;
        level.entry(nullptr);
        const std::string prefix = level.prefix;
        if (prefix.empty()) {
            // No prefix and no format: the service does not even start.
            EXPECT_FALSE(tw::test::FileExists("TWReport0.log")) << level.name;
            EXPECT_EQ(capture.text(), "") << level.name;
            continue;
        }
        const std::string log = ReportLog();
        ASSERT_GE(log.size(), prefix.size()) << level.name;
        EXPECT_EQ(log.substr(log.size() - prefix.size()), prefix) << level.name;
        EXPECT_EQ(capture.text(), level.toStderr ? prefix : "") << level.name;
    }
}

TEST_F(TWReportTest, LoggingBeforeStartStartsItselfAndWarnsBeforeTheCallersLine) {
    TWReport::warning("early %d\n", 1);
    EXPECT_EQ(ReportLog(),
              "TWReport::message: TWReport: created file 'TWReport0.log' for writing.\n"
              "TWReport::message: TWReport: starting up...\n"
              "TWReport::message: TWReport: started.\n"
              "TWReport::warning: TWReport::outputText: had to call 'start'\n"
              "TWReport::warning: early 1\n");
}

TEST_F(TWReportTest, LinesAfterStopGoToTheErrataFile) {
    TWReport::start();
    TWReport::print("before\n");
    TWReport::stop();
    TWReport::print("after\n");
    TWReport::stop();

    std::string report = ReportLog();
    EXPECT_NE(report.find("before\n"), std::string::npos);
    EXPECT_NE(report.find("TWReport::message: TWReport: stopping...\n"), std::string::npos);
    EXPECT_EQ(report.find("after"), std::string::npos);

    std::string errata = ReadFile("TWErrata0.log");
    EXPECT_EQ(errata,
              "TWReport::message: TWReport: created file 'TWErrata0.log' for writing.\n"
              "TWReport::message: TWReport: started.\n"
              "TWReport::warning: TWReport::outputText: had to call 'start'\n"
              "after\n"
              "TWReport::warning: TWReport::stop: already stopped!\n");
}

TEST_F(TWReportTest, StartTwiceAndStopBeforeStartOnlyWarn) {
    TWReport::stop();  // starts itself to say so
    TWReport::start();
    std::string log = ReportLog();
    EXPECT_NE(log.find("TWReport::warning: TWReport::stop: not started!\n"), std::string::npos);
    EXPECT_NE(log.find("TWReport::warning: TWReport::start: already started!\n"),
              std::string::npos);
}

TEST_F(TWReportTest, LongMessagesAreCutAt2046Characters) {
    TWReport::start();
    std::string big(5000, 'x');
    TWReport::print("%s", big.c_str());
    std::string log = ReportLog();
    EXPECT_NE(log.find(std::string(2046, 'x')), std::string::npos);
    EXPECT_EQ(log.find(std::string(2047, 'x')), std::string::npos);
}

TEST_F(TWReportTest, TwoThreadsNeverMixTheirLines) {
    TWReport::start();
    auto writer = [](char c) {
        std::string line(60, c);
        for (int i = 0; i < 2000; ++i) TWReport::print("%s\n", line.c_str());
    };
    std::thread a(writer, 'a'), b(writer, 'b');
    a.join();
    b.join();
    std::string log = ReportLog();
    size_t lines = 0;
    for (size_t start = 0, end; (end = log.find('\n', start)) != std::string::npos;
         start = end + 1) {
        std::string line = log.substr(start, end - start);
        if (line[0] != 'a' && line[0] != 'b') continue;
        EXPECT_EQ(line, std::string(60, line[0]));
        ++lines;
    }
    EXPECT_EQ(lines, 4000u);
}

TEST_F(TWReportTest, FatalAbortsAfterLogging) {
    EXPECT_DEATH(TWReport::fatal("cannot go on: %d\n", 42), "TWReport::fatal: cannot go on: 42");
}

TEST_F(TWReportTest, FatalNeverEndsWithSuccess) {
    EXPECT_EXIT(TWReport::fatal("x\n"), testing::KilledBySignal(SIGABRT), "");
}

}  // namespace

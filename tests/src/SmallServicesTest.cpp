#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <string>

#include "Clock.h"
#include "ErrorMessage.h"
#include "MemoryManager.h"
#include "PerformanceManager.h"
#include "Random.h"
#include "support/TwTest.h"

namespace {

class SmallServicesTest : public tw::test::TwTest {};

struct Checked {
    M_DWORD validation;
};

TEST_F(SmallServicesTest, PointerChecksNeverReadThroughTheirPointer) {
    Checked live{MemoryManager::VALID_OBJECT_BIT_PATTERN};
    Checked foreign{0x12345678};
    auto* freed = reinterpret_cast<Checked*>(MemoryManager::FREED_POINTER);
    Checked* null = nullptr;

    EXPECT_TRUE(TW_VALIDATE_OBJECT(&live));
    EXPECT_EQ(ReportLog(), "");  // no line for a good object
    EXPECT_FALSE(TW_VALIDATE_OBJECT(&foreign));
    EXPECT_FALSE(TW_VALIDATE_OBJECT(freed));
    EXPECT_FALSE(TW_VALIDATE_OBJECT(null));

    std::string log = ReportLog();
    EXPECT_NE(log.find("validation_code != MemoryManager::VALID_OBJECT_BIT_PATTERN"),
              std::string::npos);
    EXPECT_NE(log.find("p == 0xdddddddd, from file"), std::string::npos);
    EXPECT_NE(log.find("p == 0, from file"), std::string::npos);
}

TEST_F(SmallServicesTest, FreeMemIgnoresNullAndTheFreedFill) {
    MemoryManager::FreeMem(nullptr);
    MemoryManager::FreeMem(reinterpret_cast<void*>(MemoryManager::FREED_POINTER));
    void* p = MemoryManager::GetMem(16);
    ASSERT_NE(p, nullptr);
    MemoryManager::FreeMem(p);
}

TEST_F(SmallServicesTest, GetMemOfZeroLogsTheSizeError) {
    tw::test::StderrCapture capture;
    MemoryManager::FreeMem(MemoryManager::GetMem(0));
    EXPECT_NE(capture.text().find("MemoryManager::GetMem: size <= 0"), std::string::npos);
}

TEST_F(SmallServicesTest, MemoryManagerLifecycleLines) {
    MemoryManager::startup();
    MemoryManager::shutdown();
    std::string log = ReportLog();
    EXPECT_NE(log.find("MemoryManager::start\nMemoryManager::started\n"), std::string::npos);
    EXPECT_NE(log.find("MemoryManager::shutdown: stopping...\nMemoryManager::report:\n"),
              std::string::npos);
    EXPECT_NE(log.find("MemoryManager::stopped.\n"), std::string::npos);
}

TEST_F(SmallServicesTest, ByteOrderProbeFindsLittleEndianOnStackAndHeap) {
    testing::internal::CaptureStdout();
    Hardware::probe();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(Hardware::isLittleEndian());
    EXPECT_NE(out.find("Hardware::determineEndianness4: stack (method 1) suggests little-endian."),
              std::string::npos);
    EXPECT_NE(out.find("Hardware::determineEndianness4: heap (method 2) suggests little-endian."),
              std::string::npos);
}

TEST_F(SmallServicesTest, PerformanceClockIncreasesAndTimersAreAbsent) {
    long double a = PerformanceManager::getCurrentTime();
    usleep(1000);
    EXPECT_GT(PerformanceManager::getCurrentTime(), a);
    EXPECT_EQ(PerformanceManager::getTimer("frame"), nullptr);
    EXPECT_NE(ReportLog().find("could not find timer for 'frame'"), std::string::npos);
}

TEST_F(SmallServicesTest, ClockCanBeReplacedAndDifferencesSurviveTheWrap) {
    static M_DWORD now = 0xFFFFFFF0u;
    SetTimeSourceForTests([] { return now; });
    M_DWORD start = GetTimeMs();
    now += 0x20;  // wraps
    EXPECT_EQ(GetTimeMs() - start, 0x20u);
    EXPECT_EQ(GetDoubleClickTime(), 250);
}

TEST_F(SmallServicesTest, RandomNumbersStayBelowTheirBoundAndNoneBelowOne) {
    EXPECT_EQ(RandomNumber(0), 0);
    EXPECT_EQ(RandomNumber(-3), 0);
    EXPECT_EQ(RandomNumber(1), 0);
    for (int i = 0; i < 100; ++i) {
        int r = RandomNumber(7);
        EXPECT_GE(r, 0);
        EXPECT_LT(r, 7);
    }
}

TEST_F(SmallServicesTest, ErrorMessageWritesCaptionFirst) {
    tw::test::StderrCapture capture;
    ErrorMessage("Missing Font!", "Error", FALSE);
    EXPECT_EQ(capture.text(), "Error: Missing Font!\n");
}

TEST_F(SmallServicesTest, FatalErrorMessageExitsWithFailure) {
    EXPECT_EXIT(ErrorMessage("Cache is full.", "Caching Error", TRUE), testing::ExitedWithCode(1),
                "Caching Error: Cache is full.");
}

}  // namespace

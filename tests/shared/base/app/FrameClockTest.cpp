#include <gtest/gtest.h>

#include "app/FrameTick.h"

namespace {

TEST(FrameClockTest, BodyRunsOnlyMoreThan75MsAfterTheLastOne) {
    FrameTickState state;
    state.lastTick = 1000;
    state.lastSecond = 1000;
    struct {
        M_DWORD now;
        bool run;
    } calls[] = {
        {1050, false},  // 50 ms: the gate holds
        {1075, false},  // exactly 75: still held
        {1100, true},   // 100 ms after the last body
        {1150, false},  // the loop's next call, 50 ms later
        {1200, true},   // every other call at 50 ms spacing
        {1276, true},   // a late call runs at once
    };
    for (const auto& c : calls) EXPECT_EQ(PassFrameGate(state, c.now).run, c.run) << c.now;
}

TEST(FrameClockTest, SecondTicksComeOncePerSecondAcrossTheClockWrap) {
    FrameTickState state;
    state.lastTick = 0xFFFFFF00u;
    state.lastSecond = 0xFFFFFF00u;
    EXPECT_FALSE(PassFrameGate(state, 0xFFFFFF80u).secondTick);
    FrameGate gate = PassFrameGate(state, 0x000002E8u);  // 1000 ms later, past the wrap
    EXPECT_TRUE(gate.run);
    EXPECT_TRUE(gate.secondTick);
    EXPECT_FALSE(PassFrameGate(state, 0x00000340u).secondTick);
}

TEST(FrameClockTest, GameClockCarriesSecondsMinutesAndHours) {
    struct {
        int hour, minute, seconds;
        int expectHour, expectMinute, expectSeconds;
    } cases[] = {
        {5, 10, 3, 5, 10, 4},
        {5, 10, 19, 5, 11, 0},  // twenty counts make a game minute
        {5, 59, 19, 6, 0, 0},
        {23, 59, 19, 0, 0, 0},  // midnight
    };
    for (const auto& c : cases) {
        int hour = c.hour, minute = c.minute, seconds = c.seconds;
        AdvanceGameClock(&hour, &minute, &seconds);
        EXPECT_EQ(hour, c.expectHour);
        EXPECT_EQ(minute, c.expectMinute);
        EXPECT_EQ(seconds, c.expectSeconds);
    }
}

TEST(FrameClockTest, KeepAliveEverySixtySecondsOnlyWhileConnected) {
    FrameTickState state;
    const time_t t = 1000000;
    EXPECT_FALSE(KeepAliveDue(state, false, t));  // idle: the time follows the wall clock
    EXPECT_FALSE(KeepAliveDue(state, true, t + 60));
    EXPECT_TRUE(KeepAliveDue(state, true, t + 61));  // 61 s after the last idle tick
    EXPECT_FALSE(KeepAliveDue(state, true, t + 121));
    EXPECT_TRUE(KeepAliveDue(state, true, t + 122));
    // A wall clock set back waits until it passes the stored time by 61 s.
    EXPECT_FALSE(KeepAliveDue(state, true, t - 5000));
    EXPECT_FALSE(KeepAliveDue(state, true, t + 182));
    EXPECT_TRUE(KeepAliveDue(state, true, t + 183));
    // Leaving the world restarts the wait.
    EXPECT_FALSE(KeepAliveDue(state, false, t + 500));
    EXPECT_FALSE(KeepAliveDue(state, true, t + 560));
    EXPECT_TRUE(KeepAliveDue(state, true, t + 561));
}

}  // namespace

#include <gtest/gtest.h>

#include "Platform.h"
#include "config/Config.h"
#include "support/TwTest.h"

namespace {

// Every test of this folder starts from the built-in configuration.
const bool registered = [] {
    tw::test::AddServiceReset(ResetConfigForTests);
    return true;
}();

struct PlanCase {
    const char* what;
    M_DWORD deadline;
    M_DWORD now;
    BOOL frameSkipping;
    int ticks;
    bool firstSkipsDraw;
    M_DWORD nextDeadline;
};

TEST(MainLoopSchedulerTest, DecidesTicksAndDeadlineByElapsedPeriods) {
    const M_DWORD P = 50;
    const PlanCase cases[] = {
        {"not yet due", 1000, 1049, FALSE, 0, false, 1000},
        {"exactly one period: one tick, deadline advances", 1000, 1050, FALSE, 1, false, 1050},
        {"short delay is caught up", 1000, 1099, FALSE, 1, false, 1050},
        {"two periods behind: one tick, deadline reset", 1000, 1100, FALSE, 1, false, 1100},
        {"two periods behind with skipping: two ticks", 1000, 1100, TRUE, 2, true, 1100},
        {"clock went backwards", 1000, 900, FALSE, 1, false, 900},
        {"clock went backwards with skipping", 1000, 900, TRUE, 2, true, 900},
        {"across the clock's wrap", 0xFFFFFFF0u, 0x22u, FALSE, 1, false, 0x22u},
    };
    for (const PlanCase& c : cases) {
        TickPlan plan = PlanTicks(c.deadline, c.now, P, c.frameSkipping);
        EXPECT_EQ(plan.ticks, c.ticks) << c.what;
        EXPECT_EQ(plan.firstSkipsDraw, c.firstSkipsDraw) << c.what;
        EXPECT_EQ(plan.deadline, c.nextDeadline) << c.what;
    }
}

}  // namespace

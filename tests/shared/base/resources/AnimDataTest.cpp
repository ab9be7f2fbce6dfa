// Animation data: "animdata.mul" and the stepping of entries by the tick.
#include "DataFileTestSupport.h"
#include "resources/AnimData.h"

using namespace tw::test;
using namespace tw::datafiles;

namespace {

AnimDataRecord sequence(int count, int interval, int start) {
    AnimDataRecord r;
    for (int i = 0; i < 64; ++i) r.frames[i] = std::int8_t(i * 2 + 1);
    r.frameCount = M_BYTE(count);
    r.interval = M_BYTE(interval);
    r.start = M_BYTE(start);
    return r;
}

// The ticks out of the first `ticks` on which graphic steps.
std::vector<int> stepTicks(int graphic, int ticks) {
    std::vector<int> out;
    for (int t = 1; t <= ticks; ++t) {
        animCrap::tick = M_DWORD(t);
        int offset = 0;
        if (animCrap::StepEntry(graphic, &offset)) out.push_back(t);
    }
    return out;
}

}  // namespace

TEST_F(ResourceTest, WithoutAnimDataNothingAnimates) {
    LoadAnimData();
    EXPECT_EQ(animCrap::entries[100].interval, 8);
    int offset = -1;
    for (int t = 1; t <= 16; ++t) {
        animCrap::tick = M_DWORD(t);
        if (animCrap::StepEntry(100, &offset)) {
            EXPECT_EQ(offset, 0);
        }
    }
    EXPECT_FALSE(animCrap::StepEntry(-1, &offset));
    EXPECT_FALSE(animCrap::StepEntry(16384, &offset));
}

TEST_F(ResourceTest, AnimDataIsReadAndBoundedAndStepsByItsInterval) {
    std::map<int, AnimDataRecord> records;
    records[9] = sequence(3, 3, 1);
    AnimDataRecord wild = sequence(250, 1, 0);
    wild.current = 99;
    records[10] = wild;
    AnimDataRecord past = sequence(4, 1, 0);
    past.current = 4;
    records[11] = past;
    Bytes file = EncodeAnimData(records, 3);
    file.resize(file.size() - 1);  // entry 23 is cut short
    WriteBytes("animdata.mul", file);
    LoadAnimData();
    EXPECT_EQ(stepTicks(9, 9), (std::vector<int>{2, 5, 8}));
    EXPECT_EQ(animCrap::entries[10].frameCount, 64);
    EXPECT_EQ(animCrap::entries[10].current, 0);
    EXPECT_EQ(animCrap::entries[11].current, 0);
    EXPECT_EQ(animCrap::entries[22].interval, 0);
    EXPECT_EQ(animCrap::entries[23].interval, 8) << "the cut entry keeps its default";

    // Entry 11 (4 frames, its current frame reset to 0) wraps: frames[1],
    // [2], [3], [0], [1].
    std::vector<int> offsets;
    for (int t = 1; t <= 5; ++t) {
        animCrap::tick = M_DWORD(100 + t);
        int offset = 0;
        ASSERT_TRUE(animCrap::StepEntry(11, &offset));
        offsets.push_back(offset);
    }
    EXPECT_EQ(offsets, (std::vector<int>{3, 5, 7, 1, 3}));
}

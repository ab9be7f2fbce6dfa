// "animdata.mul" over arbitrary bytes, stepped for a few ticks.
#include <cstdint>

#include "fuzz/FuzzSupport.h"
#include "resources/AnimData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    if (!tw::fuzz::WriteInputFile("animdata.mul", data, size)) return 0;
    LoadAnimData();
    int sum = 0;
    for (M_DWORD tick = 1; tick <= 3; ++tick) {
        animCrap::tick = tick;
        for (int id = 0; id < animCrap::NUM_ENTRIES; ++id) {
            int offset = 0;
            if (animCrap::StepEntry(id, &offset)) sum += offset;
        }
    }
    return sum == 0x7FFFFFFF;
}

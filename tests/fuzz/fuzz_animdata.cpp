// "animdata.mul" over arbitrary bytes, stepped for a few ticks.
#include <cstdint>
#include <cstdio>

#include "fuzz/FuzzSupport.h"
#include "resources/AnimData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    FILE* f = fopen("animdata.mul", "wb");
    if (!f) return 0;
    if (size) fwrite(data, 1, size, f);
    fclose(f);
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

// "hues.mul" over arbitrary bytes.
#include <cstdint>
#include <cstdio>

#include "fuzz/FuzzSupport.h"
#include "resources/HueManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    FILE* f = fopen("hues.mul", "wb");
    if (!f) return 0;
    if (size) fwrite(data, 1, size, f);
    fclose(f);
    HueManager::startup();
    int colour = size >= 2 ? (data[0] | data[1] << 8) : 0;
    return HueManager::FindNearestHue(colour) < 0;
}

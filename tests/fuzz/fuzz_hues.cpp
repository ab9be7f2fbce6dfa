// "hues.mul" over arbitrary bytes.
#include <cstdint>

#include "fuzz/FuzzSupport.h"
#include "resources/HueManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    if (!tw::fuzz::WriteInputFile("hues.mul", data, size)) return 0;
    HueManager::startup();
    int colour = size >= 2 ? (data[0] | data[1] << 8) : 0;
    return HueManager::FindNearestHue(colour) < 0;
}

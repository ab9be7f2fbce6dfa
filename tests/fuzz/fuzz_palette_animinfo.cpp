// "palette.mul" and "animinfo.mul" over arbitrary bytes, read at start-up
// by the graphic manager: the palette is the input's first 768 bytes (or
// fewer), the animation info everything after them.  Every body's entry is
// then looked up, bodies outside the table included.
#include <cstdint>

#include "fuzz/FuzzSupport.h"
#include "resources/GraphicManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    const size_t paletteSize = size < 768 ? size : 768;
    if (!tw::fuzz::WriteInputFile("palette.mul", data, paletteSize) ||
        !tw::fuzz::WriteInputFile("animinfo.mul", data + paletteSize, size - paletteSize))
        return 0;
    GraphicManager::reset();
    GraphicManager::startup();
    unsigned sum = 0;
    for (int body = -1; body <= GraphicManager::NUM_ANIM_INFO; ++body) {
        const M_BYTE* info = GraphicManager::GetAnimInfo(body);
        sum += info[0] + info[1];
    }
    for (M_BYTE b : GraphicManager::palette) sum += b;
    return sum == 0xFFFFFFFF;
}

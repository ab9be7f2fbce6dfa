// The TGA reader over arbitrary bytes, into a bitmap whose size the first
// three bytes choose (width, height, extra pitch; the fourth is spare) (so that the size check
// passes as often as it fails).
#include <cstdint>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "gumps/TgaPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    if (size < 4) return 0;
    const int width = 1 + data[0] % 64, height = 1 + data[1] % 64;
    const int pitch = width + data[2] % 8;
    std::vector<M_WORD> bitmap(static_cast<size_t>(pitch) * height, 0x5555);
    DecodeTGA(data + 4, size - 4, bitmap.data(), width, height, pitch);
    return 0;
}

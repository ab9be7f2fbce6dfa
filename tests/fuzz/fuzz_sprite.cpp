// A run-length static-art item over arbitrary bytes, drawn clipped and
// unclipped into a small buffer and read pixel by pixel.  The first six bytes
// place it: x, y and the clip rectangle, each a signed byte.
#include <cstdint>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "resources/SkipDraw.h"
#include "resources/SpanHandlers.h"

namespace {
constexpr int kWidth = 32, kHeight = 24;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    if (size < 6) return 0;
    // Exactly the buffer's pixels on the heap, so that a stray write shows.
    std::vector<M_WORD> buffer(kWidth * kHeight, 0x1111);
    const BlitTarget target(buffer.data(), kWidth, kHeight);
    const int x = static_cast<int8_t>(data[0]), y = static_cast<int8_t>(data[1]);
    const RECT clip{static_cast<int8_t>(data[2]), static_cast<int8_t>(data[3]),
                    static_cast<int8_t>(data[4]), static_cast<int8_t>(data[5])};
    const SkipImage image{data + 6, static_cast<int>(size - 6)};
    SkipDrawClipped(CopySpan, image, target.Clipped(clip), x, y);
    SkipDrawClipped(Blend75Span, image, target, x, y);
    SkipDrawNoClip(HueGraySpan, image, target, x, y);
    unsigned sum = 0;
    for (int row = -1; row <= image.Height() && row < 40; ++row)
        for (int col = -1; col <= image.Width() && col < 40; ++col)
            sum += GetArtPixel(image, col, row);
    return sum == 0xFFFFFFFF;
}

// A gump-art item over arbitrary bytes, drawn into a small buffer through a
// clip rectangle and hit-tested.  The first ten bytes: width and height (u16
// each, as the index record's extra word gives them), x, y, and the clip
// rectangle as signed bytes.
#include <cstdint>
#include <vector>

#include "config/Config.h"
#include "fuzz/FuzzSupport.h"
#include "resources/GumpArt.h"
#include "resources/SpanHandlers.h"

namespace {
constexpr int kWidth = 32, kHeight = 24;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    if (size < 10) return 0;
    std::vector<M_WORD> buffer(kWidth * kHeight, 0x1111);
    GumpArtItem item;
    item.width = data[0] | data[1] << 8;
    item.height = data[2] | data[3] << 8;
    item.data = data + 10;
    item.size = static_cast<int>(size - 10);
    const int x = static_cast<int8_t>(data[4]), y = static_cast<int8_t>(data[5]);
    const RECT clip{static_cast<int8_t>(data[6]), static_cast<int8_t>(data[7]),
                    static_cast<int8_t>(data[8]), static_cast<int8_t>(data[9])};
    Display565 = (data[0] & 1) ? TRUE : FALSE;
    const BlitTarget target(buffer.data(), kWidth, kHeight);
    DrawGumpArtItem(CopySpanTransparent, item, x, y, target.Clipped(clip));
    DrawGumpArtItem(CopySpan, item, x, y, target);
    unsigned sum = 0;
    for (int row = -1; row <= item.height && row < 40; ++row)
        for (int col = -1; col <= item.width && col < 40; ++col)
            sum += GumpArtItemPixel(item, col, row);
    std::vector<M_WORD> block(8 * 8, 0x2222);
    BlitClipped(CopySpan, block.data(), 8, 8, x, y, target.Clipped(clip));
    return sum == 0xFFFFFFFF;
}

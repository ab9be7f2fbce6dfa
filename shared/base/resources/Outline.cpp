// A one-pixel outline around the drawn pixels of a bitmap (the text of
// tool-tips and speech).
#include <cstddef>
#include <vector>

#include "resources/SpanHandlers.h"

void OutlinePixels(M_WORD* pixels, int width, int height, M_WORD colour) {
    if (!pixels || width < 3 || height < 3) return;
    // The outline is found from the ink alone, never from outline pixels
    // already put down.
    const std::vector<M_WORD> ink(pixels, pixels + static_cast<std::size_t>(width) * height);
    auto at = [&](int x, int y) { return ink[static_cast<std::size_t>(y) * width + x]; };
    for (int y = 1; y < height - 1; ++y) {
        for (int x = 1; x < width - 1; ++x) {
            if (at(x, y)) continue;
            bool touches = false;
            for (int dy = -1; dy <= 1 && !touches; ++dy)
                for (int dx = -1; dx <= 1 && !touches; ++dx) touches = at(x + dx, y + dy) != 0;
            if (touches) pixels[static_cast<std::size_t>(y) * width + x] = colour;
        }
    }
}

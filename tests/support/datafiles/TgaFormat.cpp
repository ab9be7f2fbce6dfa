#include "support/datafiles/TgaFormat.h"

#include <cstddef>

namespace tw::data {

namespace {

void putPixel(std::vector<uint8_t>& out, int depth, uint32_t p) {
    out.push_back(static_cast<uint8_t>(p));
    out.push_back(static_cast<uint8_t>(p >> 8));
    if (depth == 24) out.push_back(static_cast<uint8_t>(p >> 16));
}

}  // namespace

std::vector<uint8_t> WriteTga(const TgaPicture& picture) {
    std::vector<uint8_t> out(18, 0);
    out[0] = static_cast<uint8_t>(picture.id.size());
    out[1] = static_cast<uint8_t>(picture.colourMapType);
    out[2] = static_cast<uint8_t>(picture.imageType);
    out[12] = static_cast<uint8_t>(picture.width);
    out[13] = static_cast<uint8_t>(picture.width >> 8);
    out[14] = static_cast<uint8_t>(picture.height);
    out[15] = static_cast<uint8_t>(picture.height >> 8);
    out[16] = static_cast<uint8_t>(picture.depth);
    for (uint8_t b : picture.id) out.push_back(b);
    // Bottom row first.
    std::vector<uint32_t> stream;
    for (int row = picture.height - 1; row >= 0; --row)
        for (int col = 0; col < picture.width; ++col)
            stream.push_back(picture.pixels[static_cast<size_t>(row) * picture.width + col]);
    if (picture.imageType != 10) {
        for (uint32_t p : stream) putPixel(out, picture.depth, p);
        return out;
    }
    // Each row is packed on its own.
    const std::size_t width = static_cast<std::size_t>(picture.width);
    for (std::size_t start = 0; start < stream.size(); start += width) {
        const std::size_t end = start + width;
        std::size_t i = start;
        while (i < end) {
            std::size_t run = 1;
            while (i + run < end && run < 128 && stream[i + run] == stream[i]) ++run;
            if (run > 1) {
                out.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
                putPixel(out, picture.depth, stream[i]);
                i += run;
                continue;
            }
            std::size_t literal = 1;
            while (i + literal < end && literal < 128 &&
                   !(i + literal + 1 < end && stream[i + literal] == stream[i + literal + 1]))
                ++literal;
            out.push_back(static_cast<uint8_t>(literal - 1));
            for (std::size_t k = 0; k < literal; ++k) putPixel(out, picture.depth, stream[i + k]);
            i += literal;
        }
    }
    return out;
}

}  // namespace tw::data

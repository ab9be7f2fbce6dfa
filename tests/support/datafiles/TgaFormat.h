// Writes small TGA pictures for tests: true colour, uncompressed or
// run-length, 16 or 24 bits, rows bottom-up as the format keeps them.
#pragma once

#include <cstdint>
#include <vector>

namespace tw::data {

struct TgaPicture {
    int width = 0;
    int height = 0;
    int depth = 24;     // 16 or 24
    int imageType = 2;  // 2 plain, 10 run-length
    int colourMapType = 0;
    std::vector<uint8_t> id;
    // Top row first; a 24-bit pixel is 0xRRGGBB, a 16-bit one is stored as is.
    std::vector<uint32_t> pixels;
};

// The file's bytes.  Run-length pictures pack equal neighbours of a row into
// repeat packets (up to 128 pixels) and the rest into literal packets.
std::vector<uint8_t> WriteTga(const TgaPicture& picture);

}  // namespace tw::data

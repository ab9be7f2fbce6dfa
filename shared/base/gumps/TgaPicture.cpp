// The TGA reader.
//
//   offset  size  field
//   0       1     id length (bytes of the id field after the header)
//   1       1     colour-map type: 0 (no colour map) is the only one taken
//   2       1     image type: 2 true colour, 10 run-length true colour
//   3       9     colour-map description and origin (not used)
//   12      2     width (little-endian)
//   14      2     height
//   16      1     bits per pixel: 16 (stored as the display pixel) or 24
//                 (blue, green, red)
//   17      1     descriptor (not used: rows are always bottom-up)
//   18      id length bytes of id, then the pixels, the bottom row first.
//
// A run-length picture is a stream of packets: a header byte, and with bit 7
// one pixel repeated (header & 0x7F) + 1 times, else that many literal
// pixels.  Each row starts with a packet of its own.  The whole picture is decoded into a buffer of
// its own first and copied only once it is complete, so a refused file leaves the bitmap as it was.
#include "gumps/TgaPicture.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "ByteReader.h"
#include "ErrorMessage.h"
#include "TWReport.h"
#include "resources/GraphicManager.h"

namespace {

constexpr int kHeaderSize = 18;

BOOL refuse(const char* why) {
    TWReport::error("LoadTGAIntoBitmap: %s\n", why);
    ErrorMessage("Invalid TGA file.", "Error", FALSE);
    return FALSE;
}

// One pixel of the file, or false when the data ends first.
bool readPixel(ByteReader& r, int depth, M_WORD* out) {
    if (depth == 16) {
        *out = r.u16le();
        return r.ok();
    }
    const M_BYTE b = r.u8(), g = r.u8(), red = r.u8();
    if (!r.ok()) return false;
    if (b == 0 && g == 0 && red == 0) {
        *out = 0;
    } else {
        const M_WORD p = GraphicManager::MakeColor(red, g, b);
        // A dark colour that packs to 0 must not turn transparent.
        *out = p ? p : 1;
    }
    return true;
}

}  // namespace

BOOL DecodeTGA(const M_BYTE* data, size_t size, M_WORD* pixels, int width, int height, int pitch) {
    if (pitch == 0) pitch = width;
    if (!pixels || width <= 0 || height <= 0 || pitch < width) return FALSE;
    ByteReader r(data, size);
    const M_BYTE idLength = r.u8();
    const M_BYTE colourMapType = r.u8();
    const M_BYTE imageType = r.u8();
    r.seek(12);
    const int fileWidth = r.u16le();
    const int fileHeight = r.u16le();
    const M_BYTE depth = r.u8();
    if (!r.ok()) return refuse("the header is cut short.");
    // A picture of another size is not this bitmap's: refused quietly.
    if (fileWidth != width || fileHeight != height) return FALSE;
    if (colourMapType != 0 || (imageType != 2 && imageType != 10) || (depth != 16 && depth != 24))
        return refuse("not an uncompressed or run-length true-colour picture of 16 or 24 bits.");
    if (!r.seek(kHeaderSize + idLength)) return refuse("the id field runs past the end.");

    const size_t total = static_cast<size_t>(width) * height;
    std::vector<M_WORD> picture(total);
    if (imageType == 2) {
        const size_t bytesPerPixel = depth / 8;
        if (!r.has(total * bytesPerPixel)) return refuse("the pixels are cut short.");
        for (size_t i = 0; i < total; ++i) readPixel(r, depth, &picture[i]);
    } else {
        // Packets are read row by row; one that runs past the end of its row
        // is cut there (its further pixels are read and dropped).
        for (int row = 0; row < height; ++row) {
            M_WORD* line = picture.data() + static_cast<size_t>(row) * width;
            int col = 0;
            while (col < width) {
                const M_BYTE header = r.u8();
                if (!r.ok()) return refuse("the run-length packets are cut short.");
                const int count = (header & 0x7F) + 1;
                const int kept = std::min(count, width - col);
                if (header & 0x80) {
                    M_WORD p = 0;
                    if (!readPixel(r, depth, &p)) return refuse("a repeated pixel is cut short.");
                    std::fill_n(line + col, kept, p);
                } else {
                    for (int k = 0; k < count; ++k) {
                        M_WORD p = 0;
                        if (!readPixel(r, depth, &p))
                            return refuse("literal pixels are cut short.");
                        if (k < kept) line[col + k] = p;
                    }
                }
                col += kept;
            }
        }
    }

    // The first row of the file is the bottom row; the picture keeps no
    // transparent pixel.
    const M_WORD dark = GraphicManager::MakeColor(8, 8, 8);
    for (int row = 0; row < height; ++row) {
        const M_WORD* src = picture.data() + static_cast<size_t>(height - 1 - row) * width;
        M_WORD* dst = pixels + static_cast<size_t>(row) * pitch;
        for (int col = 0; col < width; ++col) dst[col] = src[col] ? src[col] : dark;
    }
    return TRUE;
}

BOOL LoadTGAIntoBitmap(const char* fileName, M_WORD* pixels, int width, int height, int pitch) {
    FILE* file = fileName ? fopen(fileName, "rb") : nullptr;
    if (!file) return FALSE;
    std::vector<M_BYTE> data;
    M_BYTE chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, file)) > 0) data.insert(data.end(), chunk, chunk + n);
    fclose(file);
    return DecodeTGA(data.data(), data.size(), pixels, width, height, pitch);
}

#include "support/datafiles/ArtFormats.h"

#include <algorithm>
#include <stdexcept>

#include "ByteWriter.h"

namespace tw::datafiles {

void Image::fillRect(int x, int y, int w, int h, M_WORD p) {
    for (int yy = std::max(y, 0); yy < std::min(y + h, height); ++yy)
        for (int xx = std::max(x, 0); xx < std::min(x + w, width); ++xx) set(xx, yy, p);
}

void LandTileRow(int row, int* firstColumn, int* count) {
    if (row < 22) {
        *firstColumn = 21 - row;
        *count = 2 * (row + 1);
    } else {
        *firstColumn = row - 22;
        *count = 2 * (44 - row);
    }
}

Bytes EncodeLandTile(const Image& image44) {
    if (image44.width != kLandTileSide || image44.height != kLandTileSide)
        throw std::invalid_argument("EncodeLandTile: the picture must be 44 x 44");
    Bytes out;
    ByteWriter w(out);
    for (int row = 0; row < kLandTileSide; ++row) {
        int first = 0;
        int count = 0;
        LandTileRow(row, &first, &count);
        for (int i = 0; i < count; ++i) w.u16le(image44.at(first + i, row));
    }
    w.zeros(kLandTileItemBytes - out.size());
    return out;
}

Bytes LandTileSolid(M_WORD colour) {
    return EncodeLandTile(Image(kLandTileSide, kLandTileSide, colour));
}

Bytes EncodeStaticArt(const Image& image) {
    Bytes rows;
    ByteWriter rw(rows);
    std::vector<M_WORD> rowOffsets;
    for (int y = 0; y < image.height; ++y) {
        rowOffsets.push_back(static_cast<M_WORD>(rows.size() / 2));
        int x = 0;
        int runEnd = 0;
        while (x < image.width) {
            if (image.at(x, y) == 0) {
                ++x;
                continue;
            }
            int start = x;
            while (x < image.width && image.at(x, y) != 0) ++x;
            rw.u16le(start - runEnd).u16le(x - start);
            for (int i = start; i < x; ++i) rw.u16le(image.at(i, y));
            runEnd = x;
        }
        rw.u16le(0).u16le(0);
    }
    Bytes out;
    ByteWriter w(out);
    w.u32le(static_cast<M_DWORD>(rows.size())).u16le(image.width).u16le(image.height);
    for (M_WORD offset : rowOffsets) w.u16le(offset);
    w.raw(rows.data(), rows.size());
    return out;
}

GumpArt EncodeGumpArt(const Image& image) {
    std::vector<std::vector<M_DWORD>> rowRuns(image.height);
    for (int y = 0; y < image.height; ++y) {
        int x = 0;
        while (x < image.width) {
            M_WORD colour = image.at(x, y);
            int start = x;
            while (x < image.width && image.at(x, y) == colour && x - start < 0xFFFF) ++x;
            rowRuns[y].push_back(static_cast<M_DWORD>(x - start) << 16 | colour);
        }
    }
    GumpArt art;
    ByteWriter w(art.data);
    M_DWORD word = static_cast<M_DWORD>(image.height);
    for (const auto& runs : rowRuns) {
        w.u32le(word);
        word += static_cast<M_DWORD>(runs.size());
    }
    for (const auto& runs : rowRuns)
        for (M_DWORD run : runs) w.u32le(run);
    art.extra = static_cast<std::int32_t>(static_cast<M_DWORD>(image.width) << 16 |
                                          static_cast<M_WORD>(image.height));
    return art;
}

void AddGumpArt(IndexedPair& pair, int id, const Image& image) {
    GumpArt art = EncodeGumpArt(image);
    pair.add(id, art.data, art.extra);
}

std::vector<ToolTipFramePiece> ToolTipFrameArt(int changed, int widthChange) {
    const M_WORD outer = Rgb555(40, 32, 16), inner = Rgb555(200, 170, 90),
                 centre = Rgb555(24, 24, 40);
    const int sizes[9][2] = {{4, 4},   {245, 4}, {4, 4},   {4, 244}, {240, 240},
                             {4, 244}, {4, 4},   {245, 4}, {4, 4}};
    std::vector<ToolTipFramePiece> pieces;
    for (int i = 0; i < 9; ++i) {
        const int w = sizes[i][0] + (i == changed ? widthChange : 0);
        const int h = sizes[i][1];
        Image img(w, h, centre);
        // Depth from the frame's outside: line 0 dark, line 1 light.
        const bool top = i <= 2, bottom = i >= 6, left = i % 3 == 0, right = i % 3 == 2;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                int depth = 99;
                if (top) depth = std::min(depth, y);
                if (bottom) depth = std::min(depth, h - 1 - y);
                if (left) depth = std::min(depth, x);
                if (right) depth = std::min(depth, w - 1 - x);
                if (depth == 0) img.set(x, y, outer);
                if (depth == 1) img.set(x, y, inner);
            }
        }
        pieces.push_back({3000 + i, img});
    }
    return pieces;
}

Bytes EncodeTexture(const Image& square) {
    if (square.width != square.height || (square.width != 64 && square.width != 128))
        throw std::invalid_argument("EncodeTexture: textures are 64 x 64 or 128 x 128");
    Bytes out;
    ByteWriter w(out);
    for (M_WORD p : square.pixels) w.u16le(p);
    return out;
}

std::int32_t TextureExtra(const Image& square) {
    return square.width == 128 ? 1 : 0;
}

}  // namespace tw::datafiles

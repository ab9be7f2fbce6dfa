#include <algorithm>
#include <vector>

#include "ByteWriter.h"
#include "ResourcesTestSupport.h"
#include "resources/SkipDraw.h"
#include "support/datafiles/ArtFormats.h"

namespace {

using tw::datafiles::Bytes;
using tw::datafiles::Image;
using tw::test::Dump;
using tw::test::PixelBuffer;

class SkipDrawTest : public tw::test::ResourcesTest {};

constexpr M_WORD kBackground = 0xEEEE;
constexpr int kBufferW = 12, kBufferH = 9;

// 7 x 5 with holes scattered so that runs start, end and straddle at many
// columns; every opaque pixel names its own position.
Image Sprite() {
    Image img(7, 5);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if ((x * 7 + y * 3) % 5 != 0)
                img.set(x, y, static_cast<M_WORD>((y + 1) << 8 | (x + 1)));
    return img;
}

SkipImage View(const Bytes& item) {
    return SkipImage{item.data(), static_cast<int>(item.size())};
}

// What a drawer must leave: the image's opaque pixels of rows below rowLimit
// inside the clip and the buffer, the background elsewhere.
PixelBuffer Expected(const Image& img, int x, int y, const RECT& clip, int rowLimit) {
    PixelBuffer out(kBufferW, kBufferH, kBackground);
    for (int iy = 0; iy < rowLimit; ++iy)
        for (int ix = 0; ix < img.width; ++ix) {
            const int px = x + ix, py = y + iy;
            if (px < clip.left || px >= clip.right || py < clip.top || py >= clip.bottom) continue;
            if (px < 0 || px >= kBufferW || py < 0 || py >= kBufferH) continue;
            if (img.at(ix, iy)) out.pixels[py * kBufferW + px] = img.at(ix, iy);
        }
    return out;
}

TEST_F(SkipDrawTest, ClippedDrawerClipsOnEveryEdgeAndLeavesOutTheLastRow) {
    const Image img = Sprite();
    const Bytes item = tw::datafiles::EncodeStaticArt(img);
    struct Case {
        const char* what;
        int x, y;
        RECT clip;
    } const cases[] = {
        {"clip larger than the image", 2, 2, {-100, -100, 100, 100}},
        {"left edge inside runs", 2, 2, {4, 0, 100, 100}},
        {"right edge inside runs", 2, 2, {0, 0, 6, 100}},
        {"top edge", 2, 2, {0, 4, 100, 100}},
        {"bottom edge above the last row", 2, 2, {0, 0, 100, 5}},
        {"all four edges", 2, 2, {3, 3, 8, 5}},
        {"hangs off the buffer's left and top", -3, -2, {-100, -100, 100, 100}},
        {"hangs off the buffer's right and bottom", 8, 6, {-100, -100, 100, 100}},
        {"clip touches the right edge only", 2, 2, {9, 0, 20, 20}},
        {"clip ends where the image starts", 2, 2, {0, 0, 2, 20}},
        {"empty clip", 2, 2, {5, 5, 5, 5}},
        {"entirely off the buffer", 20, 2, {-100, -100, 100, 100}},
    };
    for (const Case& c : cases) {
        PixelBuffer buf(kBufferW, kBufferH, kBackground);
        SkipDrawClipped(CopySpan, View(item), buf.target().Clipped(c.clip), c.x, c.y);
        PixelBuffer want = Expected(img, c.x, c.y, c.clip, img.height - 1);
        EXPECT_EQ(buf.pixels, want.pixels) << c.what << Dump(buf) << "expected" << Dump(want);
    }
}

TEST_F(SkipDrawTest, UnclippedDrawerDrawsEveryRowAndStaysInsideTheDestination) {
    const Image img = Sprite();
    const Bytes item = tw::datafiles::EncodeStaticArt(img);
    const RECT all{-100, -100, 100, 100};
    for (auto [x, y] : {std::pair{0, 0}, {3, 1}, {-2, -3}, {8, 6}}) {
        PixelBuffer buf(kBufferW, kBufferH, kBackground);
        SkipDrawNoClip(CopySpan, View(item), buf.target(), x, y);
        PixelBuffer want = Expected(img, x, y, all, img.height);
        EXPECT_EQ(buf.pixels, want.pixels) << x << "," << y << Dump(buf);
    }
}

TEST_F(SkipDrawTest, AnItemAtAnOddAddressDrawsAndReadsTheSame) {
    // Mapped data files put items at any byte; the pixels are read in place.
    const Image img = Sprite();
    const Bytes item = tw::datafiles::EncodeStaticArt(img);
    Bytes shifted(item.size() + 1);
    std::copy(item.begin(), item.end(), shifted.begin() + 1);
    const SkipImage odd{shifted.data() + 1, static_cast<int>(item.size())};
    PixelBuffer buf(kBufferW, kBufferH, kBackground);
    SkipDrawNoClip(HueGraySpan, odd, buf.target(), 2, 2);
    PixelBuffer want(kBufferW, kBufferH, kBackground);
    SkipDrawNoClip(HueGraySpan, View(item), want.target(), 2, 2);
    EXPECT_EQ(buf.pixels, want.pixels) << Dump(buf);
    EXPECT_EQ(GetArtPixel(odd, 1, 0), img.at(1, 0));
}

TEST_F(SkipDrawTest, NullImagesAndDestinationsDrawNothing) {
    PixelBuffer buf(kBufferW, kBufferH, kBackground);
    SkipDrawClipped(CopySpan, SkipImage{}, buf.target(), 0, 0);
    SkipDrawNoClip(CopySpan, SkipImage{}, buf.target(), 0, 0);
    const Bytes item = tw::datafiles::EncodeStaticArt(Sprite());
    SkipDrawClipped(CopySpan, View(item), BlitTarget(nullptr, kBufferW, kBufferH), 0, 0);
    SkipDrawNoClip(CopySpan, View(item), BlitTarget(), 0, 0);
    EXPECT_EQ(buf.pixels, PixelBuffer(kBufferW, kBufferH, kBackground).pixels);
}

// An item written by hand: width, height, the row offsets, then raw words.
Bytes RawItem(int width, int height, std::vector<int> rowOffsets, std::vector<int> words) {
    Bytes out;
    ByteWriter w(out);
    w.u32le(0).u16le(width).u16le(height);
    for (int o : rowOffsets) w.u16le(o);
    for (int v : words) w.u16le(v);
    return out;
}

TEST_F(SkipDrawTest, MalformedItemsNeverDrawOutsideTheImage) {
    struct Case {
        const char* what;
        Bytes item;
        std::vector<M_WORD> row0;  // expected columns 2.. of buffer row 2
    } const cases[] = {
        {"run longer than the width is clamped",
         RawItem(3, 2, {0, 0}, {0, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 0}),
         {1, 2, 3}},
        {"skip past the width draws nothing", RawItem(3, 2, {0, 0}, {500, 2, 1, 2, 0, 0}), {}},
        {"run past the item's end is cut", RawItem(3, 2, {0, 0}, {1, 3, 7}), {kBackground, 7}},
        {"row offset past the item", RawItem(3, 2, {400, 400}, {0, 1, 9, 0, 0}), {}},
        {"row table longer than the item", RawItem(3, 900, {0}, {0, 1, 9, 0, 0}), {}},
        {"header only", RawItem(3, 0, {}, {}), {}},
        {"a later run after count 0 is ignored", RawItem(3, 2, {0, 0}, {0, 0, 0, 1, 5}), {}},
    };
    for (const Case& c : cases) {
        for (int clipped = 0; clipped < 2; ++clipped) {
            PixelBuffer buf(kBufferW, kBufferH, kBackground);
            if (clipped)
                SkipDrawClipped(CopySpan, View(c.item), buf.target(), 2, 2);
            else
                SkipDrawNoClip(CopySpan, View(c.item), buf.target(), 2, 2);
            PixelBuffer want(kBufferW, kBufferH, kBackground);
            for (size_t i = 0; i < c.row0.size(); ++i)
                want.pixels[2 * kBufferW + 2 + i] = c.row0[i];
            // Row 1 of the item repeats row 0 in the unclipped drawer.
            if (!clipped)
                for (size_t i = 0; i < c.row0.size(); ++i)
                    want.pixels[3 * kBufferW + 2 + i] = c.row0[i];
            EXPECT_EQ(buf.pixels, want.pixels)
                << c.what << (clipped ? " clipped" : "") << Dump(buf);
        }
    }
    // Too short for a header at all.
    const Bytes stub = {1, 2, 3, 4, 5};
    PixelBuffer buf(kBufferW, kBufferH, kBackground);
    SkipDrawNoClip(CopySpan, View(stub), buf.target(), 0, 0);
    EXPECT_EQ(SkipImage(View(stub)).Width(), 0);
    EXPECT_EQ(buf.pixels, PixelBuffer(kBufferW, kBufferH, kBackground).pixels);
}

TEST_F(SkipDrawTest, GetArtPixelReadsOpaquePixelsAndZeroElsewhere) {
    // Row 0: skip 2, run {5, 6}, skip 1, run {7}; row 1 empty.
    const Bytes item = RawItem(8, 2, {0, 9}, {2, 2, 5, 6, 1, 1, 7, 0, 0, 0, 0});
    struct {
        int x, row;
        M_WORD want;
    } const cases[] = {
        {0, 0, 0}, {1, 0, 0},  // inside the first skip
        {2, 0, 5}, {3, 0, 6},  {4, 0, 0}, {5, 0, 7}, {6, 0, 0},  {7, 0, 0},  // past the last run
        {0, 1, 0}, {-1, 0, 0}, {8, 0, 0}, {2, 2, 0}, {2, -1, 0},
    };
    for (auto c : cases)
        EXPECT_EQ(GetArtPixel(View(item), c.x, c.row), c.want) << c.x << "," << c.row;
    EXPECT_EQ(GetArtPixel(SkipImage{}, 0, 0), 0);
}

}  // namespace

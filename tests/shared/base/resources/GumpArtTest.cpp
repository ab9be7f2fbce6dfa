#include <vector>

#include "ByteWriter.h"
#include "DataFileTestSupport.h"
#include "ResourcesTestSupport.h"
#include "config/Config.h"
#include "resources/GumpArt.h"
#include "resources/SkipDraw.h"
#include "support/datafiles/ArtFormats.h"

namespace {

using tw::datafiles::Bytes;
using tw::datafiles::Image;
using tw::test::Dump;
using tw::test::PixelBuffer;

class GumpArtTest : public tw::test::ResourcesTest {};

constexpr M_WORD kBackground = 0x5555;
constexpr int kBufferW = 12, kBufferH = 9;

// 6 x 4: a transparent column 0 in rows 1 and 3, a transparent block in the
// middle, and long runs of one colour so runs straddle every clip edge.
Image Picture() {
    Image img(6, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) img.set(x, y, static_cast<M_WORD>(0x0100 * (y + 1) + (x / 2)));
    img.set(0, 1, 0);
    img.set(0, 3, 0);
    img.fillRect(2, 1, 2, 2, 0);
    return img;
}

struct Item {
    tw::datafiles::GumpArt art;
    GumpArtItem view() const {
        return GumpArtItem{art.data.data(), static_cast<int>(art.data.size()),
                           static_cast<int>(static_cast<M_DWORD>(art.extra) >> 16),
                           art.extra & 0xFFFF};
    }
};

Item Encode(const Image& img) {
    return Item{tw::datafiles::EncodeGumpArt(img)};
}

// The reference: every pixel of the picture inside the clip and the buffer,
// the transparent ones too when `opaque` (CopySpan writes them).
PixelBuffer Expected(const Image& img, int x, int y, const RECT& clip, bool opaque) {
    PixelBuffer out(kBufferW, kBufferH, kBackground);
    for (int iy = 0; iy < img.height; ++iy)
        for (int ix = 0; ix < img.width; ++ix) {
            const int px = x + ix, py = y + iy;
            if (px < clip.left || px >= clip.right || py < clip.top || py >= clip.bottom) continue;
            if (px < 0 || px >= kBufferW || py < 0 || py >= kBufferH) continue;
            if (opaque || img.at(ix, iy)) out.pixels[py * kBufferW + px] = img.at(ix, iy);
        }
    return out;
}

TEST_F(GumpArtTest, DrawsEveryRowClippedToTheRectangleAndTheBuffer) {
    const Image img = Picture();
    const Item item = Encode(img);
    struct Case {
        const char* what;
        int x, y;
        RECT clip;
    } const cases[] = {
        {"inside", 2, 2, {0, 0, 12, 9}},
        {"left clip inside a run", 2, 2, {3, 0, 12, 9}},
        {"right clip inside a run", 2, 2, {0, 0, 5, 9}},
        {"top and bottom clip", 2, 2, {0, 3, 12, 5}},
        {"negative clip, negative position", -2, -1, {-50, -50, 50, 50}},
        {"past the right and bottom", 9, 7, {-50, -50, 50, 50}},
        {"clip touching the right edge only", 2, 2, {8, 0, 12, 9}},
        {"clip below", 2, 2, {0, 6, 12, 9}},
    };
    for (SpanHandler handler : {CopySpan, CopySpanTransparent}) {
        for (const Case& c : cases) {
            PixelBuffer buf(kBufferW, kBufferH, kBackground);
            DrawGumpArtItem(handler, item.view(), c.x, c.y, buf.target().Clipped(c.clip));
            PixelBuffer want = Expected(img, c.x, c.y, c.clip, handler == CopySpan);
            EXPECT_EQ(buf.pixels, want.pixels) << c.what << Dump(buf) << "expected" << Dump(want);
        }
    }
}

TEST_F(GumpArtTest, ItemWiderThanTheBufferAtNegativeXFillsExactlyTheRow) {
    Image wide(20, 2, 0x0123);
    wide.set(3, 0, 0x0456);   // lands in buffer column 0
    wide.set(14, 1, 0x0789);  // the buffer's last column
    const Item item = Encode(wide);
    // Rows of 12 with a guard row after them.
    PixelBuffer buf(kBufferW, 3, kBackground);
    DrawGumpArtItem(CopySpan, item.view(), -3, 0, BlitTarget(buf.data(), kBufferW, 2));
    EXPECT_EQ(buf.at(0, 0), 0x0456);
    EXPECT_EQ(buf.at(11, 1), 0x0789);
    for (int x = 0; x < kBufferW; ++x) EXPECT_EQ(buf.at(x, 2), kBackground) << x;
}

TEST_F(GumpArtTest, ItemsWiderThanTheRowBufferAreDrawnWhole) {
    const int w = 1500;
    Image wide(w, 2, 0x0011);
    wide.set(w - 1, 1, 0x0022);
    const Item item = Encode(wide);
    std::vector<M_WORD> buf(size_t(w) * 2, kBackground);
    DrawGumpArtItem(CopySpan, item.view(), 0, 0, BlitTarget(buf.data(), w, 2));
    EXPECT_EQ(buf[w + w - 1], 0x0022);
    EXPECT_EQ(buf[1200], 0x0011);
}

TEST_F(GumpArtTest, Display565ConvertsDrawnPixelsAndLeavesHolesAlone) {
    Display565 = TRUE;
    Image img(3, 1);
    img.set(0, 0, 0x7FFF);
    img.set(2, 0, 0x4210);  // (16, 16, 16)
    const Item item = Encode(img);
    PixelBuffer buf(3, 1, 0x7C1F);
    DrawGumpArtItem(CopySpanTransparent, item.view(), 0, 0, buf.target());
    EXPECT_EQ(buf.at(0, 0), 0xFFDF);  // green widened to 6 bits, low bit clear
    EXPECT_EQ(buf.at(1, 0), 0x7C1F);  // the hole keeps the destination unconverted
    EXPECT_EQ(buf.at(2, 0), 0x8410);
    EXPECT_EQ(GumpArtItemPixel(item.view(), 2, 0), 0x8410);
}

TEST_F(GumpArtTest, HitTestGivesTheColourOfTheRunHoldingThePoint) {
    const Image img = Picture();
    const Item item = Encode(img);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            EXPECT_EQ(GumpArtItemPixel(item.view(), x, y), img.at(x, y)) << x << "," << y;
    for (auto [x, y] : {std::pair{-1, 0}, {6, 0}, {0, 4}, {0, -1}})
        EXPECT_EQ(GumpArtItemPixel(item.view(), x, y), 0) << x << "," << y;
    EXPECT_EQ(GumpArtItemPixel(GumpArtItem{}, 0, 0), 0);
}

// An item written by hand: the row table (word offsets) then raw run words.
GumpArtItem Raw(const Bytes& bytes, int w, int h) {
    return GumpArtItem{bytes.data(), static_cast<int>(bytes.size()), w, h};
}
Bytes RawRuns(std::vector<M_DWORD> words) {
    Bytes out;
    ByteWriter wr(out);
    for (M_DWORD v : words) wr.u32le(v);
    return out;
}

TEST_F(GumpArtTest, MalformedItemsStayInsideTheirWidthAndSize) {
    struct Case {
        const char* what;
        Bytes bytes;
        int w, h;
        std::vector<M_WORD> row0;  // buffer row 0 from column 0
        std::vector<M_WORD> row1;
    } const cases[] = {
        {"run longer than the width",
         RawRuns({2, 3, 9u << 16 | 7, 1u << 16 | 8}),
         3,
         2,
         {7, 7, 7},
         {8, 0, 0}},
        {"count 0 ends the row",
         RawRuns({2, 3, 1u << 16 | 7, 0u << 16 | 9, 2u << 16 | 9, 0}),
         3,
         2,
         {7, 0, 0},
         {0, 0, 0}},
        {"row offsets past the item", RawRuns({1000, 0x40000000}), 3, 2, {0, 0, 0}, {0, 0, 0}},
        {"height beyond the row table", RawRuns({1, 2u << 16 | 5}), 3, 2, {5, 5, 0}, {0, 0, 0}},
        {"no bytes at all",
         Bytes{},
         3,
         2,
         {kBackground, kBackground, kBackground},
         {kBackground, kBackground, kBackground}},
    };
    for (const Case& c : cases) {
        PixelBuffer buf(4, 3, kBackground);
        DrawGumpArtItem(CopySpan, Raw(c.bytes, c.w, c.h), 0, 0, buf.target());
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(buf.at(x, 0), c.row0[x]) << c.what << " x " << x;
            EXPECT_EQ(buf.at(x, 1), c.row1[x]) << c.what << " x " << x;
        }
        EXPECT_EQ(buf.at(3, 0), kBackground) << c.what;
        EXPECT_EQ(buf.at(0, 2), kBackground) << c.what;
    }
}

TEST_F(GumpArtTest, BlitsClipOnAllFourSides) {
    // A 4 x 3 block whose pixels name their position.
    std::vector<M_WORD> block(12);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) block[y * 4 + x] = static_cast<M_WORD>((y + 1) << 4 | (x + 1));
    Image img(4, 3);
    img.pixels = block;
    struct Case {
        const char* what;
        int x, y;
        RECT clip;
    } const cases[] = {
        {"inside", 1, 1, {0, 0, 12, 9}},
        {"clip cuts left and bottom", 1, 1, {2, 0, 12, 3}},
        {"negative position", -2, -1, {-9, -9, 99, 99}},
        {"past the right and bottom", 10, 8, {-9, -9, 99, 99}},
        {"clip just left of the block", 5, 0, {0, 0, 5, 9}},
    };
    for (const Case& c : cases) {
        PixelBuffer buf(kBufferW, kBufferH, kBackground);
        BlitClipped(CopySpan, block.data(), 4, 3, c.x, c.y, buf.target().Clipped(c.clip));
        PixelBuffer want = Expected(img, c.x, c.y, c.clip, true);
        EXPECT_EQ(buf.pixels, want.pixels) << c.what << Dump(buf);
        PixelBuffer rows(kBufferW, kBufferH, kBackground);
        BlitRowsWithHandler(CopySpan, block.data(), 4, 3, c.x, c.y, rows.target());
        PixelBuffer rowsWant = Expected(img, c.x, c.y, RECT{0, 0, kBufferW, kBufferH}, true);
        EXPECT_EQ(rows.pixels, rowsWant.pixels) << c.what << Dump(rows);
    }
}

}  // namespace

namespace {

// Through the data-file cache: items written to "gumpidx.mul"/"gumpart.mul"
// and "artidx.mul"/"art.mul" by the fixture writers.
class GumpArtFilesTest : public tw::test::ResourceTest {};

TEST_F(GumpArtFilesTest, ItemsComeThroughTheDataFileCache) {
    tw::test::FileSet files = MinimalFiles();
    tw::datafiles::IndexedPair gumps;
    Image picture = Picture();
    tw::datafiles::AddGumpArt(gumps, 7, picture);
    files["gumpidx.mul"] = gumps.indexBytes();
    files["gumpart.mul"] = gumps.data();
    tw::datafiles::IndexedPair art;
    Image sprite(3, 2, 0x0123);
    art.add(0x4000 + 5, tw::datafiles::EncodeStaticArt(sprite));
    files["artidx.mul"] = art.indexBytes();
    files["art.mul"] = art.data();
    WriteInstall(files, tw::test::InstallKind::MaxHD);
    StartCache();

    int w = -1, h = -1;
    EXPECT_EQ(GetGumpArtSize(7, &w, &h), 4);
    EXPECT_EQ(w, 6);
    EXPECT_EQ(GetGumpArtSize(8, &w, &h), 0);  // absent
    EXPECT_EQ(w, 0);
    EXPECT_EQ(GumpArtHitTest(7, 1, 0), picture.at(1, 0));
    EXPECT_EQ(GumpArtHitTest(7, 0, 1), 0);
    EXPECT_EQ(GumpArtHitTest(99, 0, 0), 0);

    PixelBuffer a(kBufferW, kBufferH, kBackground), b(kBufferW, kBufferH, kBackground);
    DrawGumpArt(CopySpan, 7, 3, 2, a.target());
    DrawGumpPixels(CopySpan, 7, 3, 2, b.target().Clipped(RECT{0, 0, kBufferW, kBufferH}));
    const PixelBuffer want = Expected(picture, 3, 2, RECT{0, 0, kBufferW, kBufferH}, true);
    EXPECT_EQ(a.pixels, want.pixels) << Dump(a);
    EXPECT_EQ(b.pixels, want.pixels) << Dump(b);
    DrawGumpArt(CopySpan, 8, 0, 0, a.target());  // absent: nothing
    EXPECT_EQ(a.pixels, want.pixels);

    const SkipImage image = GetArtData(0x4000 + 5);
    ASSERT_TRUE(image);
    EXPECT_EQ(image.Width(), 3);
    EXPECT_EQ(GetArtPixel(image, 2, 1), 0x0123);
    EXPECT_FALSE(GetArtData(0x4000 + 6));
}

}  // namespace

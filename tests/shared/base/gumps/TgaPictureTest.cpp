// TGA pictures loaded into a gump bitmap: both encodings and depths, the
// bottom-up rows, the replacement of transparent pixels, and every refusal
// leaving the bitmap untouched.
#include <cstdint>
#include <string>
#include <vector>

#include "gumps/TgaPicture.h"
#include "resources/GraphicManager.h"
#include "support/TwTest.h"
#include "support/datafiles/TgaFormat.h"

namespace {

using tw::data::TgaPicture;
using tw::data::WriteTga;

constexpr M_WORD kUntouched = 0xBEEF;

class TgaPictureTest : public tw::test::TwTest {};

// 3 x 2: the top row red, black, near-black blue; the bottom row grey,
// a dark grey that packs to 0, white.
TgaPicture picture24(int imageType) {
    TgaPicture p;
    p.width = 3;
    p.height = 2;
    p.imageType = imageType;
    p.pixels = {0xFF0000, 0x000000, 0x000001, 0x808080, 0x070707, 0xFFFFFF};
    return p;
}

TEST_F(TgaPictureTest, DecodesBothEncodingsAndDepthsTopRowFirst) {
    const M_WORD dark = GraphicManager::MakeColor(8, 8, 8);
    const std::vector<M_WORD> expected24 = {GraphicManager::MakeColor(255, 0, 0),     dark, 1,
                                            GraphicManager::MakeColor(128, 128, 128), 1,    0x7FFF};
    TgaPicture p16;
    p16.width = 4;
    p16.height = 2;
    p16.depth = 16;
    p16.pixels = {0x1234, 0x1234, 0x1234, 0, 0x7C00, 0x03E0, 0x001F, 0x001F};
    const std::vector<M_WORD> expected16 = {0x1234, 0x1234, 0x1234, dark,
                                            0x7C00, 0x03E0, 0x001F, 0x001F};
    TgaPicture p16rle = p16;
    p16rle.imageType = 10;
    TgaPicture withId = picture24(10);
    withId.id = {'i', 'd'};

    struct Case {
        const char* name;
        TgaPicture picture;
        std::vector<M_WORD> expected;
    } cases[] = {
        {"24-bit plain", picture24(2), expected24},
        {"24-bit run-length", picture24(10), expected24},
        {"16-bit plain", p16, expected16},
        {"16-bit run-length", p16rle, expected16},
        {"id field skipped", withId, expected24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tw::test::WriteFile("pic.tga", WriteTga(c.picture));
        std::vector<M_WORD> bitmap(c.expected.size(), kUntouched);
        ASSERT_TRUE(LoadTGAIntoBitmap("pic.tga", bitmap.data(), c.picture.width, c.picture.height));
        EXPECT_EQ(bitmap, c.expected);
    }
}

// Packets that run past the end of their row are cut there.
TEST_F(TgaPictureTest, PacketsAreCutAtTheEndOfTheirRow) {
    TgaPicture header;
    header.width = 2;
    header.height = 2;
    header.depth = 16;
    header.imageType = 10;
    header.pixels.assign(4, 0);
    std::vector<uint8_t> start = WriteTga(header);
    start.resize(18);  // the header alone
    struct Case {
        const char* name;
        std::vector<uint8_t> packets;
        std::vector<M_WORD> expected;  // top row first
    } cases[] = {
        {"a repeat of 3", {0x82, 5, 0, 0x01, 7, 0, 8, 0}, {7, 8, 5, 5}},
        {"a literal of 3", {0x02, 1, 0, 2, 0, 3, 0, 0x81, 9, 0}, {9, 9, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> file = start;
        file.insert(file.end(), c.packets.begin(), c.packets.end());
        tw::test::WriteFile("pic.tga", file);
        std::vector<M_WORD> bitmap(4, kUntouched);
        ASSERT_TRUE(LoadTGAIntoBitmap("pic.tga", bitmap.data(), 2, 2));
        EXPECT_EQ(bitmap, c.expected);
    }
}

TEST_F(TgaPictureTest, RowsGoToTheBitmapsPitch) {
    tw::test::WriteFile("pic.tga", WriteTga(picture24(2)));
    std::vector<M_WORD> bitmap(8 * 2, kUntouched);
    ASSERT_TRUE(LoadTGAIntoBitmap("pic.tga", bitmap.data(), 3, 2, 8));
    EXPECT_EQ(bitmap[3], kUntouched);
    EXPECT_EQ(bitmap[8 + 2], 0x7FFF);
    EXPECT_EQ(bitmap[8 + 3], kUntouched);
}

std::vector<uint8_t> withByte(std::vector<uint8_t> bytes, size_t at, uint8_t value) {
    bytes[at] = value;
    return bytes;
}

std::vector<uint8_t> cut(std::vector<uint8_t> bytes, size_t keep) {
    bytes.resize(keep);
    return bytes;
}

TEST_F(TgaPictureTest, RefusesBadFilesBeforeWritingAnyPixel) {
    const std::vector<uint8_t> plain = WriteTga(picture24(2));
    const std::vector<uint8_t> rle = WriteTga(picture24(10));
    // A repeat packet of 128 pixels fills the first row; the second has none.
    std::vector<uint8_t> longRun(plain.begin(), plain.begin() + 18);
    longRun[2] = 10;
    longRun.insert(longRun.end(), {0xFF, 1, 2, 3});
    // A literal packet of 8 pixels of which only 5 are there.
    std::vector<uint8_t> longLiteral = cut(rle, 18);
    longLiteral.push_back(7);
    for (int i = 0; i < 15; ++i) longLiteral.push_back(9);

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        bool reported;  // "Invalid TGA file." (a size mismatch is quiet)
    } cases[] = {
        {"colour map", withByte(plain, 1, 1), true},
        {"colour-mapped type", withByte(plain, 2, 1), true},
        {"grey type", withByte(plain, 2, 3), true},
        {"32 bits", withByte(plain, 16, 32), true},
        {"8 bits", withByte(plain, 16, 8), true},
        {"header cut short", cut(plain, 15), true},
        {"plain pixels cut short", cut(plain, plain.size() - 1), true},
        {"run-length cut short", cut(rle, rle.size() - 1), true},
        {"id runs past the end", withByte(cut(plain, 18), 0, 200), true},
        {"a long repeat, then no more packets", longRun, true},
        {"literal pixels missing", longLiteral, true},
        {"another width", withByte(plain, 12, 4), false},
        {"another height", withByte(plain, 14, 3), false},
        {"empty file", {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tw::test::WriteFile("bad.tga", c.bytes);
        std::vector<M_WORD> bitmap(6, kUntouched);
        tw::test::StderrCapture err;
        EXPECT_FALSE(LoadTGAIntoBitmap("bad.tga", bitmap.data(), 3, 2));
        EXPECT_EQ(bitmap, std::vector<M_WORD>(6, kUntouched));
        EXPECT_EQ(err.text().find("Invalid TGA file.") != std::string::npos, c.reported);
    }
    std::vector<M_WORD> bitmap(6, kUntouched);
    EXPECT_FALSE(LoadTGAIntoBitmap("missing.tga", bitmap.data(), 3, 2));
}

}  // namespace

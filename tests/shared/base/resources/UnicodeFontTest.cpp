#include <map>
#include <string>
#include <vector>

#include "ByteWriter.h"
#include "FileManager.h"
#include "ResourcesTestSupport.h"
#include "resources/UnicodeFont.h"
#include "support/WideText.h"
#include "support/datafiles/DataFile.h"
#include "support/datafiles/FontFormats.h"

namespace {

using tw::datafiles::Bytes;
using tw::datafiles::UniGlyph;
using tw::test::MatchesGolden;
using tw::test::PixelBuffer;
using tw::test::Wide;

constexpr M_WORD kInk = 0x7FFF;
constexpr M_WORD kBack = 0x0842;

UniGlyph Block(int w, int h, int xOffset = 0, int yOffset = 4) {
    UniGlyph g;
    g.xOffset = static_cast<std::int8_t>(xOffset);
    g.yOffset = static_cast<std::int8_t>(yOffset);
    g.width = w;
    g.height = h;
    g.ink.assign(size_t(w) * h, true);
    return g;
}

// Fonts 0 and 1: the 5 x 7 text design (characters 6 wide), 'a' widened to
// 6 pixels, and a few 8 x 8 ideographs and CJK punctuation.  Font 2: 'a' is
// a 3 x 3 block, so a switch of font shows in the widths.
std::map<M_WORD, UniGlyph> Glyphs(bool third) {
    std::map<M_WORD, UniGlyph> g = tw::datafiles::TextUnicodeGlyphs();
    if (third) {
        g['a'] = Block(3, 3);
        return g;
    }
    UniGlyph a = g['a'];
    a.width = 6;
    a.ink.clear();
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 6; ++x) a.ink.push_back(x < 5 && g['a'].ink[size_t(y) * 5 + x]);
    g['a'] = a;
    for (M_WORD c : {0x3042, 0x3044, 0x3046, 0x4E00, 0x3002, 0x300C, 0x300D, 0xAC00})
        g[c] = Block(7, 7, 0, 4);
    return g;
}

class UnicodeFontTest : public tw::test::ResourcesTest {
protected:
    void SetUp() override {
        ResourcesTest::SetUp();
        ResetUnicodeFontsForTests();
        WriteFonts();
    }
    void TearDown() override {
        ResetUnicodeFontsForTests();
        ResourcesTest::TearDown();
    }
    void WriteFonts(const Bytes* first = nullptr) {
        tw::datafiles::WriteBytes("unifont.mul",
                                  first ? *first : tw::datafiles::EncodeUnicodeFont(Glyphs(false)));
        tw::datafiles::WriteBytes("unifont1.mul", tw::datafiles::EncodeUnicodeFont(Glyphs(false)));
        tw::datafiles::WriteBytes("unifont2.mul", tw::datafiles::EncodeUnicodeFont(Glyphs(true)));
    }
};

TEST_F(UnicodeFontTest, StylesChooseTheFontAndTheirEffects) {
    // Before the fonts are mapped every style falls back to font 0.
    UnicodeSetStyle(0x2);
    EXPECT_EQ(UnicodeGetCurrentFont(), 0);
    EXPECT_FALSE(UnicodeFontsLoaded());
    LoadUnicodeFont();
    struct {
        M_DWORD style;
        int font;
        bool underline, thick, slant;
    } const cases[] = {
        {0x0, 1, false, false, false},       {0x2, 2, false, false, false},
        {0x4, 0, false, false, false},       {0x8, 1, false, false, true},
        {0x10, 1, false, true, false},       {0x20, 1, true, false, false},
        {0x40, 1, false, false, true},       {0x80, 1, false, true, false},
        {0x100, 0, true, true, false},       {0x200, 0, false, true, false},
        {0x400, 0, false, false, false},     {0x800, 1, false, true, false},
        {0x1000, 1, false, false, true},     {0x10000, 1, true, false, false},
        {0x4000, 1, false, false, false},    {0x8000, 1, false, false, false},
        {0x2 | 0x4, 2, false, false, false},
    };
    for (auto c : cases) {
        UnicodeSetStyle(c.style);
        EXPECT_EQ(UnicodeGetCurrentFont(), c.font) << std::hex << c.style;
        EXPECT_EQ(UnicodeStyleHasMaskA(), c.underline) << std::hex << c.style;
        EXPECT_EQ(UnicodeStyleHasMaskB(), c.thick) << std::hex << c.style;
        EXPECT_EQ(UnicodeStyleHasMaskC(), c.slant) << std::hex << c.style;
    }
    UnicodeSetStyle(0x8000 | 0x4000);
    EXPECT_TRUE(UnicodeStyleHasBit15());
    EXPECT_TRUE(UnicodeStyleHasBit14());
    // One level of saving.
    UnicodeSetStyle(0x4);
    UnicodeSetStyle(0x2);
    UnicodeRestoreStyle();
    EXPECT_EQ(UnicodeGetStyle(), 0x4u);
    EXPECT_EQ(UnicodeGetCurrentFont(), 0);
    UnicodeSetCurrentFont(7);
    EXPECT_EQ(UnicodeGetCurrentFont(), 0);
}

TEST_F(UnicodeFontTest, CharacterWidthsCountOffsetsOptionAndStyle) {
    EXPECT_EQ(UnicodeGetCharWidth('a'), 7);  // loads the fonts
    EXPECT_TRUE(UnicodeFontsLoaded());
    EXPECT_EQ(UnicodeGetCharWidth(' '), 8);
    EXPECT_EQ(UnicodeGetCharWidth(0x5000), 1);  // no glyph
    UnicodeSetDrawOption(1);
    EXPECT_EQ(UnicodeGetCharWidth('a'), 6);
    UnicodeSetDrawOption(0);
    UnicodeSetStyle(0x10 | 0x8);
    EXPECT_EQ(UnicodeGetCharWidth('a'), 9);
    UnicodeSetStyle(0x2);
    EXPECT_EQ(UnicodeGetCharWidth('a'), 4);
    UnicodeSetStyle(0);
    int x, y, w, h;
    EXPECT_NE(UnicodeGetGlyphBits('a', &x, &y, &w, &h), nullptr);
    EXPECT_EQ(y, 4);
    EXPECT_EQ(h, 7);
    EXPECT_EQ(UnicodeGetGlyphBits(' ', &x, &y, &w, &h), nullptr);
    EXPECT_EQ(w, 8);
    EXPECT_EQ(UnicodeGetGlyphBits(0x5000, &x, &y, &w, &h), nullptr);
    EXPECT_EQ(w + h + x + y, 0);
    EXPECT_TRUE(UnicodeGetGlyphInfo(' '));
    EXPECT_FALSE(UnicodeGetGlyphInfo(0x5000));

    tw::test::StderrCapture err;
    UnicodeSetSpaceWidth(25);
    EXPECT_NE(err.text().find("UnicodeSetSpaceWidth(): Unreasonable width of space character."),
              std::string::npos);
    EXPECT_EQ(UnicodeGetSpaceWidth(), 25);
}

TEST_F(UnicodeFontTest, MissingFontFileEndsTheProgram) {
    remove("unifont2.mul");
    FileManager::reset();
    EXPECT_DEATH(LoadUnicodeFont(), "LoadUnicodeFont\\(\\): cannot open file '.*unifont2.mul'");
}

TEST_F(UnicodeFontTest, GlyphsOutsideTheFileAreMissing) {
    Bytes font = tw::datafiles::EncodeUnicodeFont(Glyphs(false));
    const M_DWORD size = static_cast<M_DWORD>(font.size());
    auto setOffset = [&](M_WORD c, M_DWORD offset) {
        for (int i = 0; i < 4; ++i) font[4 * c + i] = static_cast<M_BYTE>(offset >> (8 * i));
    };
    setOffset('B', size + 8);     // header past the end
    setOffset('C', 0xFFFFFFF0u);  // far past the end
    setOffset('F', size);         // negative width
    setOffset('D', size + 4);     // 8 x 8 with only 2 of its 8 row bytes
    for (M_BYTE b : {1, 1, 0xF0, 2, 0, 0, 8, 8, 0xFF, 0xFF}) font.push_back(b);
    WriteFonts(&font);
    LoadUnicodeFont();
    for (M_WORD c : {'B', 'C', 'D', 'F'}) EXPECT_FALSE(UnicodeGetGlyphInfo(c)) << char(c);
    EXPECT_TRUE(UnicodeGetGlyphInfo('G'));
    PixelBuffer buf(60, 20, kBack);
    UnicodeDrawString(buf.target().Clipped(RECT{0, 0, 60, 20}), Wide("BCDF"), 0, 0, kInk);
    EXPECT_EQ(buf.pixels, PixelBuffer(60, 20, kBack).pixels);

    // A file cut inside its offset table keeps the glyphs it still names:
    // here the table ends before 'A' (65), and the glyph of 1 lies past it.
    ResetUnicodeFontsForTests();
    FileManager::reset();
    Bytes cut(200, 0);
    cut[4] = 180;  // character 1: a 1 x 1 glyph at byte 180
    cut[180 + 2] = 1;
    cut[180 + 3] = 1;
    cut[184] = 0x80;
    WriteFonts(&cut);
    LoadUnicodeFont();
    EXPECT_FALSE(UnicodeGetGlyphInfo('A'));
    EXPECT_TRUE(UnicodeGetGlyphInfo(1));
    EXPECT_NE(ReportLog().find("holds only 50 of the 65536 glyph offsets"), std::string::npos);
}

TEST_F(UnicodeFontTest, BreakRulesOfChineseJapaneseAndKorean) {
    struct {
        M_WORD previous, current;
        BOOL can;
    } const cases[] = {
        {'a', 'b', FALSE},       {0x3042, 0x3044, TRUE},  {'a', 0x3042, TRUE},
        {0x3042, 0, TRUE},       {0, 'a', FALSE},         {0x300C, 0x3042, FALSE},
        {0x3042, 0x3002, FALSE}, {0x3042, '!', FALSE},    {'(', 0x3042, FALSE},
        {0xAC00, 0xAC00, TRUE},  {0xF900, 'x', TRUE},     {0x3042, 0xFF09, FALSE},
        {0x2FFF, 'x', FALSE},    {0xA000, 0xA000, FALSE},
    };
    for (auto c : cases)
        EXPECT_EQ(UnicodeCanBreakBetween(c.previous, c.current), c.can)
            << std::hex << c.previous << " " << c.current;
}

TEST_F(UnicodeFontTest, FindsLineBreaks) {
    // Characters are 6 wide ('a' 7, space 8, ideographs 8).
    const M_WORD ja = 0x3042, i = 0x3044, u = 0x3046, open = 0x300C, stop = 0x3002;
    struct {
        const char* what;
        Wide text;
        int width, index;
    } const cases[] = {
        {"fits", Wide("bcd"), 18, -2},
        {"empty", Wide(""), 10, -2},
        {"newline ends the line even when all fits", Wide("b\nc"), 100, 0},
        {"carriage return likewise", Wide("bc\rd"), 100, 1},
        {"leading newline: an empty line", Wide("\nb"), 100, -1},
        {"at the last space", Wide("bc de fg"), 30, 1},
        {"no break at a space at index 0", Wide(" bcdefg"), 30, 3},
        {"nor at index 1", Wide("b cdefg"), 30, 3},
        {"first character too wide stays", Wide("bcd"), 5, -2},
        {"a long word breaks before the overflow", Wide("bcdefgh"), 20, 2},
        {"between ideographs", Wide{ja, i, u, ja, i}, 30, 2},
        {"never after an opening bracket", Wide{ja, i, open, u, ja}, 30, 1},
        {"never before a full stop", Wide{ja, i, u, stop, ja}, 30, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(UnicodeFindLineBreak(c.text, c.width), c.index) << c.what;
}

TEST_F(UnicodeFontTest, WrapsMeasuresAndFits) {
    int w = -1, h = -1, b = -1;
    UnicodeCalcInfo(Wide("bc de fg"), 30, &w, &h, &b);
    EXPECT_EQ(w, 12);  // "bc", "de", "fg"
    EXPECT_EQ(h, 54);
    EXPECT_EQ(b, 0);
    UnicodeCalcInfo(Wide("A\nB"), 500, &w, &h, &b);
    EXPECT_EQ(h, 36);  // two lines though both fit
    UnicodeCalcInfoLine(Wide("b c"), &w, &h, &b);
    EXPECT_EQ(w, 20);
    EXPECT_EQ(h, 18);
    UnicodeCalcInfoLine(nullptr, &w, &h, &b);
    EXPECT_EQ(w, 0);
    EXPECT_NE(ReportLog().find("UnicodeCalcInfo: text == 0."), std::string::npos);

    struct {
        int n, x, y;
    } const ends[] = {{0, 0, 0}, {1, 6, 0}, {2, 12, 0}, {3, 0, 18}, {8, 12, 36}, {50, 12, 36}};
    for (auto e : ends) {
        int x = -1, y = -1;
        UnicodeGetStringWrapEndXY(e.n, Wide("bc de fg"), 30, &x, &y);
        EXPECT_EQ(x, e.x) << e.n;
        EXPECT_EQ(y, e.y) << e.n;
    }
    EXPECT_EQ(UnicodeFitStringToRect(Wide("bc de fg"), 30, 12, 18), 5);
    EXPECT_EQ(UnicodeFitStringToRect(Wide("bc"), 30, -1, 0), 0);
    EXPECT_EQ(UnicodeCountCharsInWidth(Wide("bcd"), 12), 1);
    EXPECT_EQ(UnicodeCountCharsInWidth(Wide("bcd"), 13), 2);
    EXPECT_EQ(UnicodeGetWordWidth(Wide("bcd ef")), 18);
    EXPECT_EQ(UnicodeGetStringWidthN(2, Wide("bcd")), 12);

    // A line longer than the line buffer is broken after 191 characters.
    const std::string longLine(400, 'b');
    UnicodeCalcInfo(Wide(longLine), 100000, &w, &h, &b);
    EXPECT_EQ(h, 3 * 18);
    EXPECT_EQ(w, 191 * 6);
}

TEST_F(UnicodeFontTest, DrawsStylesPixelExact) {
    const RECT all{0, 0, 64, 20};
    struct {
        const char* name;
        M_DWORD style;
        M_BYTE option;
    } const cases[] = {
        {"unicode_plain", 0x0, 0}, {"unicode_underline", 0x20, 0}, {"unicode_thick", 0x10, 0},
        {"unicode_slant", 0x8, 0}, {"unicode_option", 0x0, 1},
    };
    for (auto c : cases) {
        PixelBuffer buf(64, 20, kBack);
        UnicodeSetStyle(c.style);
        UnicodeSetDrawOption(c.option);
        UnicodeDrawString(buf.target().Clipped(all), Wide("Hi b"), 1, 0, kInk);
        UnicodeRestoreStyle();
        UnicodeSetDrawOption(0);
        EXPECT_TRUE(MatchesGolden(c.name, buf)) << c.name;
    }
}

TEST_F(UnicodeFontTest, SlantedAndThickGlyphsClipAfterShifting) {
    const PixelBuffer blank(12, 14, kBack);
    for (M_DWORD style : {0x8u, 0x10u, 0x18u}) {
        UnicodeSetStyle(style);
        // Shifted or thickened, the glyph's right columns reach the clip's
        // right edge at 10...
        PixelBuffer buf(12, 14, kBack);
        UnicodeDrawString(buf.target().Clipped(RECT{0, 0, 10, 14}), Wide("H"), 4, 0, kInk);
        EXPECT_NE(buf.pixels, blank.pixels);
        for (int y = 0; y < 14; ++y)
            for (int x = 10; x < 12; ++x)
                EXPECT_EQ(buf.at(x, y), kBack) << "style " << style << " at " << x << "," << y;
        // ...and the buffer's right edge, where a write would land at the
        // start of the next row.
        PixelBuffer edge(12, 14, kBack);
        UnicodeDrawString(edge.target().Clipped(RECT{-5, -5, 50, 14}), Wide("H"), 8, 0, kInk);
        EXPECT_NE(edge.pixels, blank.pixels);
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(edge.at(x, y), kBack) << "style " << style << " at " << x << "," << y;
        UnicodeRestoreStyle();
    }
}

TEST_F(UnicodeFontTest, AClipReachingBelowTheTargetStopsAtItsLastRow) {
    // Twenty rows of memory, of which the target owns the first six: the
    // glyphs start on row 4 and the underline lies on row 14.
    PixelBuffer buf(64, 20, kBack);
    const BlitTarget target = BlitTarget(buf.data(), 64, 6).Clipped(RECT{0, 0, 64, 100});
    UnicodeSetStyle(0x20 | 0x10);
    UnicodeDrawString(target, Wide("Hi b"), 0, 0, kInk);
    UnicodeDrawStringBuf(target, 30, Wide("Hi b Hi b"), 0, 0, kInk, FALSE);
    UnicodeRestoreStyle();
    bool drawn = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 64; ++x) {
            if (y >= 6) {
                EXPECT_EQ(buf.at(x, y), kBack) << x << "," << y;
            }
            drawn = drawn || buf.at(x, y) != kBack;
        }
    EXPECT_TRUE(drawn);
}

TEST_F(UnicodeFontTest, SelectionColoursCharactersByGlyphIndex) {
    PixelBuffer got(64, 20, kBack);
    // "b c d": b = 0, the space meets index 1 and does not advance, c = 1, d = 2.
    UnicodeSetStyle(0x20);
    UnicodeDrawStringSelected(got.target().Clipped(RECT{0, 0, 64, 20}), Wide("b c d"), 0, 0, kInk,
                              0x001F, 1, 1);
    UnicodeRestoreStyle();
    EXPECT_TRUE(MatchesGolden("unicode_selected", got));
}

TEST_F(UnicodeFontTest, WrappedDrawingCentresLines) {
    PixelBuffer buf(40, 40, kBack);
    UnicodeDrawStringBuf(buf.target().Clipped(RECT{0, 0, 40, 40}), 36, Wide("bc de\nf"), 2, 0, kInk,
                         TRUE);
    EXPECT_TRUE(MatchesGolden("unicode_wrapped", buf));
}

TEST(UnicodeTextTest, NumbersColoursAndLowerCase) {
    EXPECT_EQ(ParseUnicodeNumber(Wide("1F")), 0x1F);
    EXPECT_EQ(ParseUnicodeNumber(Wide("-a+b")), -0xAB);
    EXPECT_EQ(ParseUnicodeNumber(Wide("")), 0);
    EXPECT_EQ(ParseUnicodeNumber(Wide("12g3")), 0x12);
    EXPECT_EQ(ParseHTMLColor(Wide("#1F0000")), 0x7C00);
    EXPECT_EQ(ParseHTMLColor(Wide("#00001F")), 0x001F);
    EXPECT_EQ(ParseHTMLColor(Wide("12")), 12);
    EXPECT_EQ(ParseHTMLColor(Wide("1-2")), -12);
    EXPECT_EQ(ParseHTMLColor(Wide("x")), -1);
    EXPECT_EQ(LookupHTMLColorName(Wide("navy")), 0x000F);
    EXPECT_EQ(LookupHTMLColorName(Wide("Black")), 0x0001);
    EXPECT_EQ(LookupHTMLColorName(Wide("Bla")), -1);
    EXPECT_EQ(LookupHTMLColorName(Wide("GREYS")), -1);
    EXPECT_EQ(ParseUnicodeNumber(Wide("FFFFFFFFFFFFFFFF")), -1);  // wraps, never overflows
    struct {
        M_WORD in, out;
    } const maps[] = {{0x80, 0xE7},    {0x9A, 0xFC},   {'A', 'a'},     {'z', 'z'},
                      {0xC0, 0xE0},    {0xDD, 0xFD},   {0xDE, 0xDE},   {0x100, 0x101},
                      {0x101, 0x101},  {0x179, 0x17A}, {0x17A, 0x17A}, {0x17D, 0x17E},
                      {0x3042, 0x3042}};
    for (auto m : maps) EXPECT_EQ(UnicodeMapChar(m.in), m.out) << std::hex << m.in;
}

}  // namespace

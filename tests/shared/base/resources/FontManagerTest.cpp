#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "Clock.h"
#include "FileManager.h"
#include "ResourcesTestSupport.h"
#include "config/Config.h"
#include "resources/FontManager.h"
#include "support/WideText.h"
#include "support/datafiles/DataFile.h"
#include "support/datafiles/FontFormats.h"

namespace {

using tw::datafiles::BitmapFont;
using tw::datafiles::Glyph;
using tw::test::MatchesGolden;
using tw::test::PixelBuffer;

constexpr M_WORD kGrey = 0x4210;  // (16, 16, 16)
constexpr M_WORD kRed = 0x7C00;
constexpr M_WORD kBack = 0x0842;

// Font 0 (a partial-hue font) and font 5: the 5 x 7 text design, 6 pixels
// wide, in grey; character 200 is 4 x 5 with 2 rows below the baseline; 'A'
// is one row of {grey, red, hole}; 'B' a column of {grey, grey, (1, 1, 1)}.
BitmapFont TestFont() {
    BitmapFont font = tw::datafiles::TextFont(kGrey);
    font[200] = Glyph{4, 5, 2, std::vector<M_WORD>(20, 0x7FFF)};
    font['A'] = Glyph{3, 1, 0, {kGrey, kRed, 0}};
    font['B'] = Glyph{1, 3, 0, {kGrey, kGrey, 0x0421}};
    return font;
}

class FontManagerTest : public tw::test::ResourcesTest {
protected:
    void SetUp() override {
        ResourcesTest::SetUp();
        std::vector<std::optional<BitmapFont>> fonts(6);
        fonts[0] = TestFont();
        fonts[5] = TestFont();
        tw::datafiles::WriteBytes("fonts.mul", tw::datafiles::EncodeFonts(fonts));
        FontManager::startup();
    }
    void TearDown() override {
        FontManager::reset();
        ResourcesTest::TearDown();
    }
};

TEST_F(FontManagerTest, LoadsPresentFontsAndMarksThePartialHueOnes) {
    EXPECT_TRUE(FontManager::ValidFont(0));
    EXPECT_FALSE(FontManager::ValidFont(1));
    EXPECT_TRUE(FontManager::ValidFont(5));
    for (int bad : {-1, 25, 1000}) EXPECT_FALSE(FontManager::ValidFont(bad));
    EXPECT_EQ(FontManager::GetFont(0)->partialHue, 1u);
    EXPECT_EQ(FontManager::GetFont(5)->partialHue, 0u);
    EXPECT_EQ(FontManager::GetCharWidth(0, 'x'), 6);
    EXPECT_EQ(FontManager::GetCharHeight(0, 200), 5);
    EXPECT_EQ(FontManager::GetCharWidth(0, 31), 0);
    EXPECT_EQ(FontManager::GetCharWidth(0, 256), 0);
    EXPECT_EQ(FontManager::GetCharWidth(1, 'x'), 0);
    EXPECT_FALSE(FontManager::HasGlyph(0, 127));
    EXPECT_NE(ReportLog().find("FontManager::startup: started."), std::string::npos);
}

TEST_F(FontManagerTest, AFileCutShortLeavesOutTheFontItCutsAndTheRest) {
    std::vector<std::optional<BitmapFont>> fonts(3);
    fonts[0] = TestFont();
    fonts[2] = TestFont();
    tw::datafiles::Bytes bytes = tw::datafiles::EncodeFonts(fonts);
    bytes.resize(bytes.size() - 50);  // inside font 2's last glyphs
    tw::datafiles::WriteBytes("fonts.mul", bytes);
    FontManager::startup();
    EXPECT_TRUE(FontManager::ValidFont(0));
    EXPECT_FALSE(FontManager::ValidFont(2));
    EXPECT_NE(ReportLog().find("ends inside font 2"), std::string::npos) << ReportLog();
}

TEST_F(FontManagerTest, MissingFileEndsTheProgram) {
    FontManager::reset();
    FileManager::reset();  // forget the file opened in SetUp
    remove("fonts.mul");
    EXPECT_DEATH(FontManager::startup(), "FontManager::LoadFonts: cannot open 'fonts.mul'");
}

TEST_F(FontManagerTest, PatchReplacesTheFontAndKeepsItsHueRule) {
    BitmapFont wide = tw::datafiles::TextFont(kGrey, 2);
    const tw::datafiles::Bytes patch = tw::datafiles::EncodeFontGlyphs(wide);
    FontManager::PatchFont(0, patch.data(), static_cast<int>(patch.size()));
    EXPECT_EQ(FontManager::GetCharWidth(0, 'x'), 12);
    EXPECT_EQ(FontManager::GetFont(0)->partialHue, 1u);
    // Cut short: refused, the font stays.
    FontManager::PatchFont(5, patch.data(), static_cast<int>(patch.size()) - 1);
    EXPECT_EQ(FontManager::GetCharWidth(5, 'x'), 6);
}

TEST_F(FontManagerTest, MeasuresLinesWithHighCharactersAndDescent) {
    int w, h, b;
    EXPECT_TRUE(FontManager::GetStringSize(0, "a\xC8", &w, &h, &b));
    EXPECT_EQ(w, 10);
    EXPECT_EQ(h, 9);  // ascent 7, descent 2
    EXPECT_EQ(b, 6);
    EXPECT_FALSE(FontManager::GetStringSize(1, "a", &w, &h, &b));
    EXPECT_EQ(w, 0);
    EXPECT_EQ(FontManager::GetStringWidth(0, 2, "a\xC8z"), 10);
    EXPECT_EQ(FontManager::GetStringWidth(0, 50, "ab"), 12);  // stops at the end
    EXPECT_EQ(FontManager::GetStringWidth(0, 0, "ab"), 0);
    struct {
        const char* text;
        int width, fits;
    } const counts[] = {{"abc", 18, 2}, {"abc", 19, 3}, {"abc", 6, 0}, {"abc", 7, 1}, {"", 50, 0}};
    for (auto c : counts)
        EXPECT_EQ(FontManager::CountCharsInWidth(0, c.text, c.width), c.fits)
            << c.text << " in " << c.width;
}

TEST_F(FontManagerTest, FindsLineBreaks) {
    // Every character of font 0 is 6 pixels wide, character 200 is 4.
    struct {
        const char* text;
        int width, index;
    } const cases[] = {
        {"abc def", 42, -1},    // exactly as wide as the line
        {"abc def", 41, 2},     // one pixel more: at the space
        {"abcd ef", 24, 3},     // the overflowing space still counts
        {" abcdef", 30, 4},     // a space at index 0 is no break
        {"a bcdefg", 30, 4},    // nor at index 1
        {"abcdefgh", 20, 2},    // a long word breaks before the overflow
        {"abc", 5, -1},         // the first character alone is too wide
        {"ab\xC8\xC8", 15, 1},  // high characters have their widths
        {"", 10, -1},
    };
    for (auto c : cases)
        EXPECT_EQ(FontManager::FindLineBreak(0, c.text, c.width), c.index)
            << '"' << c.text << "\" in " << c.width;
}

TEST_F(FontManagerTest, WrapsMeasuresAndFitsText) {
    int w, h, b;
    FontManager::CalcInfoWrap(0, "abc def ghi", 42, &w, &h, &b, 0);
    EXPECT_EQ(w, 42);
    EXPECT_EQ(h, 14);
    EXPECT_EQ(b, 6);
    FontManager::CalcInfoWrap(0, "abc def ghi", 41, &w, &h, &b, 0);
    EXPECT_EQ(w, 18);
    EXPECT_EQ(h, 21);
    FontManager::CalcInfoWrap(0, "abc def ghi", 42, &w, &h, &b, 2);
    EXPECT_EQ(w, 42);
    EXPECT_EQ(h, 14);

    struct {
        int n, x, y;
    } const ends[] = {{0, 0, 0}, {3, 18, 0}, {7, 42, 0}, {8, 0, 7}, {11, 18, 7}, {99, 18, 7}};
    for (auto e : ends) {
        int x = -1, y = -1;
        FontManager::GetStringWrapEndXY(0, e.n, "abc def ghi", 42, &x, &y);
        EXPECT_EQ(x, e.x) << e.n;
        EXPECT_EQ(y, e.y) << e.n;
    }
    EXPECT_EQ(FontManager::FitStringToRect(0, "abc def ghi", 42, 30, 0), 5);
    EXPECT_EQ(FontManager::FitStringToRect(0, "abc def ghi", 42, 42, 7), 11);
    EXPECT_EQ(FontManager::FitStringToRect(0, "abc", 42, -1, 0), 0);
    int x = -1, y = -1;
    FontManager::GetStringWrapEndXY(1, 2, "abc", 42, &x, &y);
    EXPECT_EQ(x + y, 0);
}

TEST_F(FontManagerTest, AnIndentWiderThanTheLineStillEnds) {
    int w, h, b;
    FontManager::CalcInfoWrap(0, "abc def ghi jkl", 42, &w, &h, &b, 20);
    EXPECT_LE(w, 42);
    EXPECT_GT(h, 0);
    EXPECT_EQ(h % 7, 0);
    PixelBuffer buf(60, 80, kBack);
    EXPECT_TRUE(FontManager::DrawstringBuf(0, 0, 0, 0, "abc def ghi jkl", 42,
                                           buf.target().Clipped(RECT{0, 0, 60, 80}), 200, 0,
                                           FALSE));
    // An indent beyond the 255-character working buffer counts as 255.
    int w255, h255, b255;
    FontManager::CalcInfoWrap(0, "abc def ghi jkl", 42, &w255, &h255, &b255, 255);
    FontManager::CalcInfoWrap(0, "abc def ghi jkl", 42, &w, &h, &b, INT_MAX);
    EXPECT_EQ(w, w255);
    EXPECT_EQ(h, h255);
}

TEST_F(FontManagerTest, LongTextsAreCutTo255CharactersWithALogLine) {
    const std::string text(300, 'a');
    int w, h, b;
    FontManager::CalcInfoWrap(0, text.c_str(), 100000, &w, &h, &b, 0);
    EXPECT_EQ(w, 255 * 6);
    EXPECT_NE(ReportLog().find("FontManager::CalcInfoWrap - OVERFLOW: msg is 301 bytes"),
              std::string::npos);
    PixelBuffer buf(20, 10, kBack);
    FontManager::DrawstringBuf(0, 0, 0, 0, text.c_str(), 12,
                               buf.target().Clipped(RECT{0, 0, 20, 10}), 0, 0, FALSE);
    EXPECT_NE(ReportLog().find("FontManager::DrawstringBuf - OVERFLOW: msg is 301 bytes"),
              std::string::npos);
}

TEST_F(FontManagerTest, DrawsWrappedCentredAndIndentedTextPixelExact) {
    PixelBuffer buf(40, 30, kBack);
    const RECT all{0, 0, 40, 30};
    FontManager::DrawstringBuf(1, 0, 0, 0, "ab cd ef", 30, buf.target().Clipped(all), 0, 0, FALSE);
    FontManager::DrawstringBuf(1, 15, 0, 0, "ab cd", 24, buf.target().Clipped(all), 1, 8, TRUE);
    EXPECT_TRUE(MatchesGolden("font_wrapped", buf));
}

TEST_F(FontManagerTest, GlyphsCrossingTheClipAreDroppedWholeAndEndTheLine) {
    struct Case {
        const char* name;
        int x, y;
        const char* text;
        RECT clip;
    } const cases[] = {
        {"font_clip_right", 0, 6, "abc", {0, 0, 10, 8}},
        {"font_clip_left", -2, 6, "abc", {0, 0, 20, 8}},
        {"font_clip_top_bottom", 0, 6, "ab", {0, 2, 20, 5}},
        {"font_stops_at_control", 0, 6, "a\x01z", {0, 0, 20, 8}},
        {"font_clip_beyond_buffer", 14, 9, "ab", {-5, -5, 50, 12}},
    };
    for (const Case& c : cases) {
        PixelBuffer buf(20, 12, kBack);
        EXPECT_TRUE(FontManager::DrawString(c.x, c.y, 0, 0, c.text, buf.target().Clipped(c.clip)));
        EXPECT_TRUE(MatchesGolden(c.name, buf)) << c.name;
    }
}

TEST_F(FontManagerTest, AClipReachingBelowTheTargetStopsAtItsLastRow) {
    // Eight rows of memory, of which the target owns the first three.
    PixelBuffer buf(20, 8, kBack);
    const BlitTarget target = BlitTarget(buf.data(), 20, 3).Clipped(RECT{0, 0, 20, 100});
    EXPECT_TRUE(FontManager::DrawString(0, 6, 0, 0, "ab", target));
    EXPECT_TRUE(FontManager::DrawstringBuf(0, 0, 0, 0, "ab ab", 12, target, 0, 0, FALSE));
    bool drawn = false;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 20; ++x) {
            if (y >= 3) {
                EXPECT_EQ(buf.at(x, y), kBack) << x << "," << y;
            }
            drawn = drawn || buf.at(x, y) != kBack;
        }
    EXPECT_TRUE(drawn);
}

TEST_F(FontManagerTest, HuesRecolourByTheRedChannelAndPartialHueOnlyGreys) {
    tw::test::SetTestHue(6);
    const RECT all{0, 0, 4, 1};
    struct {
        int font, hue;
        M_WORD p0, p1;
    } const cases[] = {
        {5, 0, kGrey, kRed},     // no hue: copied
        {5, 7, 0x0410, 0x041F},  // full hue: colour [red channel]
        {0, 7, 0x0410, kRed},    // partial hue: greys only
        {5, 9999, kGrey, kRed},  // a hue number that names no hue
    };
    for (auto c : cases) {
        PixelBuffer buf(4, 1, kBack);
        FontManager::DrawString(0, 0, c.font, c.hue, "A", buf.target().Clipped(all));
        EXPECT_EQ(buf.at(0, 0), c.p0) << c.font << "/" << c.hue;
        EXPECT_EQ(buf.at(1, 0), c.p1) << c.font << "/" << c.hue;
        EXPECT_EQ(buf.at(2, 0), kBack) << "the hole stays";
    }
}

TEST_F(FontManagerTest, ShadedFontsDarkenRowByRowFromTheFirstDrawnRow) {
    ShadedFonts = TRUE;
    PixelBuffer buf(1, 3, kBack);
    FontManager::DrawString(0, 2, 5, 0, "B", buf.target().Clipped(RECT{0, 0, 1, 3}));
    EXPECT_EQ(buf.at(0, 0), kGrey);   // k = 0
    EXPECT_EQ(buf.at(0, 1), 0x3DEF);  // k = 1: (15, 15, 15)
    EXPECT_EQ(buf.at(0, 2), 0x0421);  // channels stay at least 1
    PixelBuffer clipped(1, 3, kBack);
    FontManager::DrawString(0, 2, 5, 0, "B", clipped.target().Clipped(RECT{0, 1, 1, 3}));
    EXPECT_EQ(clipped.at(0, 0), kBack);
    EXPECT_EQ(clipped.at(0, 1), kGrey);  // the first drawn row is not darkened
}

TEST_F(FontManagerTest, Display565ConvertsOnlyDrawnPixels) {
    Display565 = TRUE;
    PixelBuffer buf(4, 1, kBack);
    FontManager::DrawString(0, 0, 5, 0, "A", buf.target().Clipped(RECT{0, 0, 4, 1}));
    EXPECT_EQ(buf.at(0, 0), 0x8410);
    EXPECT_EQ(buf.at(1, 0), 0xF800);
    EXPECT_EQ(buf.at(2, 0), kBack);
}

TEST_F(FontManagerTest, EllipsisCutsTheTextToLeaveRoomForThreeDots) {
    struct {
        const char* text;
        int right;
        const char* shown;
    } const cases[] = {
        {"abc", 30, "abc"},       // fits: no dots
        {"abcdef", 30, "ab..."},  // cut until the dots fit
        {"abcdef", 10, "."},      // the dots alone do not fit: dots after no character
    };
    for (auto c : cases) {
        const RECT clip{0, 0, c.right, 8};
        PixelBuffer got(40, 8, kBack), want(40, 8, kBack);
        EXPECT_TRUE(
            FontManager::DrawStringBufEllips(0, 6, 0, 0, c.text, got.target().Clipped(clip)));
        FontManager::DrawString(0, 6, 0, 0, c.shown, want.target().Clipped(clip));
        EXPECT_EQ(got.pixels, want.pixels) << c.text << " to " << c.right;
    }
    // Wide text: a unit above 255 has no glyph and does not move the pen.
    PixelBuffer got(40, 8, kBack), want(40, 8, kBack);
    const tw::test::Wide wide{'a', 0x3042, 'b'};
    FontManager::DrawWideStringEllips(0, 6, 0, 0, wide, got.target().Clipped(RECT{0, 0, 40, 8}));
    FontManager::DrawString(0, 6, 0, 0, "ab", want.target().Clipped(RECT{0, 0, 40, 8}));
    EXPECT_EQ(got.pixels, want.pixels);
}

TEST_F(FontManagerTest, DrawingWithAMissingFontSaysSoAndDrawsNothing) {
    tw::test::StderrCapture err;
    PixelBuffer buf(10, 10, kBack);
    const RECT all{0, 0, 10, 10};
    EXPECT_FALSE(FontManager::DrawString(0, 6, 1, 0, "a", buf.target().Clipped(all)));
    EXPECT_FALSE(
        FontManager::DrawstringBuf(0, 0, 1, 0, "a", 10, buf.target().Clipped(all), 0, 0, 0));
    EXPECT_FALSE(FontManager::DrawStringBufEllips(0, 6, 30, 0, "a", buf.target().Clipped(all)));
    EXPECT_NE(err.text().find("Error: Missing Font!"), std::string::npos);
    EXPECT_EQ(buf.pixels, PixelBuffer(10, 10, kBack).pixels);
}

// A 16-bit bitmap {width, height, pixels}.
std::vector<M_WORD> Bitmap(int w, int h, M_WORD fill) {
    std::vector<M_WORD> b(2 + size_t(w) * h, fill);
    b[0] = static_cast<M_WORD>(w);
    b[1] = static_cast<M_WORD>(h);
    return b;
}

PixelBuffer Pixels(const std::vector<M_WORD>& bitmap) {
    PixelBuffer out(bitmap[0], bitmap[1]);
    out.pixels.assign(bitmap.begin() + 2, bitmap.end());
    return out;
}

TEST_F(FontManagerTest, RectanglesAndLinesStayInsideTheBitmap) {
    std::vector<M_WORD> b = Bitmap(10, 8, kBack);
    EXPECT_TRUE(FontManager::DrawRect(2, 1, 5, 2, 0x7FFF, b.data()));
    FontManager::DrawRect(-4, 6, 13, 20, 0x001F, b.data());  // clipped to the bitmap
    FontManager::DrawLine(0, 5, 9, 0, 0x7C00, b.data());     // shallow, right and up
    FontManager::DrawLine(8, 0, 6, 7, 0x03E0, b.data());     // steep, left and down
    FontManager::DrawLine(9, 3, 9, -5, 0x7FE0, b.data());    // vertical, leaving the top
    FontManager::DrawBlendLine(0, 7, 20, 7, b.data());       // horizontal, past the right
    EXPECT_TRUE(MatchesGolden("font_primitives", Pixels(b)));

    std::vector<M_WORD> src = Bitmap(10, 8, 0x1234), dst = Bitmap(10, 8, 0);
    FontManager::DrawLineFromBuffer(0, 0, 3, 3, dst.data(), src.data());
    EXPECT_EQ(dst[2 + 3 * 10 + 3], 0x1234);
    EXPECT_EQ(dst[2 + 3 * 10 + 2], 0);
    std::vector<M_WORD> small = Bitmap(2, 2, 0);
    FontManager::DrawLineFromBuffer(0, 0, 1, 1, dst.data(), small.data());  // sizes differ
    EXPECT_EQ(dst[2 + 1 * 10 + 1], 0x1234);
}

TEST_F(FontManagerTest, DrawRectRequiresWholePixelPairs) {
    std::vector<M_WORD> b = Bitmap(10, 8, 0);
    EXPECT_DEATH(FontManager::DrawRect(1, 0, 5, 2, 1, b.data()), "x1%2==0");
    EXPECT_DEATH(FontManager::DrawRect(0, 0, 4, 2, 1, b.data()), "x2%2==1");
}

M_DWORD g_now = 0;
M_DWORD FakeNow() {
    return g_now;
}

TEST(FrameTimerTest, CountsSlackAndFramesBehind) {
    CFrameTimer timer;
    EXPECT_EQ(timer.framesPerSecond, 30);
    EXPECT_EQ(timer.interval, 33);
    timer.slack = -75;
    EXPECT_TRUE(timer.IsBehind());
    EXPECT_EQ(timer.FramesBehind(), 2);
    EXPECT_EQ(timer.slack, -9);

    SetTimeSourceForTests(FakeNow);
    timer.Reset();
    g_now = 1000;
    timer.MarkStart();
    g_now = 1010;
    timer.MarkEnd();
    timer.AddFrameSlack();
    EXPECT_EQ(timer.slack, 23);
    EXPECT_EQ(timer.TakeSlack(), 23);
    EXPECT_EQ(timer.slack, 0);
    SetTimeSourceForTests(nullptr);

    for (int bad : {0, -5, 1001}) EXPECT_FALSE(timer.SetFramesPerSecond(bad)) << bad;
    EXPECT_EQ(timer.interval, 33);
    EXPECT_TRUE(timer.SetFramesPerSecond(1000));
    EXPECT_EQ(timer.interval, 1);
}

}  // namespace

namespace {

TEST_F(FontManagerTest, GlyphsCutFromAPictureTreatTheKeysAsHoles) {
    // 3 x 2 picture region at (1, 1) of a 5-wide buffer.
    const M_WORD white = 0x7FFF, magenta = 0x5415, grey = 0x4210;
    std::vector<M_WORD> picture = {9, 9,       9,      9, 9,  //
                                   9, white,   grey,   0, 9,  //
                                   9, magenta, 0x1234, 7, 9};
    CFont* font = FontManager::GetFont(0);
    FontManager::SetGlyphFromBuffer(font, 'q', 1, 1, 3, 2, picture.data(), 5);
    EXPECT_EQ(FontManager::GetCharWidth(0, 'q'), 3);
    const M_WORD* glyph = font->glyphs['q' - 32];
    const std::vector<M_WORD> got(glyph + 2, glyph + 8);
    EXPECT_EQ(got, (std::vector<M_WORD>{0, grey, 0x0421, 0, 0x1234, 7}));
}

TEST_F(FontManagerTest, AGlyphCutFromAPictureIsNoLargerThanAFontFileGlyph) {
    // Glyph sizes are bytes in the font file, and the shaded drawing holds
    // one glyph row of at most 255 pixels.
    const int w = 300;
    std::vector<M_WORD> picture(size_t(w) * 2, 0x4210);
    CFont* font = FontManager::GetFont(5);
    ShadedFonts = TRUE;
    FontManager::SetGlyphFromBuffer(font, 'q', 0, 0, w, 1, picture.data(), w);
    FontManager::SetGlyphFromBuffer(font, 'r', 0, 0, 1, 256, picture.data(), 1);
    EXPECT_EQ(FontManager::GetCharWidth(5, 'q'), 6);
    EXPECT_EQ(FontManager::GetCharHeight(5, 'r'), 7);
    PixelBuffer buf(w, 8, kBack);
    FontManager::DrawString(0, 7, 5, 0, "q", buf.target().Clipped(RECT{0, 0, w, 8}));
    FontManager::SetGlyphFromBuffer(font, 'q', 0, 0, 255, 1, picture.data(), w);
    ASSERT_EQ(FontManager::GetCharWidth(5, 'q'), 255);
    FontManager::DrawString(0, 7, 5, 0, "q", buf.target().Clipped(RECT{0, 0, w, 8}));
    EXPECT_EQ(buf.at(254, 7), kGrey);
    EXPECT_EQ(buf.at(255, 7), kBack);
}

}  // namespace

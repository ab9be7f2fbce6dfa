#include <array>
#include <cstring>
#include <vector>

#include "ResourcesTestSupport.h"
#include "resources/SpanHandlers.h"

namespace {

using tw::test::ResourcesTest;

class SpanHandlersTest : public ResourcesTest {};

constexpr int kPixels = 6;
using Row = std::array<M_WORD, kPixels>;

// Transparent, grey (15,15,15), pure red, a mixed colour, red with bit 15 set,
// and a red-dominant colour.
const Row kSource = {0x0000, 0x3DEF, 0x7C00, 0x2A83, 0xFC00, 0x5041};
const Row kDestination = {0x1111, 0x7FFF, 0x0000, 0x4210, 0x0421, 0x7C1F};

struct HandlerCase {
    const char* name;
    SpanHandler handler;
    Row expected;
};

// Expected pixels worked out from the formulas with hue 5 = ramp 0x0400 + i,
// blend table 4 selected and the channel-scale table value * level / 32.
const HandlerCase kCases[] = {
    {"CopySpan", CopySpan, {0x0000, 0x3DEF, 0x7C00, 0x2A83, 0xFC00, 0x5041}},
    {"CopySpanTransparent", CopySpanTransparent, {0x1111, 0x3DEF, 0x7C00, 0x2A83, 0xFC00, 0x5041}},
    {"BlendSpan50", BlendSpan50, {0x1111, 0x5AD7, 0x3C01, 0x3649, 0x3C01, 0x642F}},
    {"Blend75SpanTransparent",
     Blend75SpanTransparent,
     {0x1111, 0x4631, 0x5801, 0x2E65, 0x5801, 0x5827}},
    {"Blend75Span", Blend75Span, {0x0445, 0x4631, 0x5801, 0x2E65, 0x5801, 0x5827}},
    {"Blend25Span", Blend25Span, {0x0CCD, 0x6739, 0x1C01, 0x3A2D, 0x1C01, 0x6C17}},
    {"ShadowSpan", ShadowSpan, {0x1111, 0x3DEF, 0x0001, 0x2109, 0x0001, 0x3C0F}},
    {"HueSpanTransparent", HueSpanTransparent, {0x1111, 0x040F, 0x041F, 0x040A, 0x041F, 0x0414}},
    {"HueSpan", HueSpan, {0x0400, 0x040F, 0x041F, 0x040A, 0x041F, 0x0414}},
    {"HueGraySpanTransparent",
     HueGraySpanTransparent,
     {0x1111, 0x040F, 0x7C00, 0x2A83, 0xFC00, 0x5041}},
    {"HueGraySpan", HueGraySpan, {0x0400, 0x040F, 0x7C00, 0x2A83, 0xFC00, 0x5041}},
    {"HueBlendSpanTransparent",
     HueBlendSpanTransparent,
     {0x1111, 0x1CF1, 0x0017, 0x108B, 0x0017, 0x1C17}},
    {"HueBlendSpan", HueBlendSpan, {0x0445, 0x1CF1, 0x0017, 0x108B, 0x0017, 0x1C17}},
    {"HueGrayBlendSpanTransparent",
     HueGrayBlendSpanTransparent,
     {0x1111, 0x1CF1, 0x7C00, 0x2A83, 0xFC00, 0x5041}},
    {"HueGrayBlendSpan", HueGrayBlendSpan, {0x0445, 0x1CF1, 0x7C00, 0x2A83, 0xFC00, 0x5041}},
    {"HueGreenSpan", HueGreenSpan, {0x0400, 0x040F, 0x0400, 0x0414, 0x0400, 0x0402}},
    {"BlendTableSpan", BlendTableSpan, {0x0888, 0x7FFF, 0x3C00, 0x4B8A, 0x4000, 0x7C30}},
    {"HueGreenBlendTableSpan",
     HueGreenBlendTableSpan,
     {0x0888, 0x41FF, 0x0000, 0x211C, 0x0400, 0x4011}},
    {"CensoredBloodSpan", CensoredBloodSpan, {0x0000, 0x3DEF, 0x0000, 0x2A83, 0x0000, 0x0140}},
};

void FillChannelScale() {
    for (int level = 0; level < 32; ++level)
        for (int v = 0; v < 32; ++v)
            ChannelScaleTable[level][v] = static_cast<M_BYTE>(v * level / 32);
}

TEST_F(SpanHandlersTest, EveryHandlerWritesItsFormulaPixelByPixel) {
    tw::test::SetTestHue(5);
    DrawHue = 5;
    SelectBlendTable(4);
    FillChannelScale();  // the censored blood colour stays at its default, green
    for (const HandlerCase& c : kCases) {
        Row dst = kDestination;
        c.handler(dst.data(), kSource.data(), kPixels);
        for (int i = 0; i < kPixels; ++i)
            EXPECT_EQ(dst[i], c.expected[i]) << c.name << " pixel " << i;
    }
}

TEST_F(SpanHandlersTest, CountZeroWritesNothingAndTheSourceMayBeUnaligned) {
    tw::test::SetTestHue(5);
    DrawHue = 5;
    SelectBlendTable(2);
    // The source sits one byte into a buffer, as run data in a mapped file may.
    std::vector<M_BYTE> bytes(1 + 2 * kPixels);
    memcpy(bytes.data() + 1, kSource.data(), 2 * kPixels);
    const M_WORD* unaligned = reinterpret_cast<const M_WORD*>(bytes.data() + 1);
    for (const HandlerCase& c : kCases) {
        Row dst = kDestination;
        c.handler(dst.data(), unaligned, 0);
        EXPECT_EQ(dst, kDestination) << c.name;
        c.handler(dst.data(), unaligned, 3);  // only the first three change
        for (int i = 3; i < kPixels; ++i) EXPECT_EQ(dst[i], kDestination[i]) << c.name;
    }
}

TEST_F(SpanHandlersTest, BlendedBlackIsNeverTransparent) {
    const M_WORD black[2] = {0, 0};
    for (SpanHandler h : {Blend75Span, Blend25Span}) {
        M_WORD dst[2] = {0, 0};
        h(dst, black, 2);
        EXPECT_EQ(dst[0], 1);
        EXPECT_EQ(dst[1], 1);
    }
    const M_WORD nearBlack[1] = {0x0001};
    M_WORD dst[1] = {0};
    BlendSpan50(dst, nearBlack, 1);
    EXPECT_EQ(dst[0], 1);
    ShadowSpan(dst, nearBlack, 1);
    EXPECT_EQ(dst[0], 1);
}

TEST_F(SpanHandlersTest, HueGraySpanTurnsBlackIntoHueColourZero) {
    tw::test::SetTestHue(7);
    DrawHue = 7;
    const M_WORD black[1] = {0};
    M_WORD dst[1] = {0x1234};
    HueGraySpan(dst, black, 1);
    EXPECT_EQ(dst[0], 0x0400);
}

TEST_F(SpanHandlersTest, AHueNumberThatNamesNoHueDrawsUnhued) {
    tw::test::SetTestHue(5);
    SelectBlendTable(4);
    for (int hue : {-1, 3000, 65535}) {
        DrawHue = hue;
        Row a = kDestination, b = kDestination;
        HueSpan(a.data(), kSource.data(), kPixels);
        CopySpan(b.data(), kSource.data(), kPixels);
        EXPECT_EQ(a, b) << hue;
        a = b = kDestination;
        HueBlendSpanTransparent(a.data(), kSource.data(), kPixels);
        Blend75SpanTransparent(b.data(), kSource.data(), kPixels);
        EXPECT_EQ(a, b) << hue;
        a = b = kDestination;
        HueGreenBlendTableSpan(a.data(), kSource.data(), kPixels);
        BlendTableSpan(b.data(), kSource.data(), kPixels);
        EXPECT_EQ(a, b) << hue;
    }
}

TEST_F(SpanHandlersTest, BlendModesSelectTheirTables) {
    struct {
        int mode;
        int table;
    } const cases[] = {{0, 0}, {1, 1}, {2, 2}, {5, 5}, {7, 7}, {8, 1}, {9, 1}, {15, 1}, {0x13, 3}};
    for (auto c : cases) {
        SelectBlendTable(c.mode);
        EXPECT_EQ(CurrentBlendTable, BlendTables[c.table]) << c.mode;
        EXPECT_EQ(GetBlendMode(c.mode), c.mode & 15);
    }
    EXPECT_TRUE(IsBlendModeNone(0));
    EXPECT_TRUE(IsBlendModeNone(16));
    EXPECT_FALSE(IsBlendModeNone(9));
}

TEST_F(SpanHandlersTest, BlendTablesHoldTheirMixes) {
    // (table, s, d, value)
    const int cases[][4] = {
        {1, 31, 31, 30}, {1, 16, 8, 4},   {2, 20, 20, 31}, {2, 3, 4, 7},   {3, 10, 10, 23},
        {3, 20, 20, 31}, {4, 10, 20, 21}, {5, 10, 20, 13}, {6, 5, 20, 15}, {6, 20, 5, 0},
        {7, 20, 5, 15},  {7, 5, 20, 0},   {0, 31, 31, 0},
    };
    for (auto& c : cases)
        EXPECT_EQ(BlendTables[c[0]][c[1] + 32 * c[2]], c[3])
            << "table " << c[0] << " s " << c[1] << " d " << c[2];
}

}  // namespace

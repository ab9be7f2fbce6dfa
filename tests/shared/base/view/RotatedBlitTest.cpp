// The rotation tables and the rotated blitters: the pinned table values,
// the bounding rectangle, the exact mapping at 0 and half a turn, clipping,
// and golden pictures of an arrow at eight directions, hued and blended.
#include <gtest/gtest.h>

#include <vector>

#include "ViewTestSupport.h"
#include "resources/HueManager.h"
#include "resources/SpanHandlers.h"
#include "support/datafiles/ArtFormats.h"
#include "view/Light.h"
#include "view/RotatedBlit.h"

namespace {

using tw::datafiles::Image;
using tw::datafiles::Rgb555;

class RotatedBlit : public tw::test::ViewTest {
protected:
    // An arrow pointing right: a shaft and a head, red at the tip, with a
    // transparent hole, 24 x 12.
    void SetUp() override {
        ViewTest::SetUp();
        Image img(24, 12);
        img.fillRect(0, 5, 18, 2, Rgb555(40, 200, 40));
        for (int i = 0; i < 6; ++i) img.fillRect(18 + i, i, 1, 12 - 2 * i, Rgb555(240, 40, 40));
        img.fillRect(0, 3, 3, 6, Rgb555(240, 240, 240));
        img.set(1, 5, 0);
        art = tw::datafiles::EncodeStaticArt(img);
        image = SkipImage{art.data(), static_cast<int>(art.size())};
    }
    // A w x h target filled with one colour.
    void UseTarget(int w, int h, M_WORD fill) {
        pixels.assign(static_cast<size_t>(w) * h, fill);
        width = w;
        height = h;
        thelightthingie::target = WorldTarget{pixels.data(), w, w, h};
    }
    M_WORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    tw::test::Image16 Picture() const {
        tw::test::Image16 out{width, height, 15, pixels};
        return out;
    }
    static constexpr RECT kWhole{0, 0, 24, 12};

    tw::datafiles::Bytes art;
    SkipImage image;
    std::vector<M_WORD> pixels;
    int width = 0, height = 0;
};

TEST(RotationTables, MatchTheirDefinitionExactly) {
    struct {
        int i, cos, sin;
    } rows[] = {{0, 65536, 0},    {1, 65516, 1608},     {2, 65457, 3215}, {32, 46340, 46340},
                {64, 0, 65536},   {100, -50660, 41575}, {128, -65536, 0}, {160, -46340, -46340},
                {192, 0, -65536}, {255, 65516, -1608}};
    for (const auto& r : rows) {
        EXPECT_EQ(cosTable[r.i], r.cos) << r.i;
        EXPECT_EQ(sinTable[r.i], r.sin) << r.i;
    }
    // Red counts with half its value; bit 15 is ignored.
    EXPECT_EQ(greyLevelTable[0x7C00], 5);
    EXPECT_EQ(greyLevelTable[0x7FFF], 25);
    EXPECT_EQ(greyLevelTable[0xFFFF], 25);
    EXPECT_EQ(greyLevelTable[0x001F], 10);
    EXPECT_EQ(greyLevelTable[0], 0);

    EXPECT_EQ(RadiansToDirection256(3.14159265f), 128);
    EXPECT_EQ(RadiansToDirection256(3.14159265f / 2), 64);
    EXPECT_EQ(RadiansToDirection256(-3.14159265f / 2), -64);
    EXPECT_EQ(RadiansToDirection256(0.0f), 0);
}

TEST(RotationTables, BoundingRectangleOfATurnedRectangle) {
    RECT r{10, 20, 34, 32};
    GetRotatedBoundRect(0, &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 34);
    EXPECT_EQ(r.bottom, 32);
    // A quarter turn about (22, 26) swaps the extents.
    r = RECT{10, 20, 34, 32};
    GetRotatedBoundRect(64, &r);
    EXPECT_EQ(r.right - r.left, 12);
    EXPECT_EQ(r.bottom - r.top, 24);
    EXPECT_EQ(r.left, 16);
    EXPECT_EQ(r.top, 14);
}

TEST_F(RotatedBlit, DirectionZeroCopiesAndHalfATurnMirrorsAboutTheCentre) {
    UseTarget(24, 12, 0x1234);
    BlitRotatedToView(image, kWhole, 0, 0, 0, RECT{0, 0, 24, 12});
    std::vector<M_WORD> plain(24 * 12, 0x1234);
    SkipDrawNoClip(CopySpan, image, BlitTarget(plain.data(), 24, 24, 12), 0, 0);
    EXPECT_EQ(pixels, plain) << "the same picture, holes skipped";

    std::vector<M_WORD> art(24 * 12, 0);
    SkipDrawNoClip(CopySpan, image, BlitTarget(art.data(), 24, 24, 12), 0, 0);
    UseTarget(24, 12, 0);
    BlitRotatedToView(image, kWhole, 0, 0, 128, RECT{0, 0, 24, 12});
    // About the centre (12, 6), destination (x, y) takes source
    // (24 - x, 12 - y).
    for (int y = 1; y < 12; ++y) {
        for (int x = 1; x < 24; ++x)
            EXPECT_EQ(At(x, y), art[(12 - y) * 24 + 24 - x]) << x << "," << y;
    }
    for (int x = 0; x < 24; ++x) EXPECT_EQ(At(x, 0), 0) << "row 12 of the source is outside";
}

TEST_F(RotatedBlit, DrawsOnlyInsideTheClipRectangle) {
    UseTarget(64, 32, 0);
    BlitRotatedToView(image, kWhole, -30, 0, 0, RECT{0, 0, 64, 32});
    for (M_WORD p : pixels) EXPECT_EQ(p, 0) << "wholly left of the clip";

    UseTarget(64, 32, 0);
    BlitRotatedToView(image, kWhole, 10, 10, 0, RECT{15, 0, 25, 32});
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 64; ++x) {
            if (x < 15 || x >= 25) {
                EXPECT_EQ(At(x, y), 0) << x << "," << y;
            }
        }
    }
    EXPECT_NE(At(15, 15), 0) << "the shaft crosses both edges";
    EXPECT_NE(At(24, 15), 0);
}

TEST_F(RotatedBlit, AnArrowAtEightDirectionsHuedAndBlended) {
    const int cell = 40;
    UseTarget(cell * 4, cell * 3, Rgb555(96, 96, 128));
    Hue& hue = HueManager::hueTable[7];
    for (int i = 0; i < 32; ++i) hue.colors[i] = static_cast<M_WORD>(i << 10 | (i / 2) << 5);
    const RECT all{0, 0, cell * 4, cell * 3};
    // Each arrow turns about its centre, which lands in the middle of its
    // cell; the source rectangle is the turned art's bounding rectangle, as
    // the effects pass it.
    auto draw = [&](int column, int row, int direction, auto blit) {
        RECT source = kWhole;
        GetRotatedBoundRect(direction, &source);
        blit(source, column * cell + 20 - 12 + source.left, row * cell + 20 - 6 + source.top,
             direction);
    };
    for (int d = 0; d < 8; ++d)
        draw(d % 4, d / 4, d * 32, [&](const RECT& source, int x, int y, int direction) {
            BlitRotatedToView(image, source, x, y, direction, all);
        });
    draw(0, 2, 32, [&](const RECT& source, int x, int y, int direction) {
        BlitRotatedHuedToView(image, source, x, y, direction, all, 7);
    });
    SelectBlendTable(2);
    draw(1, 2, 32, [&](const RECT& source, int x, int y, int direction) {
        BlitRotatedEffectToView(image, source, x, y, direction, all);
    });
    draw(2, 2, 224, [&](const RECT& source, int x, int y, int direction) {
        BlitRotatedHuedEffectToView(image, source, x, y, direction, all, 7);
    });
    // A number that names no hue draws the art unhued.
    draw(3, 2, 96, [&](const RECT& source, int x, int y, int direction) {
        BlitRotatedHuedToView(image, source, x, y, direction, all, 9999);
    });
    EXPECT_TRUE(tw::test::MatchesGolden(Picture(), "shared/base/view/golden/rotated_arrows.png"));
}

}  // namespace

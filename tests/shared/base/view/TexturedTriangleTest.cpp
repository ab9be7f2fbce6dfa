// The textured triangle fillers: which pixels of a cell they write, the
// texture and light they write there, and the clip.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "FileManager.h"
#include "ViewTestSupport.h"
#include "resources/GraphicManager.h"
#include "resources/SpanHandlers.h"
#include "view/Light.h"
#include "view/TexturedTriangle.h"

namespace {

constexpr int S = 200;         // the target's stride
constexpr int L = 60, T = 50;  // the cell's left and top

class TexturedTriangle : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        thelightthingie::BuildLightTables();
        GraphicManager::startup();  // the ghost view's grey table
        thelightthingie::target.pitch = S;
        target.assign(S * S, kUntouched);
    }
    // A size x size texture whose texel (u, v) names itself.
    static std::vector<M_BYTE> Texture(int size) {
        std::vector<M_BYTE> t(size_t(size) * size * 2);
        for (int v = 0; v < size; ++v)
            for (int u = 0; u < size; ++u) {
                const M_WORD texel = static_cast<M_WORD>(v * size + u) | 0x4000;
                std::memcpy(&t[2 * (size_t(v) * size + u)], &texel, 2);
            }
        return t;
    }
    // The four corners of a cell with corner heights h, as the land draws
    // them.
    static void Corners(const int h[4], TriangleCorner c[4]) {
        c[0] = {L + 22, T - 4 * h[0] - 1, 1};
        c[1] = {L + 46, T - 4 * h[1] + 22, 2};
        c[2] = {L + 23, T - 4 * h[2] + 45, 3};
        c[3] = {L, T - 4 * h[3] + 22, 4};
    }
    // Both triangles of the cell with the north-south split, or the
    // east-west one.
    void Cell(bool grey, const int h[4], bool northSouth, const int light[4], const RECT& clip,
              const std::vector<M_BYTE>& tex, int sizeCode) {
        TriangleCorner c[4];
        Corners(h, c);
        const int ns[2][3] = {{0, 1, 2}, {2, 3, 0}}, ew[2][3] = {{0, 1, 3}, {1, 2, 3}};
        for (const auto& t : northSouth ? ns : ew) {
            auto fill = grey ? DrawTexturedTriangleGrey : DrawTexturedTriangle;
            fill(target.data(), tex.data(), sizeCode, &c[t[0]], &c[t[1]], &c[t[2]], light[t[0]],
                 light[t[1]], light[t[2]], &clip);
        }
    }
    int Written() const {
        return static_cast<int>(
            std::count_if(target.begin(), target.end(), [](M_WORD p) { return p != kUntouched; }));
    }
    std::vector<int> RowColumns(int y) const {
        std::vector<int> xs;
        for (int x = 0; x < S; ++x)
            if (target[y * S + x] != kUntouched) xs.push_back(x);
        return xs;
    }

    static constexpr M_WORD kUntouched = 0x8000;
    static constexpr RECT kAll{0, 0, S, S};
    std::vector<M_WORD> target;
};

TEST_F(TexturedTriangle, AFlatCellCoversItsDiamondOnePixelWiderInTheGreyFiller) {
    const int flat[4] = {0, 0, 0, 0}, dark[4] = {0, 0, 0, 0};
    const std::vector<M_BYTE> tex = Texture(64);
    Cell(false, flat, true, dark, kAll, tex, 0);
    EXPECT_EQ(Written(), 1105);
    EXPECT_EQ(RowColumns(T - 1), std::vector<int>{L + 21});
    EXPECT_EQ(RowColumns(T + 22).size(), 46u);
    EXPECT_EQ(RowColumns(T + 22).front(), L - 1);
    EXPECT_EQ(RowColumns(T + 22).back(), L + 44);
    EXPECT_EQ(RowColumns(T + 45), (std::vector<int>{L + 21, L + 22}));

    target.assign(S * S, kUntouched);
    Cell(true, flat, true, dark, kAll, tex, 0);
    EXPECT_EQ(Written(), 1129);
    EXPECT_EQ(RowColumns(T - 1), (std::vector<int>{L + 21, L + 22}));
}

TEST_F(TexturedTriangle, TheWholeTextureSpansTheCellAndLightDarkensEachChannel) {
    const int flat[4] = {0, 0, 0, 0};
    for (int sizeCode : {0, 1}) {
        const int size = 64 << sizeCode;
        const std::vector<M_BYTE> tex = Texture(size);
        const int none[4] = {0, 0, 0, 0};
        target.assign(S * S, kUntouched);
        Cell(false, flat, true, none, kAll, tex, sizeCode);
        int maxU = 0, maxV = 0;
        for (M_WORD p : target) {
            if (p == kUntouched) continue;
            const int texel = p & 0x3FFF;  // light 0: the texel as it is
            maxU = std::max(maxU, texel % size);
            maxV = std::max(maxV, texel / size);
        }
        // The last texture column lies on the right end column, which this
        // filler never writes.
        EXPECT_EQ(maxU, size - 2);
        EXPECT_EQ(maxV, size - 1);
        EXPECT_EQ(target[(T - 1) * S + L + 21], 0x4000) << "the top corner is texel (0, 0)";
    }

    // Light 15 at every corner: each channel c becomes (c * 17) >> 5.
    std::vector<M_BYTE> white(64 * 64 * 2);
    for (size_t i = 0; i < white.size(); i += 2) white[i] = 0xFF, white[i + 1] = 0x7F;
    const int bright[4] = {0, 0, 0, 0}, dim[4] = {15, 15, 15, 15};
    target.assign(S * S, kUntouched);
    Cell(false, flat, true, bright, kAll, white, 0);
    EXPECT_EQ(target[(T + 22) * S + L + 20], 0x7FFF);
    Cell(false, flat, true, dim, kAll, white, 0);
    const int c = (31 * 17) >> 5;
    EXPECT_EQ(target[(T + 22) * S + L + 20], c << 10 | c << 5 | c);
}

TEST_F(TexturedTriangle, TheClipCutsPixelsButNotWhatTheyShow) {
    const int slope[4] = {3, 0, -2, 1}, light[4] = {2, 7, 12, 0};
    const std::vector<M_BYTE> tex = Texture(64);
    for (bool grey : {false, true}) {
        target.assign(S * S, kUntouched);
        Cell(grey, slope, false, light, kAll, tex, 0);
        const std::vector<M_WORD> whole = target;
        const RECT clip{L + 10, T + 5, L + 30, T + 40};
        target.assign(S * S, kUntouched);
        Cell(grey, slope, false, light, clip, tex, 0);
        for (int y = 0; y < S; ++y)
            for (int x = 0; x < S; ++x) {
                const bool inside =
                    x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
                ASSERT_EQ(target[y * S + x], inside ? whole[y * S + x] : kUntouched)
                    << (grey ? "grey " : "") << x << "," << y;
            }
    }
}

TEST_F(TexturedTriangle, LightThatRoundsBelowZeroIsDrawnAtLevelZero) {
    // Heights 5, 0, -3, 2 fold east-west; with lights 0, 0, 1, 0 the
    // stepping carries a few pixels a fraction below level 0.
    const int h[4] = {5, 0, -3, 2}, light[4] = {0, 0, 1, 0};
    std::vector<M_BYTE> white(64 * 64 * 2);
    for (size_t i = 0; i < white.size(); i += 2) white[i] = 0xFF, white[i + 1] = 0x7F;
    const int c = (31 * 31) >> 5;
    for (bool grey : {false, true}) {
        target.assign(S * S, kUntouched);
        Cell(grey, h, false, light, kAll, white, 0);
        const M_WORD full = grey ? GraphicManager::greyTable[0x7FFF] : 0x7FFF;
        const int g = full & 31, dg = (g * 31) >> 5;
        for (M_WORD p : target) {
            if (p == kUntouched) continue;
            ASSERT_TRUE(p == full ||
                        p == (grey ? (dg << 10 | dg << 5 | dg) : (c << 10 | c << 5 | c)))
                << p;
        }
    }
}

TEST_F(TexturedTriangle, ATriangleOnOneRowDrawsNothing) {
    const std::vector<M_BYTE> tex = Texture(64);
    const TriangleCorner a{10, 10, 1}, b{40, 10, 2}, c{70, 10, 3};
    DrawTexturedTriangle(target.data(), tex.data(), 0, &a, &b, &c, 0, 0, 0, &kAll);
    DrawTexturedTriangleGrey(target.data(), tex.data(), 0, &a, &b, &c, 0, 0, 0, &kAll);
    EXPECT_EQ(Written(), 0);
}

}  // namespace

// Frames, bars, tiled art and highlight rows painted from synthetic gump art:
// a golden sheet with a seeded random source for the ornaments, the rules for
// missing pieces (which must never hang), and the blend of the row.
#include <vector>

#include "GumpTestSupport.h"
#include "config/Config.h"
#include "gumps/Gump.h"
#include "gumps/TiledDraw.h"
#include "resources/PixelFormat.h"
#include "support/GoldenImage.h"
#include "support/datafiles/ArtFormats.h"

namespace {

using tw::datafiles::Image;
using tw::datafiles::Rgb555;

constexpr M_WORD kBackground = Rgb555(30, 30, 60);
constexpr int kFrame = 100, kBar = 130, kTile = 140, kRow = 150;

// A piece of one colour with a darker one-pixel border, so that each copy
// shows where it starts; hole leaves a transparent pixel in the middle.
Image Piece(int w, int h, M_WORD colour, bool hole = false) {
    Image img(w, h, colour);
    for (int x = 0; x < w; ++x) img.set(x, 0, Rgb555(20, 20, 20));
    for (int y = 0; y < h; ++y) img.set(0, y, Rgb555(20, 20, 20));
    if (hole) img.set(w / 2, h / 2, 0);
    return img;
}

// A cap of the highlight row: a triangle, so that the shape shows.
Image Cap(int w, int h, bool mirrored) {
    Image img(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (mirrored ? x <= y * w / h : x >= w - 1 - y * w / h)
                img.set(x, y, Rgb555(255, 0, 0));
    return img;
}

std::vector<std::pair<int, Image>> FrameArt(int base) {
    std::vector<std::pair<int, Image>> art = {
        {base + 0, Piece(8, 8, Rgb555(220, 60, 60))},
        {base + 1, Piece(10, 6, Rgb555(60, 220, 60))},
        {base + 2, Piece(8, 8, Rgb555(60, 60, 220))},
        {base + 3, Piece(6, 9, Rgb555(220, 220, 60))},
        {base + 4, Piece(13, 11, Rgb555(150, 150, 150), true)},
        {base + 5, Piece(6, 9, Rgb555(60, 220, 220))},
        {base + 6, Piece(8, 8, Rgb555(220, 60, 220))},
        {base + 7, Piece(10, 6, Rgb555(120, 200, 90))},
        {base + 8, Piece(8, 8, Rgb555(250, 160, 40))},
    };
    // Ornaments, with a hole that they copy as it is.
    for (int k = 11; k <= 18; ++k) {
        const bool alongTop = k == 11 || k == 12 || k == 17 || k == 18;
        art.push_back({base + k, Piece(alongTop ? 14 : 4, alongTop ? 4 : 14,
                                       Rgb555(255, 255, 40 * (k - 10)), true)});
    }
    return art;
}

// A fixed sequence, so the ornaments land at the same places every run.
unsigned g_seed = 1;
int SeededRandom() {
    g_seed = g_seed * 1103515245u + 12345u;
    return static_cast<int>((g_seed >> 16) & 0x7FFF);
}
int ConstantRandom() {
    return 0;
}

// A frame block of w x h filled with the background.
std::vector<M_WORD> Block(int w, int h, M_WORD fill = kBackground) {
    std::vector<M_WORD> block(2 + static_cast<size_t>(FramePitch(w)) * h, fill);
    block[0] = static_cast<M_WORD>(w);
    block[1] = static_cast<M_WORD>(h);
    return block;
}

M_WORD At(const std::vector<M_WORD>& block, int x, int y) {
    return block[2 + static_cast<size_t>(y) * FramePitch(block[0]) + x];
}

int Painted(const std::vector<M_WORD>& block) {
    int n = 0;
    for (int y = 0; y < block[1]; ++y)
        for (int x = 0; x < block[0]; ++x) n += At(block, x, y) != kBackground;
    return n;
}

class TiledDrawTest : public tw::test::GumpTest {
protected:
    void SetUp() override {
        GumpTest::SetUp();
        use565 = FALSE;
        g_seed = 1;
        SetTiledFrameRandom(SeededRandom);
    }
    void TearDown() override {
        SetTiledFrameRandom(nullptr);
        GumpTest::TearDown();
    }
    static void Install(std::vector<std::pair<int, Image>> art) { tw::test::InstallGumpArt(art); }
};

TEST_F(TiledDrawTest, ASheetOfFramesBarsTilesAndRowsMatchesItsGolden) {
    auto art = FrameArt(kFrame);
    art.push_back({kBar, Piece(7, 12, Rgb555(200, 100, 100))});
    art.push_back({kBar + 1, Piece(9, 12, Rgb555(100, 200, 100), true)});
    art.push_back({kBar + 2, Piece(7, 12, Rgb555(100, 100, 200))});
    art.push_back({kTile, Piece(12, 9, Rgb555(180, 140, 90), true)});
    art.push_back({kRow, Cap(8, 12, false)});
    art.push_back({kRow + 1, Cap(8, 12, true)});
    Install(art);

    std::vector<M_WORD> sheet = Block(240, 200);
    DrawTiledFrameAt(4, 4, 150, 100, kFrame, sheet.data(), FALSE);
    // Too narrow for ornaments along the top; tall enough along the sides.
    DrawTiledFrameAt(160, 4, 70, 130, kFrame, sheet.data(), FALSE);
    // Sticks out of the sheet: clipped at its right and bottom.
    DrawTiledFrameAt(200, 150, 60, 60, kFrame, sheet.data(), TRUE);

    std::vector<M_WORD> bar = Block(95, 12);
    DrawTiledBar(kBar, bar.data());
    CopyPixelRows(12, 95, &sheet[2 + 110 * FramePitch(240) + 4], &bar[2], FramePitch(240),
                  FramePitch(95));
    std::vector<M_WORD> tiles = Block(50, 40);
    DrawTiledArt(kTile, tiles.data());
    CopyPixelRows(40, 50, &sheet[2 + 130 * FramePitch(240) + 4], &tiles[2], FramePitch(240),
                  FramePitch(50));
    DrawTiledRow(60, 140, 100, kRow, sheet.data());
    DrawTiledRow(60, 170, 100, kRow, sheet.data());
    DrawTiledRow(60, 170, 100, kRow, sheet.data());  // twice: darker again

    tw::test::Image16 image;
    image.width = 240;
    image.height = 200;
    image.depth = 15;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 240; ++x) image.pixels.push_back(At(sheet, x, y));
    EXPECT_TRUE(tw::test::MatchesGolden(image, "shared/base/gumps/golden/tiled_sheet.png"));
}

TEST_F(TiledDrawTest, MissingPiecesPaintLessAndNeverHang) {
    // One installation: each case uses a base of its own with pieces left out.
    std::vector<std::pair<int, Image>> art;
    auto frameWithout = [&](int base, std::vector<int> missing) {
        for (auto& [id, image] : FrameArt(base)) {
            bool skip = false;
            for (int m : missing) skip = skip || id == base + m;
            if (!skip) art.push_back({id, image});
        }
    };
    frameWithout(200, {1});
    frameWithout(300, {3, 4, 5});
    for (int missing = 0; missing < 3; ++missing)
        for (int k = 0; k < 3; ++k)
            if (k != missing)
                art.push_back({500 + 10 * missing + k, Piece(7, 12, Rgb555(200, 100, 100))});
    Install(art);

    struct Case {
        const char* name;
        int base;
        int painted;  // -1: something, but not the whole frame
    } cases[] = {
        {"no top edge: only the top-left corner", 200, 8 * 8},
        {"no sides or centre", 300, -1},
        {"no art at all", 400, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<M_WORD> block = Block(120, 90);
        DrawTiledFrame(c.base, block.data(), FALSE);
        if (c.painted >= 0)
            EXPECT_EQ(Painted(block), c.painted);
        else
            EXPECT_GT(Painted(block), 0);
    }
    // A bar is all or nothing.
    for (int missing = 0; missing < 3; ++missing) {
        std::vector<M_WORD> bar = Block(60, 12);
        DrawTiledBar(500 + 10 * missing, bar.data());
        EXPECT_EQ(Painted(bar), 0) << "piece " << missing << " missing";
    }
    std::vector<M_WORD> tiles = Block(30, 30);
    DrawTiledArt(600, tiles.data());
    EXPECT_EQ(Painted(tiles), 0);
}

TEST_F(TiledDrawTest, OrnamentsNeedLongEdgesAndASecondPlaceAwayFromTheFirst) {
    Install(FrameArt(kFrame));
    const M_WORD topOrnament = Rgb555(255, 255, 40);
    auto topOrnamentPixels = [&](const std::vector<M_WORD>& block) {
        int n = 0;
        for (int x = 0; x < block[0]; ++x) n += At(block, x, 1) == topOrnament;
        return n;
    };
    // 14 + 14 + 80 = 108: an edge of 108 gets none, 109 gets both.
    std::vector<M_WORD> narrow = Block(108, 60);
    DrawTiledFrame(kFrame, narrow.data(), FALSE);
    EXPECT_EQ(topOrnamentPixels(narrow), 0);
    std::vector<M_WORD> wide = Block(109, 60);
    DrawTiledFrame(kFrame, wide.data(), FALSE);
    EXPECT_EQ(topOrnamentPixels(wide), 13);  // the first of the pair, less its border pixel
    std::vector<M_WORD> plain = Block(109, 60);
    DrawTiledFrame(kFrame, plain.data(), TRUE);
    EXPECT_EQ(topOrnamentPixels(plain), 0);

    // A source that always gives the same place: the second ornament of each
    // pair is given up after a bounded number of tries.
    SetTiledFrameRandom(ConstantRandom);
    std::vector<M_WORD> stuck = Block(200, 200);
    DrawTiledFrame(kFrame, stuck.data(), FALSE);
    EXPECT_EQ(At(stuck, 11, 1), topOrnament);
    EXPECT_EQ(topOrnamentPixels(stuck), 13);
}

TEST_F(TiledDrawTest, TheRowBlendsWhatIsThereAndClips) {
    Install({{kRow, Cap(8, 12, false)}, {kRow + 1, Cap(8, 12, true)}});
    const M_WORD grey = Rgb555(200, 200, 200);
    std::vector<M_WORD> block = Block(40, 20, grey);
    const M_WORD tint = static_cast<M_WORD>((0xFFFF & PixelHalfMask) >> 1);
    const M_WORD once = static_cast<M_WORD>(tint + ((grey & PixelHalfMask) >> 1));
    const M_WORD twice = static_cast<M_WORD>(tint + ((once & PixelHalfMask) >> 1));
    DrawTiledRow(0, 0, 30, kRow, block.data());
    EXPECT_EQ(At(block, 15, 5), once);
    DrawTiledRow(0, 0, 30, kRow, block.data());
    EXPECT_EQ(At(block, 15, 5), twice);
    EXPECT_EQ(At(block, 15, 12), grey) << "the row is as high as the art";
    EXPECT_EQ(At(block, 0, 0), grey) << "outside the left cap's shape";

    std::vector<M_WORD> untouched = Block(40, 20, grey);
    DrawTiledRow(5, 5, -1, kRow, untouched.data());
    DrawTiledRow(-50, -50, 1000, kRow, untouched.data());  // clipped, not written outside
    EXPECT_EQ(Painted(untouched), 40 * 20);
    std::vector<M_WORD> negative = Block(40, 20, grey);
    DrawTiledRow(5, 5, -1, kRow, negative.data());
    EXPECT_EQ(At(negative, 10, 8), grey);
}

}  // namespace

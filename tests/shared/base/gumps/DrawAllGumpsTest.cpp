// Drawing every gump over the ring back buffer: the ring split, the picture
// presented, the world put back, the save records running out.
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "GumpTestSupport.h"
#include "gumps/GumpManager.h"

namespace {

using tw::test::TestGump;

// A transparent gump over the whole screen that records the pieces of each
// drawing pass.
class PieceRecorder : public TestGump {
public:
    PieceRecorder() : TestGump(0, 0, g_displayWidth, g_displayHeight, "recorder") {}
    void Draw(const RECT& dirty) override {
        pieces.push_back(dirty);
        TestGump::Draw(dirty);
    }
    std::vector<RECT> pieces;
};

class DrawAllGumpsTest : public tw::test::GumpTest {
protected:
    void SetUp() override {
        GumpTest::SetUp();
        g_frameBuf = &frame;
    }

    PieceRecorder* Recorder() {
        auto* r = new PieceRecorder;
        r->PutInGump(nullptr);
        return r;
    }

    // The screen as the world alone shows it.
    std::vector<M_WORD> World() {
        std::vector<M_WORD> screen(static_cast<size_t>(g_displayWidth) * g_displayHeight);
        for (int y = 0; y < g_displayHeight; ++y)
            for (int x = 0; x < g_displayWidth; ++x)
                screen[static_cast<size_t>(y) * g_displayWidth + x] = ScreenPixel(x, y);
        return screen;
    }

    tw::test::CaptureFrameBuf frame;
};

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Show(const std::vector<RECT>& rects) {
    std::ostringstream s;
    for (const RECT& r : rects)
        s << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
    return s.str();
}

TEST_F(DrawAllGumpsTest, TheRingSplitsARectangleIntoOneTwoOrFourPieces) {
    const long row = 640;
    struct {
        const char* what;
        long ringStart;
        RECT rect;
        std::vector<RECT> pieces;
    } const cases[] = {
        {"no wrap", 0, {0, 0, 640, 480}, {{0, 0, 640, 480}}},
        {"wrap at a row start",
         100 * row,
         {0, 0, 640, 480},
         {{0, 0, 640, 380}, {0, 380, 640, 480}}},
        {"wrap point inside the columns",
         100 * row + 300,
         {0, 0, 640, 480},
         {{0, 0, 340, 380}, {340, 0, 640, 379}, {340, 379, 640, 480}, {0, 380, 340, 480}}},
        {"wrap point right of the rectangle",
         100 * row + 300,
         {0, 0, 200, 480},
         {{0, 0, 200, 380}, {0, 380, 200, 480}}},
        {"wrap point left of the rectangle",
         100 * row + 300,
         {400, 0, 640, 480},
         {{400, 0, 640, 379}, {400, 379, 640, 480}}},
        {"all of it after the wrap", 100 * row + 300, {0, 400, 640, 480}, {{0, 400, 640, 480}}},
        {"the rectangle is clipped to the screen first",
         0,
         {-20, -20, 700, 500},
         {{0, 0, 640, 480}}},
    };
    for (const auto& c : cases) {
        g_ringStart = static_cast<int>(c.ringStart);
        PieceRecorder* recorder = Recorder();
        CGumpManager::DrawAllGumps(c.rect, 1);
        ASSERT_EQ(recorder->pieces.size(), c.pieces.size()) << c.what << Show(recorder->pieces);
        for (size_t i = 0; i < c.pieces.size(); ++i)
            EXPECT_TRUE(SameRect(recorder->pieces[i], c.pieces[i]))
                << c.what << ": " << Show(recorder->pieces);
        delete recorder;
    }
    EXPECT_EQ(frame.presents, static_cast<int>(std::size(cases))) << "one present per call";
}

// What the screen must show: the world, with the visible gumps painted back
// to front inside the dirty rectangle, each clipped to its parent.
void Paint(CGump* gump, int parentX, int parentY, RECT clip, std::vector<M_WORD>& screen) {
    if (!gump->visible) return;
    const int gx = parentX + gump->x, gy = parentY + gump->y;
    clip = RECT{std::max(clip.left, gx), std::max(clip.top, gy),
                std::min(clip.right, gx + gump->DrawWidth()),
                std::min(clip.bottom, gy + gump->DrawHeight())};
    const M_WORD* pixels = gump->FramePixels(gump->currentFrame);
    const int bw = gump->FrameWidth(gump->currentFrame), bh = gump->FrameHeight(gump->currentFrame);
    for (int y = clip.top; y < clip.bottom; ++y)
        for (int x = clip.left; x < clip.right; ++x) {
            if (!pixels || x - gx >= bw || y - gy >= bh) continue;
            const M_WORD p = pixels[(y - gy) * FramePitch(bw) + (x - gx)];
            if (p || !gump->UsesPixelHitTest())
                screen[static_cast<size_t>(y) * g_displayWidth + x] = p;
        }
    for (CGump* c = gump->lastChild; c; c = c->prev) Paint(c, gx, gy, clip, screen);
}

TestGump* RandomGump(std::mt19937& rng, int x, int y, CGump* parent) {
    std::uniform_int_distribution<int> size(1, 160), colour(0, 3);
    auto* g = new TestGump(x, y, size(rng), size(rng));
    g->pixelHitTest = rng() % 4 != 0;
    g->visible = rng() % 8 != 0;
    if (rng() % 6 != 0) {
        // Blocks of the gump's size or smaller; a few pixels of 0.
        const int bw = rng() % 3 ? g->width : 1 + static_cast<int>(rng() % g->width);
        const int bh = rng() % 3 ? g->height : 1 + static_cast<int>(rng() % g->height);
        M_WORD* pixels = g->NewFrameBlock(0, bw, bh);
        const M_WORD base = static_cast<M_WORD>(rng() & 0x7FFF);
        for (int i = 0; i < FramePitch(bw) * bh; ++i)
            pixels[i] = colour(rng) ? static_cast<M_WORD>(base + i) : 0;
    }
    g->PutInGump(parent);
    return g;
}

class DrawAllGumpsPropertyTest : public DrawAllGumpsTest,
                                 public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(DrawAllGumpsPropertyTest, PresentsTheGumpsOnceAndGivesTheWorldBack) {
    const auto [width, height] = GetParam();
    std::mt19937 rng(width * 7 + height);
    for (int round = 0; round < 24; ++round) {
        UseScreen(width, height);
        const long total = static_cast<long>(width) * height;
        g_ringStart = static_cast<int>(rng() % (3 * total));
        g_viewX = static_cast<int>(rng() % 64);
        g_viewY = static_cast<int>(rng() % 64);
        const int count = 1 + static_cast<int>(rng() % 12);
        for (int i = 0; i < count; ++i) {
            std::uniform_int_distribution<int> px(-100, width), py(-100, height);
            TestGump* g = RandomGump(rng, px(rng), py(rng), nullptr);
            for (int c = static_cast<int>(rng() % 4); c > 0; --c)
                RandomGump(rng, static_cast<int>(rng() % 200) - 20,
                           static_cast<int>(rng() % 200) - 20, g);
        }
        PieceRecorder* recorder = Recorder();
        std::uniform_int_distribution<int> ex(-60, width + 60), ey(-60, height + 60);
        int l = ex(rng), r = ex(rng), t = ey(rng), b = ey(rng);
        if (l > r) std::swap(l, r);
        if (t > b) std::swap(t, b);
        const RECT dirty{l, t, r, b};
        const RECT onScreen{std::max(l, 0), std::max(t, 0), std::min(r, width),
                            std::min(b, height)};

        const std::vector<M_WORD> world = World();
        std::vector<M_WORD> expected = world;
        for (CGump* g = CGumpManager::tail; g; g = g->prev) Paint(g, 0, 0, onScreen, expected);
        frame.presents = 0;
        frame.shown.clear();

        CGumpManager::DrawAllGumps(dirty, 1);

        ASSERT_EQ(frame.presents, 1) << "round " << round;
        EXPECT_TRUE(frame.shown == expected) << "round " << round;
        EXPECT_TRUE(World() == world) << "round " << round << ": the world was not given back";
        std::vector<int> covered(static_cast<size_t>(total), 0);
        for (const RECT& p : recorder->pieces)
            for (int y = p.top; y < p.bottom; ++y)
                for (int x = p.left; x < p.right; ++x)
                    ++covered[static_cast<size_t>(y) * width + x];
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const bool inside = x >= onScreen.left && x < onScreen.right && y >= onScreen.top &&
                                    y < onScreen.bottom;
                ASSERT_EQ(covered[static_cast<size_t>(y) * width + x], inside ? 1 : 0)
                    << "round " << round << " pixel " << x << "," << y << Show(recorder->pieces);
            }
        while (CGump* head = g_gumpList) delete head;
    }
    EXPECT_EQ(doubles.invalidations, 0);
}

INSTANTIATE_TEST_SUITE_P(ScreenSizes, DrawAllGumpsPropertyTest,
                         ::testing::Values(std::pair<int, int>{640, 480},
                                           std::pair<int, int>{800, 600}),
                         [](const auto& info) {
                             return std::to_string(info.param.first) + "x" +
                                    std::to_string(info.param.second);
                         });

TEST_F(DrawAllGumpsTest, WhenTheSaveRecordsRunOutTheWorldIsRepainted) {
    CGumpManager::saveRecordLimit = 2;
    for (int i = 0; i < 4; ++i) Open(i * 50, 0, 40, 40)->Fill(0x7C00);
    const std::vector<M_WORD> world = World();
    CGumpManager::DrawAllGumps(RECT{0, 0, 640, 480}, 1);
    EXPECT_EQ(frame.presents, 1);
    EXPECT_EQ(doubles.invalidations, 1);
    // The two gumps saved first (the back-most) were put back.
    EXPECT_EQ(ScreenPixel(10, 10), world[10 * 640 + 10]);
    EXPECT_EQ(ScreenPixel(60, 10), world[10 * 640 + 60]);
    EXPECT_EQ(ScreenPixel(160, 10), 0x7C00) << "unsaved: left for the repaint";
}

TEST_F(DrawAllGumpsTest, ASecondPieceWithoutPresentKeepsItsRecordsForTheOneThatPresents) {
    Open(10, 10, 40, 40)->Fill(0x03E0);
    const std::vector<M_WORD> world = World();
    CGumpManager::DrawAllGumps(RECT{0, 0, 640, 30}, 0);
    EXPECT_EQ(frame.presents, 0);
    EXPECT_EQ(ScreenPixel(20, 20), 0x03E0);
    CGumpManager::DrawAllGumps(RECT{0, 30, 640, 480}, 1);
    EXPECT_EQ(frame.presents, 1);
    EXPECT_TRUE(World() == world);
}

TEST_F(DrawAllGumpsTest, AReleasedMainBitmapIsNotPresentedButGivenBack) {
    Open(10, 10, 40, 40)->Fill(0x001F);
    const std::vector<M_WORD> world = World();
    CGumpManager::mainBitmapReleased = TRUE;
    CGumpManager::DrawAllGumps(RECT{0, 0, 640, 480}, 1);
    EXPECT_EQ(frame.presents, 0);
    EXPECT_EQ(doubles.animationSteps, 0);
    EXPECT_TRUE(World() == world);
}

}  // namespace

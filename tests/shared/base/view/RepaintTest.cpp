// The dirty list and the back-buffer ring: splitting at the wrap point,
// overlaps, capacity, full invalidation and scrolling.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "FrameBuf.h"
#include "ViewTestSupport.h"
#include "resources/GraphicManager.h"
#include "view/Light.h"
#include "view/Repaint.h"
#include "view/WorldView.h"

namespace {

constexpr int W = 640;
constexpr int H = 480;

std::vector<RECT> List() {
    return std::vector<RECT>(DirtyList::rects, DirtyList::rects + DirtyList::count);
}

std::string Show(const std::vector<RECT>& rects) {
    std::ostringstream s;
    for (const RECT& r : rects)
        s << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "} ";
    return s.str();
}

class Repaint : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        UseBackBuffer(W, H, W, H, false);
        Clear();
    }
    // An empty list and no full repaint pending, the ring start at o.
    void Clear(int o = 0) {
        DirtyList::count = 0;
        DirtyList::fullRepaintPending = FALSE;
        g_ringStart = o;
    }
    void Mark(RECT r) { DirtyRect(&r); }
};

struct SplitCase {
    int wrapX, wrapY;  // the wrap point P as a screen position
    RECT rect;
    std::vector<RECT> pieces;
};

TEST_F(Repaint, RectanglesAcrossTheWrapPointAreSplitIntoPiecesThatDoNot) {
    const SplitCase cases[] = {
        // Wrap column strictly inside: four pieces.
        {100,
         50,
         {50, 40, 150, 60},
         {{50, 40, 100, 51}, {100, 40, 150, 50}, {100, 50, 150, 60}, {50, 51, 100, 60}}},
        // Wrap column on the left edge: two, split at the wrap row.
        {50, 50, {50, 40, 150, 60}, {{50, 40, 150, 50}, {50, 50, 150, 60}}},
        // Wrap column at or right of the right edge: two, one row lower.
        {150, 50, {50, 40, 150, 60}, {{50, 40, 150, 51}, {50, 51, 150, 60}}},
        {400, 50, {50, 40, 150, 60}, {{50, 40, 150, 51}, {50, 51, 150, 60}}},
        // Wholly on one side: as it is.
        {100, 200, {50, 40, 150, 60}, {{50, 40, 150, 60}}},
    };
    for (const SplitCase& c : cases) {
        Clear(W * H - (c.wrapY * W + c.wrapX));
        Mark(c.rect);
        EXPECT_EQ(Show(List()), Show(c.pieces)) << "wrap at " << c.wrapX << "," << c.wrapY;
    }
}

TEST_F(Repaint, MarkingAddsOnlyWhatNoEntryCoversAndClampsToThePlayArea) {
    Mark({100, 100, 200, 200});
    Mark({150, 150, 250, 250});
    EXPECT_EQ(Show(List()), "{100,100,200,200} {200,150,250,200} {150,200,250,250} ");
    Mark({120, 120, 180, 180});
    EXPECT_EQ(DirtyList::count, 3) << "inside an entry adds nothing";
    Mark({-50, 470, 20, 520});
    EXPECT_EQ(Show({List().back()}), Show({{0, 470, 20, 480}}));
    Mark({W, 0, W + 10, 10});
    Mark({0, 0, 0, 10});
    EXPECT_EQ(DirtyList::count, 4) << "outside or empty: dropped";
}

TEST_F(Repaint, AFullListTurnsTheFrameIntoAFullRepaintWithTheRingBackAtZero) {
    for (bool large : {false, true}) {
        Clear(1234);
        DirtyList::largeList = large ? TRUE : FALSE;
        const int capacity = large ? 1024 : 256;
        for (int i = 0; i < capacity; ++i)
            Mark({i % 32 * 20, i / 32 * 15, i % 32 * 20 + 1, i / 32 * 15 + 1});
        EXPECT_EQ(DirtyList::count, capacity);
        Mark({1, 1, 2, 2});  // already covered, but the list is full first
        EXPECT_TRUE(DirtyList::fullRepaintPending);
        EXPECT_EQ(g_ringStart, 0);
        EXPECT_EQ(Show(List()), Show({{0, 0, W, H}}));
        DirtyList::largeList = FALSE;
    }
}

TEST_F(Repaint, InvalidatingClearsTheBufferAndMarksThePlayAreaOnce) {
    std::fill(backBuffer.begin(), backBuffer.end(), M_WORD(0x1234));
    Clear(999);
    Mark({10, 10, 20, 20});
    InvalidateScreen();
    EXPECT_EQ(Show(List()), Show({{0, 0, W, H}}));
    EXPECT_EQ(g_ringStart, 0);
    EXPECT_EQ(std::count(backBuffer.begin(), backBuffer.end(), 0), W * H);

    // Pending: marks and scrolls change nothing...
    Mark({10, 10, 20, 20});
    thelightthingie::ScrollView(5, 7);
    EXPECT_EQ(DirtyList::count, 1);
    EXPECT_EQ(g_ringStart, 0);
    // ... and a reset invalidates all the same.
    backBuffer[5] = 1;
    thelightthingie::ResetScroll();
    EXPECT_TRUE(DirtyList::fullRepaintPending);
    EXPECT_EQ(backBuffer[5], 0);

    // While the death screen fades nothing is marked.
    Clear();
    GraphicManager::deathCounter = 3;
    Mark({10, 10, 20, 20});
    InvalidateScreen();
    EXPECT_EQ(DirtyList::count, 0);
    EXPECT_FALSE(DirtyList::fullRepaintPending);
    GraphicManager::deathCounter = 0;
}

TEST_F(Repaint, ANullRectangleIsReportedAndIgnored) {
    tw::test::StderrCapture err;
    DirtyRect(nullptr);
    DirtyRect_Internal(nullptr);
    EXPECT_EQ(DirtyList::count, 0);
    EXPECT_NE(err.text().find("DirtyRect: r == 0"), std::string::npos);
    EXPECT_NE(err.text().find("DirtyRect_Internal: r == 0"), std::string::npos);
}

struct ScrollCase {
    int dx, dy;
    std::vector<RECT> strips;
};

TEST_F(Repaint, ScrollingMovesTheRingStartAndMarksOnlyTheUncoveredStrips) {
    const ScrollCase cases[] = {
        {-4, -2, {{W - 4, 0, W, H}, {0, H - 2, W - 4, H}}},
        {-4, 0, {{W - 4, 0, W, H}}},
        {-4, 2, {{W - 4, 0, W, H}, {0, 0, W - 4, 2}}},
        {4, -2, {{0, 0, 4, H}, {4, H - 2, W, H}}},
        {4, 0, {{0, 0, 4, H}}},
        {4, 2, {{0, 0, 4, H}, {4, 0, W, 2}}},
        {0, -2, {{0, H - 2, W, H}}},
        {0, 2, {{0, 0, W, 2}}},
        {0, 0, {}},
    };
    for (const ScrollCase& c : cases) {
        Clear(5000);
        thelightthingie::ScrollView(c.dx, c.dy);
        EXPECT_EQ(g_ringStart, 5000 - (c.dy * W + c.dx)) << c.dx << "," << c.dy;
        // The strips lie past the wrap point or before it; put the pieces
        // back together for the comparison.
        std::vector<RECT> marked = List();
        int area = 0;
        for (const RECT& r : marked) area += (r.right - r.left) * (r.bottom - r.top);
        int expected = 0;
        for (const RECT& r : c.strips) expected += (r.right - r.left) * (r.bottom - r.top);
        EXPECT_EQ(area, expected) << c.dx << "," << c.dy << ": " << Show(marked);
        for (const RECT& r : marked) {
            bool inside = false;
            for (const RECT& s : c.strips)
                inside = inside || (r.left >= s.left && r.right <= s.right && r.top >= s.top &&
                                    r.bottom <= s.bottom);
            EXPECT_TRUE(inside) << c.dx << "," << c.dy << ": " << Show(marked);
        }
    }
}

TEST_F(Repaint, ScrollingShiftsThePictureAndClearsWhatLeavesThePlayArea) {
    // Every play-area pixel holds its own position.
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) backBuffer[y * W + x] = static_cast<M_WORD>((y * 7 + x) | 1);
    const std::vector<M_WORD> before = backBuffer;
    thelightthingie::ScrollBackBuffer(3, -2);
    const tw::test::Image16 after = PlayArea();
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const int fromX = x - 3, fromY = y + 2;
            const bool uncovered = fromX < 0 || fromY >= H;
            if (uncovered) continue;
            ASSERT_EQ(after.at(x, y), before[fromY * W + fromX]) << x << "," << y;
        }
    // The strips that left the play area came back black.
    EXPECT_EQ(after.at(1, 100), 0);
    EXPECT_EQ(after.at(100, H - 1), 0);
}

TEST_F(Repaint, APlayAreaLargerThanTheBackBufferIsClampedToIt) {
    UseBackBuffer(640, 480, 800, 600, false);
    EXPECT_EQ(PlayAreaWidth(), 640);
    EXPECT_EQ(PlayAreaHeight(), 480);
    EXPECT_EQ(Show(List()), Show({{0, 0, 640, 480}}));
    // And a play window moved inside a larger game window keeps to it.
    UseBackBuffer(800, 600, 640, 480, false);
    g_viewX = 300;
    g_viewY = 200;
    EXPECT_EQ(PlayAreaWidth(), 500);
    EXPECT_EQ(PlayAreaHeight(), 400);
}

}  // namespace

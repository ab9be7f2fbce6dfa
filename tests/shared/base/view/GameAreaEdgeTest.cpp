// The play-window frame: its four pieces sized and filled from the two
// frame arts, a drag that moves the play window by the pointer's travel
// and stops at the game window's edges, and a missing frame art.
#include <gtest/gtest.h>

#include "FrameBuf.h"
#include "ViewTestSupport.h"
#include "gumps/MouseManager.h"
#include "resources/GraphicManager.h"
#include "support/datafiles/ArtFormats.h"
#include "support/datafiles/DataFile.h"
#include "view/GameAreaEdge.h"

namespace {

using tw::datafiles::Image;

constexpr M_WORD kTopColour = 0x7C00;
constexpr M_WORD kSideColour = 0x001F;

class GameAreaEdgeTest : public tw::test::ViewTest {
protected:
    // The sample world with frame arts of the given sizes (0: absent).
    void Start(int topWidth, int sideHeight) {
        const auto world = tw::datafiles::sample::MakeSampleWorld();
        WriteWorld(world);
        tw::datafiles::IndexedPair gumps;
        if (topWidth) tw::datafiles::AddGumpArt(gumps, 2700, Image(topWidth, 6, kTopColour));
        if (sideHeight) tw::datafiles::AddGumpArt(gumps, 2701, Image(8, sideHeight, kSideColour));
        gumps.write("gumpidx.mul", "gumpart.mul");
        StartServices();
        UseBackBuffer(800, 600, 640, 480, false);
        g_viewX = 100;
        g_viewY = 50;
    }
    void TearDown() override {
        for (GameAreaEdgeGump*& piece : g_gameAreaEdges) delete piece;
        MouseManager::reset();
        g_viewX = g_viewY = 0;
        ViewTest::TearDown();
    }
    static M_WORD Pixel(CGump* g, int x, int y) {
        return g->FramePixels(0)[static_cast<size_t>(y) * FramePitch(g->FrameWidth(0)) + x];
    }
};

TEST_F(GameAreaEdgeTest, ThePiecesFrameThePlayWindowFilledWithTheirArt) {
    Start(100, 100);
    CreateGameAreaEdges();
    struct Expected {
        int x, y, width, height;
    };
    const Expected expected[4] = {
        {-8, -6, 656, 6}, {-8, 480, 656, 6}, {-8, 0, 8, 480}, {640, 0, 8, 480}};
    for (int which = 0; which < 4; ++which) {
        SCOPED_TRACE(which);
        GameAreaEdgeGump* piece = g_gameAreaEdges[which];
        ASSERT_NE(piece, nullptr);
        EXPECT_EQ(piece->x, expected[which].x);
        EXPECT_EQ(piece->y, expected[which].y);
        EXPECT_EQ(piece->width, expected[which].width);
        EXPECT_EQ(piece->height, expected[which].height);
        // Repeated to the far end, the last copy clipped.
        const M_WORD colour = which < 2 ? kTopColour : kSideColour;
        EXPECT_EQ(Pixel(piece, 0, 0), colour);
        EXPECT_EQ(Pixel(piece, piece->width - 1, piece->height - 1), colour);
    }
}

TEST_F(GameAreaEdgeTest, DraggingAPieceMovesThePlayWindowByThePointersTravelWithinTheGameWindow) {
    Start(100, 100);
    CreateGameAreaEdges();
    GameAreaEdgeGump* top = g_gameAreaEdges[GameAreaEdgeGump::TOP];
    // Gump coordinates of a screen point: the piece lies in the game area.
    auto at = [&](int sx, int sy) {
        return std::pair{sx - g_viewX - top->x, sy - g_viewY - top->y};
    };

    auto [gx, gy] = at(300, 47);
    top->HandleLButtonDown(gx, gy);
    std::tie(gx, gy) = at(310, 52);
    top->HandleMouseDrag(gx, gy);
    EXPECT_EQ(g_viewX, 110);
    EXPECT_EQ(g_viewY, 55);
    std::tie(gx, gy) = at(310, 52);
    top->HandleMouseDrag(gx, gy);  // no travel since: no move
    EXPECT_EQ(g_viewX, 110);

    // Far to the left and up: stopped at the game window's corner; far to
    // the right and down: stopped where the play window touches its edges.
    std::tie(gx, gy) = at(-500, -500);
    top->HandleMouseDrag(gx, gy);
    EXPECT_EQ(g_viewX, 0);
    EXPECT_EQ(g_viewY, 0);
    std::tie(gx, gy) = at(2000, 2000);
    top->HandleMouseDrag(gx, gy);
    EXPECT_EQ(g_viewX, 800 - 640);
    EXPECT_EQ(g_viewY, 600 - 480);

    // Let go: drags no longer move it.
    top->HandleLButtonUp(0, 0);
    std::tie(gx, gy) = at(0, 0);
    top->HandleMouseDrag(gx, gy);
    EXPECT_EQ(g_viewX, 160);
}

TEST_F(GameAreaEdgeTest, APlayWindowAsLargeAsTheGameWindowDoesNotMove) {
    Start(100, 100);
    UseBackBuffer(640, 480, 640, 480, false);
    g_viewX = g_viewY = 0;
    CreateGameAreaEdges();
    GameAreaEdgeGump* left = g_gameAreaEdges[GameAreaEdgeGump::LEFT];
    left->HandleLButtonDown(2, 100);
    left->HandleMouseDrag(40, 130);
    EXPECT_EQ(g_viewX, 0);
    EXPECT_EQ(g_viewY, 0);
}

TEST_F(GameAreaEdgeTest, AMissingFrameArtLeavesItsPiecesBlank) {
    Start(100, 0);  // no art 2701
    CreateGameAreaEdges();
    ASSERT_NE(g_gameAreaEdges[GameAreaEdgeGump::TOP], nullptr);
    EXPECT_EQ(g_gameAreaEdges[GameAreaEdgeGump::TOP]->width, 640);
    EXPECT_EQ(g_gameAreaEdges[GameAreaEdgeGump::LEFT]->width, 0);
    ResetGameAreaEdges();  // made again, still finishing
    EXPECT_NE(g_gameAreaEdges[GameAreaEdgeGump::RIGHT], nullptr);
}

}  // namespace

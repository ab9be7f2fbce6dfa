// The play-window frame: its four pieces sized and filled from the two
// frame arts, a drag that moves the play window by the pointer's travel
// and stops at the game window's edges, a missing frame art, and the play
// window in its frame on a real window.
#include <gtest/gtest.h>

#include "FrameBuf.h"
#include "ViewTestSupport.h"
#include "gumps/MouseManager.h"
#include "resources/GraphicManager.h"
#include "support/datafiles/ArtFormats.h"
#include "support/datafiles/DataFile.h"
#include "view/GameAreaEdge.h"
#include "view/Light.h"
#include "view/MapGump.h"
#include "view/WorldView.h"
// Xlib's macros come after the test framework.
#include <memory>

#include "X11Lock.h"
#include "X_FrameBuf.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "support/Xvfb.h"

namespace {

using tw::datafiles::Image;

constexpr M_WORD kTopColour = 0x7C00;
constexpr M_WORD kSideColour = 0x001F;

class GameAreaEdgeTest : public tw::test::ViewTest {
protected:
    // The sample world with frame arts of the given sizes (0: absent).
    void Start(int topWidth, int sideHeight) {
        StartWithArt(topWidth ? Image(topWidth, 6, kTopColour) : Image(0, 0),
                     sideHeight ? Image(8, sideHeight, kSideColour) : Image(0, 0));
    }
    // The same with the frame arts given (an empty one is absent).
    void StartWithArt(const Image& top, const Image& side) {
        const auto world = tw::datafiles::sample::MakeSampleWorld();
        WriteWorld(world);
        tw::datafiles::IndexedPair gumps;
        if (top.width) tw::datafiles::AddGumpArt(gumps, 2700, top);
        if (side.width) tw::datafiles::AddGumpArt(gumps, 2701, side);
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

// A bevelled strip with a notch at its start, so that the repeats and the
// clipped last copy show: along x for the top and bottom, along y for the
// sides.
Image FrameArt(bool horizontal) {
    const int length = 48, depth = 10;
    Image img(horizontal ? length : depth, horizontal ? depth : length,
              tw::datafiles::Rgb555(150, 110, 60));
    const auto at = [&](int along, int across, M_WORD p) {
        if (horizontal)
            img.set(along, across, p);
        else
            img.set(across, along, p);
    };
    for (int i = 0; i < length; ++i) {
        for (int k = 0; k < 2; ++k) {
            at(i, k, tw::datafiles::Rgb555(230, 200, 140));
            at(i, depth - 1 - k, tw::datafiles::Rgb555(70, 45, 20));
        }
    }
    for (int k = 2; k < depth - 2; ++k) at(0, k, tw::datafiles::Rgb555(90, 60, 30));
    return img;
}

class PlayWindowFrameGolden : public GameAreaEdgeTest {
protected:
    void TearDown() override {
        delete map_;
        GraphicManager::pMapGump = nullptr;
        AllowWindowResize = TRUE;
        CGumpManager::mainBitmapReleased = TRUE;
        g_frameBuf = nullptr;
        g_backBuffer = nullptr;
        frameBuf_.reset();
        client_.reset();
        server_.reset();
        GameAreaEdgeTest::TearDown();
    }

    std::unique_ptr<tw::test::XvfbServer> server_;
    std::unique_ptr<X_FrameBuf> frameBuf_;
    std::unique_ptr<tw::test::XvfbClient> client_;
    CMapGump* map_ = nullptr;
};

// An 800 x 600 game window at depth 16 with the 640 x 480 play window moved
// into it: the sample world's crossroads inside the four frame pieces that
// the play-area gump puts round it, drawn and presented as a frame is.
TEST_F(PlayWindowFrameGolden, ThePlayWindowInItsFrameOnTheWindow) {
    tw::test::XvfbOptions options;
    options.depth = 16;
    server_ = std::make_unique<tw::test::XvfbServer>(options);
    ASSERT_TRUE(server_->ok()) << server_->error();
    StartWithArt(FrameArt(true), FrameArt(false));
    frameBuf_.reset(static_cast<X_FrameBuf*>(CreateFrameBuf()));
    ASSERT_NE(frameBuf_, nullptr);
    ASSERT_TRUE(frameBuf_->OpenDisplay(800, 600, 16));
    client_ = std::make_unique<tw::test::XvfbClient>();
    g_frameBuf = frameBuf_.get();
    g_displayWidth = 800;
    g_displayHeight = 600;
    g_ringStart = 0;
    CGumpManager::RecreateMainBitmap();  // the window's own back buffer, cleared
    ASSERT_EQ(g_backBuffer, frameBuf_->GetPixels());
    g_viewX = 90;
    g_viewY = 70;
    thelightthingie::BuildLightTables();
    InvalidateScreen();

    PlacePlayer(tw::datafiles::sample::kCrossroads.x, tw::datafiles::sample::kCrossroads.y);
    AllowWindowResize = TRUE;
    map_ = new CMapGump();
    GraphicManager::pMapGump = map_;
    for (GameAreaEdgeGump* piece : g_gameAreaEdges) ASSERT_NE(piece, nullptr);
    Paint();
    CGumpManager::DrawAllGumps(RECT{0, 0, 800, 600}, TRUE);
    {
        X11Lock lock;
        XSync(g_xDisplay, False);  // the read-back comes through another connection
    }
    EXPECT_TRUE(tw::test::MatchesGolden(client_->ReadImage(g_xWindow, 800, 600),
                                        "shared/base/view/golden/play_window_frame_800_d16.png"));
}

}  // namespace

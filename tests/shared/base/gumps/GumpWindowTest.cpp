// Gumps on a real window: three overlapping gumps drawn from gump art over a
// world picture in a ring back buffer, presented on an Xvfb server at depth
// 16 and read back through the X server.
#include <memory>

#include "GumpTestSupport.h"
#include "support/Xvfb.h"
// Xlib's macros come after the test framework.
#include "FrameBuf.h"
#include "PlatformServices.h"
#include "X11Lock.h"
#include "X_FrameBuf.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "resources/GumpArt.h"
#include "support/datafiles/ArtFormats.h"

namespace {

using tw::datafiles::Image;
using tw::datafiles::Rgb555;

// A picture with a border, stripes and a transparent hole, so that the
// drawing order and the transparency both show.
Image Art(int w, int h, M_WORD a, M_WORD b) {
    Image img(w, h, a);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((x / 8 + y / 8) % 2) img.set(x, y, b);
    img.fillRect(0, 0, w, 3, Rgb555(250, 250, 250));
    img.fillRect(w / 3, h / 3, w / 3, h / 3, 0);
    return img;
}

CGump* GumpOfArt(int id, int x, int y, CGump* parent = nullptr) {
    int w = 0, h = 0;
    GetGumpArtSize(id, &w, &h);
    auto* g = new CGump(x, y, parent, nullptr, 1, w, h);
    DrawGumpPixels(CopySpanTransparent, id, 0, 0,
                   BlitTarget(g->NewFrameBlock(0, w, h), FramePitch(w), w, h));
    g->PutInGump(parent);
    return g;
}

class GumpWindowTest : public tw::test::GumpTest {
protected:
    void TearDown() override {
        while (CGump* head = g_gumpList) delete head;
        delete g_frameBuf;
        g_frameBuf = nullptr;
        server_.reset();
        GumpTest::TearDown();
    }
    std::unique_ptr<tw::test::XvfbServer> server_;
};

TEST_F(GumpWindowTest, ThreeOverlappingGumpsArePresentedOverTheWorld) {
    server_ = std::make_unique<tw::test::XvfbServer>();
    ASSERT_TRUE(server_->ok()) << server_->error();
    tw::test::InstallGumpArt({{60, Art(220, 160, Rgb555(160, 40, 40), Rgb555(200, 120, 60))},
                              {61, Art(180, 200, Rgb555(40, 140, 60), Rgb555(90, 200, 120))},
                              {62, Art(250, 120, Rgb555(50, 60, 170), Rgb555(120, 140, 240))},
                              {63, Art(40, 24, Rgb555(230, 220, 60), Rgb555(120, 110, 20))}});
    use565 = TRUE;
    g_frameBuf = CreateFrameBuf();
    CGumpManager::RecreateMainBitmap();
    ASSERT_NE(g_backBuffer, nullptr);
    ASSERT_EQ(g_frameBuf->GetWidth(), 640);

    // The world: a 5-6-5 gradient, seen through a ring start that makes the
    // screen wrap inside its rows and columns.
    for (int i = 0; i < 640 * 480; ++i) {
        const int x = i % 640, y = i / 640;
        g_backBuffer[i] = static_cast<M_WORD>((x / 20) << 11 | (y / 8) << 5 | 8);
    }
    g_ringStart = 200 * 640 + 333;
    std::vector<M_WORD> world(g_backBuffer, g_backBuffer + 640 * 480);

    GumpOfArt(60, 60, 50);
    CGump* middle = GumpOfArt(61, 200, 110);
    GumpOfArt(63, 150, 60, middle);  // a child that sticks out is clipped
    GumpOfArt(62, 300, 220);
    CGumpManager::DrawAllGumps(RECT{0, 0, 640, 480}, 1);
    {
        X11Lock lock;
        XSync(g_xDisplay, False);
    }
    tw::test::XvfbClient client;
    const tw::test::Image16 shown = client.ReadImage(g_xWindow, 640, 480);
    EXPECT_TRUE(tw::test::MatchesGolden(shown, "shared/base/gumps/golden/three_gumps.png"));
    EXPECT_TRUE(std::equal(world.begin(), world.end(), g_backBuffer))
        << "the back buffer holds the world alone again";
}

}  // namespace

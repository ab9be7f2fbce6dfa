// A frame of the sample world drawn into the window's own back buffer and
// presented by the platform's present, read back from the window of a real
// X server: the window shows the play area however far the ring has turned.
#include "ViewTestSupport.h"
// Xlib's macros (None, Bool, Status) must come after the test framework.
#include <memory>

#include "FrameBuf.h"
#include "PlatformServices.h"
#include "X11Lock.h"
#include "X_FrameBuf.h"
#include "support/Xvfb.h"
#include "view/Light.h"
#include "view/WorldView.h"

namespace {

namespace sample = tw::datafiles::sample;

class Present : public tw::test::ViewTest {
protected:
    void TearDown() override {
        g_frameBuf = nullptr;
        g_backBuffer = nullptr;
        frameBuf_.reset();
        client_.reset();
        server_.reset();
        ViewTest::TearDown();
    }
    tw::test::Image16 Window() {
        {
            X11Lock lock;
            PresentBackBuffer();
            XSync(g_xDisplay, False);  // the read-back comes through another connection
        }
        return client_->ReadImage(g_xWindow, 640, 480);
    }

    std::unique_ptr<tw::test::XvfbServer> server_;
    std::unique_ptr<X_FrameBuf> frameBuf_;
    std::unique_ptr<tw::test::XvfbClient> client_;
};

TEST_F(Present, TheWindowShowsThePlayAreaOutOfTheRing) {
    tw::test::XvfbOptions options;
    options.depth = 16;
    server_ = std::make_unique<tw::test::XvfbServer>(options);
    ASSERT_TRUE(server_->ok()) << server_->error();
    StartSampleWorld();
    frameBuf_.reset(static_cast<X_FrameBuf*>(CreateFrameBuf()));
    ASSERT_NE(frameBuf_, nullptr);
    ASSERT_TRUE(frameBuf_->OpenDisplay(640, 480, 16));
    client_ = std::make_unique<tw::test::XvfbClient>();
    g_frameBuf = frameBuf_.get();
    g_backBuffer = frameBuf_->GetPixels();
    g_displayWidth = 640;
    g_displayHeight = 480;
    g_ringStart = 0;
    thelightthingie::BuildLightTables();
    InvalidateScreen();

    PlacePlayer(sample::kCrossroads.x, sample::kCrossroads.y);
    Paint();
    EXPECT_TRUE(
        tw::test::MatchesGolden(Window(), "shared/base/view/golden/crossroads_640_d16_day.png"));

    // The view moves a cell's step: the ring start moves, the strips are
    // drawn, and the window still shows the play area whole.
    g_viewOffsetX += 22;
    g_viewOffsetY += 22;
    thelightthingie::ScrollView(-22, -22);
    Paint();
    ASSERT_NE(g_ringStart, 0);
    const tw::test::Image16 shown = Window();
    const tw::test::Image16 expected =
        tw::test::PlayAreaOf(std::vector<M_WORD>(g_backBuffer, g_backBuffer + 640 * 480), 640, 480,
                             g_ringStart, 640, 480, 16);
    int differ = 0;
    for (size_t i = 0; i < expected.pixels.size(); ++i)
        differ += shown.pixels[i] != expected.pixels[i];
    EXPECT_EQ(differ, 0);
}

}  // namespace

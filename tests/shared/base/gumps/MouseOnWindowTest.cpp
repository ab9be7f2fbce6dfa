// The mouse on a real window (Xvfb at depth 16 and 15, input through
// XTest): the software cursor drawn at the pointer with its hot spot in the
// presented frame, then moved by the cursor thread over a background that
// comes back where it left; a push button clicked through the X server
// calls its owner once, and an auto-repeat button held down fires at its
// rate of frames.
#include <pthread.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GumpTestSupport.h"
#include "support/Xvfb.h"
// Xlib's macros come after the test framework.
#include "Clock.h"
#include "CursorWindow.h"
#include "FrameBuf.h"
#include "PlatformServices.h"
#include "ProcessFlags.h"
#include "X11Lock.h"
#include "X_FrameBuf.h"
#include "app/App.h"
#include "config/Config.h"
#include "gumps/ButtonGump.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "support/datafiles/CursorArt.h"
#include "view/MouseCursor.h"

namespace {

using tw::datafiles::Image;
using tw::datafiles::kFirstCursorArt;
using tw::datafiles::Rgb555;
using tw::test::TestGump;

constexpr int kTargetArt = kFirstCursorArt + 35;  // shape 42, the peace target
constexpr int kUp = 1000, kPressed = 1001;

class OwnerGump : public TestGump {
public:
    OwnerGump() : TestGump(100, 100, 200, 120, "owner") { Fill(1); }
    void Fire() { ++fired; }
    int fired = 0;
};
const GumpCallback kFire = static_cast<GumpCallback>(&OwnerGump::Fire);

// Waits up to 3 s for the condition, checking every 10 ms.
bool WaitFor(const std::function<bool()>& condition) {
    const M_DWORD start = GetTimeMs();
    while (!condition()) {
        if (GetTimeMs() - start > 3000) return false;
        usleep(10000);
    }
    return true;
}

class MouseOnWindowTest : public tw::test::GumpTest, public ::testing::WithParamInterface<int> {
protected:
    void Open(int depth) {
        tw::test::XvfbOptions options;
        options.depth = depth;
        server_ = std::make_unique<tw::test::XvfbServer>(options);
        ASSERT_TRUE(server_->ok()) << server_->error();
        tw::datafiles::IndexedPair art;
        tw::datafiles::AddCursorArt(art);
        tw::test::InstallGumpArt({{kUp, Image(20, 10, Rgb555(200, 40, 40))},
                                  {kPressed, Image(20, 10, Rgb555(40, 200, 40))}},
                                 &art);
        use565 = depth == 16 ? TRUE : FALSE;
        g_frameBuf = CreateFrameBuf();
        CGumpManager::RecreateMainBitmap();
        ASSERT_NE(g_backBuffer, nullptr);
        client_ = std::make_unique<tw::test::XvfbClient>();
        // The world: stripes that no cursor pixel matches by chance.
        for (int i = 0; i < 640 * 480; ++i)
            g_backBuffer[i] =
                static_cast<M_WORD>((((i % 640) / 4 * 3 + (i / 640)) & 0x3FF) | 0x400);
        background_.assign(g_backBuffer, g_backBuffer + 640 * 480);
        doubles.inWorld = TRUE;
    }
    void TearDown() override {
        if (threadStarted_) {
            g_quitFlag = 1;
            pthread_join(thread_, nullptr);
            g_quitFlag = 0;
        }
        while (CGump* head = g_gumpList) delete head;
        {
            X11Lock lock;
            delete g_frameBuf;
            g_frameBuf = nullptr;
        }
        client_.reset();
        server_.reset();
        GumpTest::TearDown();
    }
    std::vector<std::uint16_t> Window() { return client_->ReadPixels(g_xWindow, 640, 480); }
    // The window shows the cursor picture with its hot spot at (x, y) over
    // the background, and the background everywhere else.
    ::testing::AssertionResult ShowsCursorAt(int x, int y) {
        int w = 0, h = 0;
        const M_WORD* picture = CursorArtPicture(kTargetArt, &w, &h);
        if (!picture) return ::testing::AssertionFailure() << "no picture";
        const int left = x - 12, top = y - 12;  // the target's hot spot is its centre
        const std::vector<std::uint16_t> shown = Window();
        if (shown.size() != background_.size()) return ::testing::AssertionFailure() << "no window";
        int wrong = 0, firstX = -1, firstY = -1;
        for (int py = 0; py < 480; ++py)
            for (int px = 0; px < 640; ++px) {
                M_WORD expected = background_[py * 640 + px];
                if (px >= left && px < left + w && py >= top && py < top + h) {
                    const M_WORD p = picture[(py - top) * w + (px - left)];
                    if (p) expected = p;
                }
                if (shown[py * 640 + px] != expected && wrong++ == 0) {
                    firstX = px;
                    firstY = py;
                }
            }
        if (wrong == 0) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << wrong << " pixels differ, the first at " << firstX << "," << firstY;
    }
    void Pump() {
        g_frameBuf->PumpEvents();
        CApp::DispatchInputEvents();
    }

    std::unique_ptr<tw::test::XvfbServer> server_;
    std::unique_ptr<tw::test::XvfbClient> client_;
    std::vector<M_WORD> background_;
    tw::ScopedService<PlatformHooks> hooks_{&X11PlatformHooks()};
    tw::ScopedService<CursorWindow> window_{&X11CursorWindow()};
    pthread_t thread_{};
    bool threadStarted_ = false;
};

TEST_P(MouseOnWindowTest, TheCursorFollowsThePointerAndGivesTheBackgroundBack) {
    Open(GetParam());
    MouseManager::LoadCursorArt();
    MouseManager::EnableCursor(TRUE);
    MouseManager::SetCursorType(19);
    MouseManager::SetMouseCursor();
    client_->FakeMotion(g_xWindow, 200, 150);
    // The present finds the pointer and draws the cursor into the frame.
    PresentBackBuffer();
    EXPECT_EQ(MouseManager::GetShape(), 42);
    EXPECT_TRUE(ShowsCursorAt(200, 150));
    EXPECT_TRUE(std::equal(background_.begin(), background_.end(), g_backBuffer))
        << "the back buffer holds the world alone again";

    // Between frames the cursor thread moves it on the window.
    threadStarted_ = pthread_create(&thread_, nullptr, MousePollThread, nullptr) == 0;
    ASSERT_TRUE(threadStarted_);
    client_->FakeMotion(g_xWindow, 400, 300);
    EXPECT_TRUE(WaitFor([&] { return static_cast<bool>(ShowsCursorAt(400, 300)); }))
        << ShowsCursorAt(400, 300).message();
    // What the user sees round the hot spot.
    const std::vector<std::uint16_t> shown = Window();
    tw::test::Image16 around;
    around.width = around.height = 64;
    around.depth = GetParam();
    for (int y = 268; y < 332; ++y)
        for (int x = 368; x < 432; ++x) around.pixels.push_back(shown[y * 640 + x]);
    EXPECT_TRUE(tw::test::MatchesGolden(around, "shared/base/gumps/golden/cursor_on_window_d" +
                                                    std::to_string(GetParam()) + ".png"));
    // Partly off the window's corner.
    client_->FakeMotion(g_xWindow, 635, 475);
    EXPECT_TRUE(WaitFor([&] { return static_cast<bool>(ShowsCursorAt(635, 475)); }))
        << ShowsCursorAt(635, 475).message();
    int x = 0, y = 0;
    MouseManager::GetMousePos(&x, &y);
    EXPECT_EQ(x, 635);
    EXPECT_EQ(y, 475);
}

INSTANTIATE_TEST_SUITE_P(Depths, MouseOnWindowTest, ::testing::Values(16, 15),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Depth" + std::to_string(info.param);
                         });

class ButtonOnWindowTest : public MouseOnWindowTest {};

TEST_F(ButtonOnWindowTest, AClickCallsOnceAndAHeldRepeatButtonFiresEachTickFromTheSixth) {
    Open(16);
    auto* owner = new OwnerGump;
    owner->PutInGump(nullptr);
    auto* push = new CButtonGump(20, 20, owner, 0, 0, kFire, kUp, kPressed, 0);
    push->PutInGump(owner);
    client_->Click(g_xWindow, 100 + 25, 100 + 25);
    EXPECT_TRUE(WaitFor([&] {
        Pump();
        return owner->fired > 0;
    }));
    for (int i = 0; i < 10; ++i) Pump();
    EXPECT_EQ(owner->fired, 1);
    EXPECT_EQ(MouseManager::GetCapture(), nullptr);

    owner->fired = 0;
    auto* repeat = new CButtonGump(80, 20, owner, 2, 0, kFire, kUp, kPressed, 0);
    repeat->PutInGump(owner);
    client_->FakeMotion(g_xWindow, 100 + 85, 100 + 25);
    client_->FakeButton(1, true);
    EXPECT_TRUE(WaitFor([&] {
        Pump();
        return MouseManager::GetCapture() == repeat;
    }));
    EXPECT_EQ(owner->fired, 1) << "once on the press";
    // Each frame ticks it twice while it is both under the pointer and the
    // capture: the countdown of 5 runs out in the third frame.
    const int expected[] = {1, 1, 2, 4, 6, 8};
    for (int frame = 0; frame < 6; ++frame) {
        MouseManager::Update();
        EXPECT_EQ(owner->fired, expected[frame]) << "after frame " << frame + 1;
    }
    client_->FakeButton(1, false);
    EXPECT_TRUE(WaitFor([&] {
        Pump();
        return MouseManager::GetCapture() == nullptr;
    }));
    for (int frame = 0; frame < 5; ++frame) MouseManager::Update();
    EXPECT_EQ(owner->fired, 8) << "nothing once released";
}

}  // namespace

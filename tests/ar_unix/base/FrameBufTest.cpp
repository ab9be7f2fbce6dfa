// The X11 frame buffer against real Xvfb servers: opening at depth 15 and
// 16 with and without MIT-SHM, the present paths read back from the window,
// and the event pump with real events sent by another client, read from the
// queue by the main loop's dispatch.
#include <sys/shm.h>
#include <sys/wait.h>
#include <unistd.h>

#include <pthread.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include "support/TwTest.h"
// Xlib's macros (None, Bool, Status) must come after the test framework.
#include <X11/keysym.h>

#include "FrameBuf.h"
#include "InputEvents.h"
#include "Platform.h"
#include "PlatformServices.h"
#include "Service.h"
#include "X11Lock.h"
#include "X_FrameBuf.h"
#include "app/App.h"
#include "app/Macros.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "gumps/InputWindow.h"
#include "gumps/MouseManager.h"
#include "net/ClientSock.h"
#include "support/Xvfb.h"
#include "support/doubles/RecordingGumps.h"
#include "support/doubles/RecordingUpperServices.h"
#include "support/doubles/RecordingWorldView.h"
#include "view/Repaint.h"
#include "view/WorldView.h"

namespace {

// The pointer position the mouse manager holds.
std::pair<int, int> MousePos() {
    int x = 0, y = 0;
    MouseManager::GetMousePos(&x, &y);
    return {x, y};
}

using tw::test::XvfbClient;
using tw::test::XvfbOptions;
using tw::test::XvfbServer;

constexpr int W = 640;
constexpr int H = 480;

// A pixel value for every ring index that survives a 15-bit visual.
M_WORD PatternAt(long index) {
    return static_cast<M_WORD>((index * 7 + 1) & 0x7FFF);
}

void FillPattern(M_WORD* pixels) {
    for (long i = 0; i < static_cast<long>(W) * H; ++i) pixels[i] = PatternAt(i);
}

// What the window must show when ring index (y * W + x) is at its top-left.
bool WindowShowsRing(const std::vector<std::uint16_t>& window, long start, std::string* where) {
    const long total = static_cast<long>(W) * H;
    for (long row = 0; row < H; ++row) {
        for (long col = 0; col < W; ++col) {
            const M_WORD expected = PatternAt((start + row * W + col) % total);
            const M_WORD got = window[static_cast<size_t>(row * W + col)];
            if (got != expected) {
                std::ostringstream text;
                text << "pixel (" << col << ", " << row << ") is " << got << ", expected "
                     << expected;
                *where = text.str();
                return false;
            }
        }
    }
    return true;
}

class FrameBufFixture : public tw::test::TwTest {
protected:
    void StartServer(const XvfbOptions& options) {
        server_ = std::make_unique<XvfbServer>(options);
        ASSERT_TRUE(server_->ok()) << server_->error();
    }
    void Open(int depth) {
        frameBuf_.reset(static_cast<X_FrameBuf*>(CreateFrameBuf()));
        ASSERT_NE(frameBuf_, nullptr);
        ASSERT_TRUE(frameBuf_->OpenDisplay(W, H, depth));
        client_ = std::make_unique<XvfbClient>();
        ASSERT_NE(client_->display(), nullptr);
    }
    // Delivers everything the client sent and pumps it into the queue.
    void PumpOnly() {
        XSync(client_->display(), False);
        {
            X11Lock lock;
            XSync(g_xDisplay, False);
        }
        frameBuf_->PumpEvents();
    }
    // ... and dispatches it, as the main loop does.
    void Pump() {
        PumpOnly();
        CApp::DispatchInputEvents();
    }
    void TearDown() override {
        client_.reset();
        frameBuf_.reset();
        server_.reset();
        ClearInputEvents();
        tw::test::TwTest::TearDown();
    }

    std::unique_ptr<XvfbServer> server_;
    std::unique_ptr<X_FrameBuf> frameBuf_;
    std::unique_ptr<XvfbClient> client_;
    // The modules the events and the presents reach: the gump framework's
    // services and the world view.
    tw::doubles::RecordingGumpFramework gumps;
    tw::doubles::RecordingWorldView view;

private:
    tw::ScopedService<PlatformHooks> hooks_{&X11PlatformHooks()};
};

struct DisplayCase {
    int depth;
    bool sharedMemory;
    bool sharedPixmaps;
};

class FrameBufDisplayTest : public FrameBufFixture,
                            public ::testing::WithParamInterface<DisplayCase> {};

TEST_P(FrameBufDisplayTest, OpensTitledWindowAndPresentsRingOffsets) {
    const DisplayCase& c = GetParam();
    XvfbOptions options;
    options.depth = c.depth;
    options.sharedMemory = c.sharedMemory;
    StartServer(options);
    use565 = c.depth == 15;  // the visual must override the configured layout
    X_FrameBuf::s_sharedPixmapsAllowed = c.sharedPixmaps;
    Open(c.depth);
    X_FrameBuf::s_sharedPixmapsAllowed = true;

    EXPECT_EQ(client_->WindowName(g_xWindow), "Tarrowmere");
    EXPECT_EQ(frameBuf_->UsesSharedMemory(), c.sharedMemory);
    EXPECT_EQ(frameBuf_->UsesSharedPixmap(), c.sharedMemory && c.sharedPixmaps);
    EXPECT_EQ(use565, c.depth == 16);
    EXPECT_EQ(frameBuf_->GetWidth(), W);
    EXPECT_EQ(frameBuf_->GetHeight(), H);
    M_WORD* pixels = frameBuf_->GetPixels();
    ASSERT_NE(pixels, nullptr);
    FillPattern(pixels);

    const int offsets[][2] = {{0, 0}, {123, 0}, {0, 77}, {123, 77}, {W - 1, H - 1}};
    for (const auto& offset : offsets) {
        {
            X11Lock lock;
            frameBuf_->PresentWrapped(offset[0], offset[1]);
            XSync(g_xDisplay, False);  // the read-back comes through another connection
        }
        std::string where;
        EXPECT_TRUE(WindowShowsRing(client_->ReadPixels(g_xWindow, W, H),
                                    static_cast<long>(offset[1]) * W + offset[0], &where))
            << "offset (" << offset[0] << ", " << offset[1] << "): " << where;
    }
    const std::string log = ReportLog();
    EXPECT_NE(log.find(c.sharedMemory ? "X_FrameBuf::OpenDisplay: set up shared memory stuff."
                                      : "X_FrameBuf::OpenDisplay: no shared mem."),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, FrameBufDisplayTest,
    ::testing::Values(DisplayCase{16, true, true}, DisplayCase{16, true, false},
                      DisplayCase{16, false, false}, DisplayCase{15, true, true},
                      DisplayCase{15, true, false}, DisplayCase{15, false, false}),
    [](const ::testing::TestParamInfo<DisplayCase>& info) {
        const DisplayCase& c = info.param;
        return "Depth" + std::to_string(c.depth) +
               (!c.sharedMemory   ? "PutImage"
                : c.sharedPixmaps ? "SharedPixmap"
                                  : "ShmPutImage");
    });

using FrameBufTest = FrameBufFixture;

TEST_F(FrameBufTest, RefusesBothDepthsOnTrueColor24Display) {
    XvfbOptions options;
    options.depth = 24;
    StartServer(options);
    std::unique_ptr<CFrameBuf> frameBuf(CreateFrameBuf());
    EXPECT_FALSE(frameBuf->OpenDisplay(W, H, 15));
    EXPECT_FALSE(frameBuf->OpenDisplay(W, H, 16));
    EXPECT_EQ(frameBuf->GetPixels(), nullptr);
}

TEST_F(FrameBufTest, SecondOpenIsRefusedAndLogged) {
    StartServer(XvfbOptions());
    Open(16);
    EXPECT_FALSE(frameBuf_->OpenDisplay(W, H, 16));
    EXPECT_NE(ReportLog().find("X_FrameBuf::OpenDisplay: inited. will not open display."),
              std::string::npos);
    EXPECT_TRUE(frameBuf_->IsOpen());
}

// The segments this process created, from the kernel's table: perms (with
// the removal mark 01000) by id.
std::vector<std::pair<int, unsigned>> OwnSegments() {
    std::vector<std::pair<int, unsigned>> segments;
    std::ifstream table("/proc/sysvipc/shm");
    std::string line;
    std::getline(table, line);  // header
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        long key, id, size, cpid;
        unsigned perms;
        fields >> key >> id >> std::oct >> perms >> std::dec >> size >> cpid;
        if (cpid == getpid()) segments.emplace_back(static_cast<int>(id), perms);
    }
    return segments;
}

TEST_F(FrameBufTest, SharedSegmentIsPrivateAndMarkedForRemovalWhileOpen) {
    StartServer(XvfbOptions());
    Open(16);
    ASSERT_TRUE(frameBuf_->UsesSharedMemory());
    auto segments = OwnSegments();
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_EQ(segments[0].second & 0777, 0600u);
    EXPECT_NE(segments[0].second & 01000, 0u) << "segment not marked for removal";
    frameBuf_->CloseDisplay();
    EXPECT_TRUE(OwnSegments().empty());
    EXPECT_EQ(frameBuf_->GetPixels(), nullptr);
}

// The keys reach the real application, which hands them on to the speech
// line, the focused gump, the macros and the mouse manager; the war mode
// requests reach the circle of transparency and the play area.
class KeyPathTest : public FrameBufFixture {
protected:
    void SetUp() override {
        FrameBufFixture::SetUp();
        StartServer(XvfbOptions());
        Open(16);
        InitKeyTables();
        g_altModNum = -1;
        g_inputWindow = &line_;
        g_loginComplete = TRUE;  // the macros' speech goes out only in the game
    }
    void TearDown() override {
        g_loginComplete = FALSE;
        g_inputWindow = nullptr;
        g_focusGump = nullptr;
        FreeMacros();
        CApp::reset();
        FrameBufFixture::TearDown();
    }
    void Key(unsigned long keysym, unsigned int state, bool press = true) {
        client_->SendKey(g_xWindow, keysym, state, press);
        Pump();
    }
    // A macro on a key whose one action says "macro <n>", n its index.
    static void AddMacro(M_DWORD code, bool control, bool alt, bool shift) {
        CMacro* macro = new CMacro;
        macro->keyCode = code;
        macro->control = control;
        macro->alt = alt;
        macro->shift = shift;
        ParseMacroAction(("Say macro " + std::to_string(g_macroCount)).c_str(),
                         macro->actions[macro->actionCount++]);
        CMacro** tail = &g_macroList;
        while (*tail) tail = &(*tail)->next;
        *tail = macro;
        ++g_macroCount;
    }
    // What the macros said.
    std::vector<std::string> Said() const {
        std::vector<std::string> said;
        for (const auto& line : gumps.text.speech) said.push_back(line.text);
        return said;
    }
    // The war mode requests made: each one forgets the object under the
    // pointer.
    int WarModeRequests() const { return viewServices.hoverForgets; }

    tw::doubles::RecordingViewServices viewServices;
    tw::doubles::RecordingRequests requests;

private:
    CInputWindow line_;
};

TEST_F(KeyPathTest, ShiftLetterDeliversUpperCaseCodeAndText) {
    Key(XK_a, ShiftMask);
    EXPECT_EQ(g_keyShift, 1);
    EXPECT_EQ(g_keyControl, 0);
    EXPECT_EQ(gumps.input.calls,
              (std::vector<std::string>{"SpecialKey 65 40000061", "HandleKey 65"}));
}

TEST_F(KeyPathTest, MacroKeyRunsTheFirstMatchingMacroAndStops) {
    AddMacro('B', false, false, false);  // same key, other modifiers
    AddMacro('B', true, false, false);
    AddMacro('B', true, false, false);
    Key(XK_b, ControlMask);
    EXPECT_EQ(Said(), std::vector<std::string>{"macro 1"});
    EXPECT_TRUE(gumps.input.calls.empty());
}

TEST_F(KeyPathTest, AltStateComesFromTheModifierMap) {
    AddMacro('C', false, true, false);
    Key(XK_c, Mod1Mask);
    EXPECT_EQ(g_keyAlt, 1);
    EXPECT_EQ(Said(), std::vector<std::string>{"macro 0"});
}

TEST_F(KeyPathTest, NavigationKeysReachTheFocusedGumpOnly) {
    tw::doubles::RecordingGump gump;
    g_focusGump = &gump;
    const std::pair<unsigned long, int> keys[] = {
        {XK_Prior, 33}, {XK_Up, 38}, {XK_KP_Down, 40}, {XK_Delete, 46}};
    for (const auto& key : keys) Key(key.first, 0);
    EXPECT_EQ(gump.calls, (std::vector<std::string>{"HandleKey 57377", "HandleKey 57382",
                                                    "HandleKey 57384", "HandleKey 57390"}));
    EXPECT_TRUE(gumps.input.calls.empty());
}

TEST_F(KeyPathTest, WithoutFocusNavigationGoesToTheSpeechLine) {
    Key(XK_Left, 0);
    EXPECT_EQ(gumps.input.calls, std::vector<std::string>{"SpecialKey 37 4000ff51"});
}

TEST_F(KeyPathTest, CaptureFieldTakesTheKeyBeforeMacros) {
    tw::doubles::RecordingGump parent;
    tw::doubles::RecordingGump field;
    field.parent = &parent;
    parent.captureField = &field;
    g_focusGump = &field;
    AddMacro(112, false, false, false);
    Key(XK_F1, 0);
    EXPECT_EQ(parent.calls, std::vector<std::string>{"HandleButton"});
    EXPECT_EQ(g_lastCapturedKey, 112u);
    EXPECT_EQ(g_lastCapturedKeySym, 0x4000FFBEu);
    EXPECT_TRUE(Said().empty());
    EXPECT_TRUE(field.calls.empty());
}

TEST_F(KeyPathTest, HeldTabStartsAndEndsWarMode) {
    // The Tab code itself goes on to the focused gump.
    tw::doubles::RecordingGump gump;
    g_focusGump = &gump;
    Key(XK_Tab, 0, true);  // at peace, nothing pending: war
    EXPECT_EQ(CApp::WarModeRequest(), 1);
    EXPECT_EQ(WarModeRequests(), 1);
    Key(XK_Tab, 0, false);  // war pending: peace
    EXPECT_EQ(CApp::WarModeRequest(), 0);
    EXPECT_EQ(WarModeRequests(), 2);
    CApp::warModeRequest = -1;  // answered: the player is at peace
    Key(XK_Tab, 0, false);      // at peace already: nothing
    EXPECT_EQ(WarModeRequests(), 2);
    EXPECT_EQ(gump.calls, std::vector<std::string>{"HandleKey 9"});
    gump.calls.clear();
    HoldTabForCombat = FALSE;
    Key(XK_Tab, 0, true);
    EXPECT_EQ(WarModeRequests(), 2);
    EXPECT_EQ(gump.calls, std::vector<std::string>{"HandleKey 9"});
}

TEST_F(KeyPathTest, ButtonsAndMotionGoToTheMouseEntryPoints) {
    tw::doubles::Listed<tw::doubles::RecordingGump> capture;
    MouseManager::SetCapture(&capture);
    client_->SendButton(g_xWindow, 1, 10, 20, true);
    client_->SendButton(g_xWindow, 1, 11, 21, false);
    client_->SendButton(g_xWindow, 3, 30, 40, true);
    client_->SendButton(g_xWindow, 2, 31, 41, false);
    client_->SendMotion(g_xWindow, 5, 6);
    Pump();
    EXPECT_EQ(capture.calls, (std::vector<std::string>{"LButtonDown 10 20", "LButtonUp 11 21",
                                                       "RButtonDown 30 40", "RButtonUp 31 41"}));
    EXPECT_EQ(MousePos(), (std::pair<int, int>{5, 6}));
}

TEST_F(KeyPathTest, CloseRequestSetsQuitAndLeavesLaterEventsQueued) {
    tw::doubles::Listed<tw::doubles::RecordingGump> capture;
    MouseManager::SetCapture(&capture);
    g_quitFlag = 0;
    client_->SendDeleteWindow(g_xWindow);
    client_->SendButton(g_xWindow, 1, 1, 2, true);
    Pump();
    EXPECT_EQ(g_quitFlag.load(), 1);
    EXPECT_TRUE(capture.calls.empty());
    frameBuf_->PumpEvents();
    CApp::DispatchInputEvents();
    EXPECT_EQ(capture.calls, std::vector<std::string>{"LButtonDown 1 2"});
    g_quitFlag = 0;
}

TEST_F(KeyPathTest, ThePumpOnlyQueuesWhatTheWindowSystemSays) {
    tw::doubles::Listed<tw::doubles::RecordingGump> capture;
    MouseManager::SetCapture(&capture);
    client_->SendKey(g_xWindow, XK_a, ShiftMask | Mod1Mask, true);
    client_->SendKey(g_xWindow, XK_a, ShiftMask, false);
    client_->SendButton(g_xWindow, 3, 30, 40, true);
    client_->SendMotion(g_xWindow, 5, 6);
    client_->SendDeleteWindow(g_xWindow);
    PumpOnly();
    EXPECT_TRUE(capture.calls.empty());
    EXPECT_EQ(MousePos(), (std::pair<int, int>{0, 0}));
    EXPECT_TRUE(gumps.input.calls.empty());
    EXPECT_EQ(g_quitFlag.load(), 0);
    EXPECT_EQ(g_altModNum, 3) << "found in the modifier map for the key press";
    std::vector<InputEvent> events;
    InputEvent event;
    while (PopInputEvent(&event)) events.push_back(event);
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].kind, InputEvent::kKeyPress);
    EXPECT_EQ(events[0].keysym, static_cast<M_DWORD>(XK_a)) << "the unshifted keysym";
    EXPECT_EQ(events[0].state, static_cast<unsigned>(ShiftMask | Mod1Mask));
    EXPECT_EQ(events[0].text, "A");
    EXPECT_EQ(events[1].kind, InputEvent::kKeyRelease);
    EXPECT_EQ(events[1].text, "") << "a release types nothing";
    EXPECT_EQ(events[2].kind, InputEvent::kButtonPress);
    EXPECT_EQ(events[2].button, 3u);
    EXPECT_EQ(events[2].x, 30);
    EXPECT_EQ(events[2].y, 40);
    EXPECT_EQ(events[3].kind, InputEvent::kMotion);
    EXPECT_EQ(events[4].kind, InputEvent::kClose);
}

TEST_F(KeyPathTest, ResizeRequestSetsDisplaySizeNoSmallerThan640x480) {
    // An odd width is rounded down: a shared-memory image pads odd rows, and
    // the back buffer's rows would no longer be width pixels apart.
    // Any client may ask for any size: the window stays within the screen
    // (1024x768 here), whose larger sizes show nothing more.
    const int requests[][4] = {{800, 600, 800, 600},      {500, 400, 640, 480},
                               {700, 300, 700, 480},      {801, 601, 800, 601},
                               {65535, 65535, 1024, 768}, {1023, 9000, 1022, 768}};
    for (const auto& r : requests) {
        XResizeWindow(client_->display(), g_xWindow, r[0], r[1]);
        Pump();
        EXPECT_EQ(g_displayWidth, r[2]) << r[0] << "x" << r[1];
        EXPECT_EQ(g_displayHeight, r[3]) << r[0] << "x" << r[1];
        // The gump manager made the main bitmap again: its save buffer has
        // the new size.
        EXPECT_EQ(CGumpManager::saveBuffer.size(), static_cast<size_t>(r[2]) * r[3])
            << r[0] << "x" << r[1];
    }
    g_displayWidth = W;
    g_displayHeight = H;
}

TEST_F(FrameBufTest, AllocateMainBitmapReopensAtTheDisplaySize) {
    StartServer(XvfbOptions());
    Open(16);
    g_frameBuf = frameBuf_.get();
    g_workBuffer = static_cast<M_WORD*>(std::malloc(4));
    g_displayWidth = 800;
    g_displayHeight = 600;
    g_viewX = 300;  // 300 + 640 > 800
    g_viewY = 100;
    DirtyList::fullRepaintPending = FALSE;
    AllocateMainBitmap();
    EXPECT_EQ(frameBuf_->GetWidth(), 800);
    EXPECT_EQ(frameBuf_->GetHeight(), 600);
    EXPECT_EQ(g_backBuffer, frameBuf_->GetPixels());
    EXPECT_NE(g_backBuffer, nullptr);
    EXPECT_EQ(g_viewX, 160);
    EXPECT_EQ(g_viewY, 100);
    EXPECT_TRUE(DirtyList::fullRepaintPending) << "the whole screen is repainted";
    DirtyList::fullRepaintPending = FALSE;
    g_workBuffer[800 * 600 - 1] = 1;  // the work buffer grew to the new size
    g_frameBuf = nullptr;
    g_displayWidth = W;
    g_displayHeight = H;
    g_viewX = g_viewY = 0;
    g_backBuffer = nullptr;
}

// Re-creating the window closes its connection; an X server that resets
// when its last client leaves hung up the new connection during set-up in
// most re-opens.  Each round runs in a child process, the client alone on
// the server, because a failed re-open ends the process.
TEST_F(FrameBufTest, ResizesReopenOnAServerThatResetsWhenItsLastClientLeaves) {
    XvfbOptions options;
    options.noReset = false;
    StartServer(options);
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        fflush(nullptr);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            g_frameBuf = CreateFrameBuf();
            if (g_frameBuf == nullptr || !g_frameBuf->OpenDisplay(W, H, 16)) _exit(2);
            const int sizes[][2] = {{800, 600}, {640, 480}, {802, 600}, {640, 480}};
            for (const auto& size : sizes) {
                g_displayWidth = size[0];
                g_displayHeight = size[1];
                AllocateMainBitmap();
                if (g_frameBuf->GetWidth() != size[0] || g_backBuffer == nullptr) _exit(3);
            }
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
}

TEST_F(FrameBufTest, PresentBackBufferTakesTheRingStartModuloTheBuffer) {
    StartServer(XvfbOptions());
    Open(16);
    g_frameBuf = frameBuf_.get();
    g_backBuffer = frameBuf_->GetPixels();
    FillPattern(g_backBuffer);
    const long total = static_cast<long>(W) * H;
    struct {
        int ringStart, viewX, viewY;
        long shown;
    } cases[] = {
        {5, 0, 0, 5},
        {static_cast<int>(total) + 5, 0, 0, 5},  // past the end of the ring
        {3 * static_cast<int>(total) + W + 2, 0, 0, W + 2},
        {0, 2, 1, total - W - 2},  // negative: wraps backwards
    };
    for (const auto& c : cases) {
        g_ringStart = c.ringStart;
        g_viewX = c.viewX;
        g_viewY = c.viewY;
        gumps.mouse.ClearMouseCalls();
        PresentBackBuffer();
        {
            X11Lock lock;
            XSync(g_xDisplay, False);
        }
        std::string where;
        EXPECT_TRUE(WindowShowsRing(client_->ReadPixels(g_xWindow, W, H), c.shown, &where))
            << "ring start " << c.ringStart << ": " << where;
        EXPECT_EQ(gumps.mouse.MouseCalls(),
                  (std::vector<std::string>{"DrawCursor", "EraseCursor"}));
    }
    g_frameBuf = nullptr;
    g_backBuffer = nullptr;
    g_ringStart = g_viewX = g_viewY = 0;
}

TEST_F(FrameBufTest, CursorThreadFollowsThePointerUntilQuit) {
    StartServer(XvfbOptions());
    Open(16);
    g_quitFlag = 0;
    XWarpPointer(client_->display(), 0, g_xWindow, 0, 0, 0, 0, 100, 50);
    XSync(client_->display(), False);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, nullptr, MousePollThread, nullptr), 0);
    const auto moved = std::vector<std::string>{"MoveCursor 1"};
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (gumps.mouse.MouseCalls() != moved && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    // A pointer that stays put is not redrawn again.
    EXPECT_EQ(gumps.mouse.MouseCalls(), moved);
    EXPECT_EQ(MousePos(), (std::pair<int, int>{100, 50}));
    g_quitFlag = 1;
    pthread_join(thread, nullptr);
    EXPECT_EQ(gumps.mouse.MouseCalls(), moved);
    g_quitFlag = 0;
}

}  // namespace

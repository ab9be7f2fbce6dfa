// The mouse manager: direction and distance against the play window, the
// cursor kind, busy count and shape, and the dispatch of button, hover and
// drag events with the capture, the modal gump and gumps that close
// themselves or their neighbours inside a handler (run under
// AddressSanitizer).
#include <string>
#include <vector>

#include "Clock.h"
#include "GumpTestSupport.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "resources/GraphicManager.h"

namespace {

using tw::test::ClosedGumps;
using tw::test::TestGump;

// A gump that logs its events.
class EventGump : public TestGump {
public:
    EventGump(int x, int y, int w, int h, const char* n) : TestGump(x, y, w, h, n) { Fill(1); }
    void HandleLButtonDown(int x, int y) override { Log("ldown", x, y); }
    void HandleLButtonUp(int x, int y) override { Log("lup", x, y); }
    void HandleRButtonDown(int x, int y) override { Log("rdown", x, y); }
    void HandleRButtonUp(int x, int y) override {
        Log("rup", x, y);
        if (onRButtonUp) onRButtonUp(this);
    }
    void HandleMouseMove(int x, int y) override { Log("move", x, y); }
    void HandleMouseMoveAway() override { log += std::string(name) + ".away "; }
    void HandleMouseDrag(int x, int y) override { Log("drag", x, y); }
    void Tick() override {
        log += std::string(name) + ".tick ";
        if (onTick) onTick(this);
    }
    void Log(const char* what, int x, int y) {
        log += std::string(name) + "." + what + "(" + std::to_string(x) + "," + std::to_string(y) +
               ") ";
    }
    std::function<void(EventGump*)> onTick;
    std::function<void(EventGump*)> onRButtonUp;
    static std::string log;
};
std::string EventGump::log;

class MouseManagerTest : public tw::test::GumpTest {
protected:
    void SetUp() override {
        GumpTest::SetUp();
        EventGump::log.clear();
        GraphicManager::setGameplayWindowPixelWidthAndHeight(640, 480);
        g_viewX = g_viewY = 0;
        doubles.inWorld = TRUE;
    }
    EventGump* Event(int x, int y, int w, int h, const char* n) {
        auto* g = new EventGump(x, y, w, h, n);
        g->PutInGump(nullptr);
        return g;
    }
    static void Click(int x, int y) {
        MouseManager::OnLButtonDown(static_cast<short>(x), static_cast<short>(y));
        MouseManager::OnLButtonUp(static_cast<short>(x), static_cast<short>(y));
    }
};

TEST_F(MouseManagerTest, DirectionsAroundTheCentreAndTheWalkingEllipse) {
    // The gameplay window is 640 x 480 at (100, 50): its centre is (420, 290).
    g_viewX = 100;
    g_viewY = 50;
    struct Case {
        int dx, dy, direction;
    } directions[] = {
        {0, -100, 0},  {0, 0, 0},    {1, -2, 1},     {1, -3, 0},      {100, -100, 1},
        {100, -49, 2}, {100, 0, 2},  {100, 49, 2},   {100, 50, 3},    {100, 199, 3},
        {100, 200, 4}, {0, 100, 4},  {-1, 3, 4},     {-100, 100, 5},  {-100, 51, 5},
        {-100, 49, 6}, {-100, 0, 6}, {-100, -50, 7}, {-100, -200, 0},
    };
    for (const Case& c : directions) {
        MouseManager::SetPos(420 + c.dx, 290 + c.dy);
        EXPECT_EQ(MouseManager::GetMouseDirection(FALSE), c.direction) << c.dx << "," << c.dy;
    }
    MouseManager::SetPos(99, 290);
    EXPECT_EQ(MouseManager::GetMouseDirection(FALSE), -1) << "outside the play window";
    EXPECT_EQ(MouseManager::GetMouseDirection(TRUE), 6);

    // 9 dx^2 + 16 dy^2 against 409600: (0, 160) lies on it, (213, 0) inside,
    // (214, 0) and (0, 161) outside.
    struct Near {
        int dx, dy;
        BOOL near;
    } ellipse[] = {{0, 160, TRUE},  {0, -160, TRUE}, {0, 161, FALSE},  {213, 0, TRUE},
                   {214, 0, FALSE}, {-213, 0, TRUE}, {120, 132, TRUE}, {120, 133, FALSE}};
    for (const Near& c : ellipse) {
        MouseManager::SetPos(420 + c.dx, 290 + c.dy);
        EXPECT_EQ(MouseManager::IsMouseNearPlayer(), c.near) << c.dx << "," << c.dy;
    }
}

TEST_F(MouseManagerTest, KindBusyCountAndShape) {
    MouseManager::SetPos(320, 50);  // straight above the centre, far
    MouseManager::SetCursorType(0);
    MouseManager::SetMouseCursor();
    EXPECT_EQ(MouseManager::GetShape(), 0 + MouseManager::PEACE_SHAPES);
    doubles.atWar = TRUE;
    MouseManager::SetMouseCursor();
    EXPECT_EQ(MouseManager::GetShape(), 0);
    MouseManager::SetPos(320, 230);  // near
    MouseManager::SetMouseCursor();
    EXPECT_EQ(MouseManager::GetShape(), 8);
    EXPECT_TRUE(MouseManager::CursorNeedsRedraw());

    // Busy: kind 20 raises the count; ending the wait keeps the kind until
    // the next SetCursorType.
    MouseManager::SetCursorType(MouseManager::BUSY_CURSOR);
    EXPECT_EQ(MouseManager::BusyCount(), 1);
    MouseManager::SetCursorType(19);
    EXPECT_EQ(MouseManager::GetCursorType(), MouseManager::BUSY_CURSOR);
    MouseManager::EndWait();
    EXPECT_EQ(MouseManager::BusyCount(), 0);
    EXPECT_EQ(MouseManager::GetCursorType(), MouseManager::BUSY_CURSOR);
    MouseManager::SetCursorType(19);
    EXPECT_EQ(MouseManager::GetCursorType(), 19);
    MouseManager::EndWait();
    EXPECT_EQ(MouseManager::BusyCount(), 0) << "never below 0";
    MouseManager::SetMouseCursor();
    EXPECT_EQ(MouseManager::GetShape(), 19);

    doubles.inWorld = FALSE;
    MouseManager::SetCursorType(19);
    EXPECT_EQ(MouseManager::GetCursorType(), MouseManager::NORMAL_CURSOR) << "outside the world";
}

TEST_F(MouseManagerTest, ButtonsGoToTheCaptureWhereverThePointerIs) {
    EventGump* back = Event(0, 0, 200, 200, "back");
    EventGump* front = Event(50, 50, 100, 100, "front");
    MouseManager::OnLButtonDown(60, 70);
    EXPECT_EQ(MouseManager::GetCapture(), front);
    MouseManager::OnLButtonUp(5, 5);  // released over the back gump
    EXPECT_EQ(EventGump::log, "front.ldown(10,20) front.lup(-45,-45) ");
    EXPECT_EQ(MouseManager::GetCapture(), front) << "the gump lets go itself";
    MouseManager::SetCapture(nullptr);

    // The right button never takes speech; the modal gump alone is reachable.
    front->bark = TRUE;
    EventGump::log.clear();
    MouseManager::OnRButtonDown(60, 70);
    MouseManager::OnRButtonUp(60, 70);
    EXPECT_EQ(EventGump::log, "back.rdown(60,70) back.rup(60,70) ");
    MouseManager::SetCapture(nullptr);
    front->bark = FALSE;
    CGumpManager::modalGump = back;
    EventGump::log.clear();
    MouseManager::OnLButtonDown(60, 70);
    EXPECT_EQ(EventGump::log, "back.ldown(60,70) ");
    CGumpManager::modalGump = nullptr;
    MouseManager::SetCapture(nullptr);

    // Nothing under the pointer: nothing captured.
    EventGump::log.clear();
    MouseManager::OnLButtonDown(400, 400);
    EXPECT_EQ(MouseManager::GetCapture(), nullptr);
    EXPECT_EQ(EventGump::log, "");
}

TEST_F(MouseManagerTest, TheHelpTextTakesItsOwnClicks) {
    EventGump* help = Event(100, 100, 100, 50, "help");
    auto* child = new EventGump(10, 10, 20, 20, "child");
    child->PutInGump(help);
    CGumpManager::helpTextGump = help;
    MouseManager::OnLButtonDown(115, 115);
    MouseManager::OnLButtonUp(115, 115);
    EXPECT_EQ(EventGump::log, "child.ldown(5,5) child.lup(115,115) ")
        << "a child of the help text gets the screen point";
    EXPECT_EQ(MouseManager::GetCapture(), nullptr);
    MouseManager::OnRButtonDown(150, 120);
    MouseManager::OnRButtonUp(150, 120);
    EXPECT_EQ(CGumpManager::helpTextGump, nullptr) << "a right click inside closes it";
    EXPECT_EQ(g_gumpList, nullptr);
}

TEST_F(MouseManagerTest, UpdateMovesTicksAndDragsAndSurvivesClosingHandlers) {
    EventGump* other = Event(300, 0, 50, 50, "other");
    EventGump* under = Event(0, 0, 100, 100, "under");
    MouseManager::SetPos(10, 20);
    MouseManager::Update();
    EXPECT_EQ(EventGump::log, "under.move(10,20) under.tick ");
    EXPECT_EQ(CGumpManager::mouseonGump, under);

    // Hovered and captured: two ticks and a drag.
    MouseManager::SetCapture(under);
    EventGump::log.clear();
    MouseManager::Update();
    EXPECT_EQ(EventGump::log, "under.drag(10,20) under.move(10,20) under.tick under.tick ");
    MouseManager::SetCapture(nullptr);

    // Moving away tells the gump left behind.
    MouseManager::SetPos(310, 10);
    EventGump::log.clear();
    MouseManager::Update();
    EXPECT_EQ(EventGump::log, "under.away other.move(10,10) other.tick ");

    // A hovered gump that closes itself and its neighbour in its tick, while
    // it holds the capture.
    other->onTick = [under](EventGump* self) {
        delete under;
        delete self;
    };
    MouseManager::SetCapture(other);
    MouseManager::Update();
    EXPECT_EQ(g_gumpList, nullptr);
    EXPECT_EQ(MouseManager::GetCapture(), nullptr);
    EXPECT_EQ(CGumpManager::mouseonGump, nullptr);
    EXPECT_EQ(ClosedGumps(), (std::vector<std::string>{"under", "other"}));
}

TEST_F(MouseManagerTest, AButtonReleaseMayCloseTheCaptureAndItsNeighbour) {
    EventGump* neighbour = Event(0, 0, 200, 200, "neighbour");
    EventGump* target = Event(0, 0, 50, 50, "target");
    target->onRButtonUp = [neighbour](EventGump* self) {
        delete neighbour;
        delete self;
    };
    MouseManager::OnRButtonDown(10, 10);
    MouseManager::OnRButtonUp(10, 10);
    EXPECT_EQ(g_gumpList, nullptr);
    EXPECT_EQ(MouseManager::GetCapture(), nullptr);
    MouseManager::Update();  // nothing left to reach
    EXPECT_EQ(ClosedGumps(), (std::vector<std::string>{"neighbour", "target"}));
}

M_DWORD g_clock = 0;
M_DWORD Clock() {
    return g_clock;
}

// A gump that tells single from double clicks as the text and list gumps
// do: a second press within the double-click time of the first.
class ClickGump : public TestGump {
public:
    ClickGump() : TestGump(10, 10, 50, 50, "clicks") { Fill(1); }
    void HandleLButtonDown(int, int) override {
        const M_DWORD now = GetTimeMs();
        if (pending && now - first <= static_cast<M_DWORD>(GetDoubleClickTime())) {
            clicks.push_back("double");
            pending = false;
        } else {
            first = now;
            pending = true;
            clicks.push_back("single");
        }
    }
    void HandleLButtonUp(int, int) override { MouseManager::SetCapture(nullptr); }
    std::vector<std::string> clicks;
    bool pending = false;
    M_DWORD first = 0;
};

TEST_F(MouseManagerTest, EachPressReachesTheGumpThatTellsDoubleClicksByTheClock) {
    SetTimeSourceForTests(Clock);
    auto* gump = new ClickGump;
    gump->PutInGump(nullptr);
    struct Case {
        M_DWORD gap;
        std::vector<std::string> clicks;
    } cases[] = {{0, {"single", "double"}},
                 {250, {"single", "double"}},
                 {251, {"single", "single"}},
                 {5000, {"single", "single"}}};
    for (const Case& c : cases) {
        gump->clicks.clear();
        gump->pending = false;
        g_clock = 0xFFFFFF00;  // the clock wraps between the presses
        Click(20, 20);
        g_clock += c.gap;
        Click(20, 20);
        EXPECT_EQ(gump->clicks, c.clicks) << c.gap << " ms apart";
        EXPECT_EQ(MouseManager::GetCapture(), nullptr);
    }
    SetTimeSourceForTests(nullptr);
}

}  // namespace

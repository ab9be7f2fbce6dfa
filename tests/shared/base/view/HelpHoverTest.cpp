// Help on hover over the sample world: a help request (0xB6) for the object
// the pointer rests on once the help delay has passed, read by a loopback
// server through the real connection, with the clock driven by the test;
// an object that leaves the world meanwhile is asked about no more, and the
// help text closes when the pointer leaves it.
#include <gtest/gtest.h>

#include "Clock.h"
#include "ViewTestSupport.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "net/ClientSock.h"
#include "resources/GraphicManager.h"
#include "support/LoopbackServer.h"
#include "view/DrawManager.h"
#include "view/MapGump.h"
#include "view/ViewServices.h"
#include "view/WorldView.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

namespace sample = tw::datafiles::sample;

M_DWORD g_now = 0;
M_DWORD FakeNow() {
    return g_now;
}

constexpr M_DWORD kCrate = 0x40000010;
constexpr M_DWORD kOtherCrate = 0x40000012;

struct Point {
    int x, y;
};

class HelpHoverTest : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        StartSampleWorld();
        UseBackBuffer(640, 480, 640, 480, false);
        CPlayer* player = PlacePlayer(sample::kByTheFire.x, sample::kByTheFire.y);
        CObjectManager::HandleMove(kCrate, sample::kCrate, 0, 1, player->locX - 4, player->locY,
                                   player->z, 0, 0, 0);
        CObjectManager::HandleMove(kOtherCrate, sample::kCrate, 0, 1, player->locX - 4,
                                   player->locY - 3, player->z, 0, 0, 0);
        Paint();
        GraphicManager::pMapGump = CMapGump::Make();
        MouseManager::reset();
        ResetHelpHovering();
        SetTimeSourceForTests(FakeNow);
        g_now = 5000;

        onCrate = PointOn(kCrate);
        onOtherCrate = PointOn(kOtherCrate);
        ASSERT_GE(onCrate.x, 0);
        ASSERT_GE(onOtherCrate.x, 0);

        g_pGameSocket = new CClientSock;
        ASSERT_TRUE(g_pGameSocket->Connect(tw::test::LoopbackServer::kAddress, server.port()));
        ASSERT_TRUE(server.WaitForConnections(1));
        M_DWORD seed = 0;
        ASSERT_TRUE(server.ReadSeed(&seed));
    }
    void TearDown() override {
        delete g_pGameSocket;
        g_pGameSocket = nullptr;
        delete CGumpManager::helpTextGump;
        CGumpManager::helpTextGump = nullptr;
        delete GraphicManager::pMapGump;
        GraphicManager::pMapGump = nullptr;
        SetTimeSourceForTests(nullptr);
        ResetHelpHovering();
        ViewTest::TearDown();
    }
    // A play-area point where the object shows its pixels, or (-1, -1).
    static Point PointOn(M_DWORD serial) {
        CDynamicObj* object = CObjectManager::FindObject(serial);
        if (!object) return Point{-1, -1};
        const RECT r = object->rect;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (DrawManager::GetItemAtScreenPoint(x - g_viewOffsetX, y - g_viewOffsetY, TRUE) ==
                    object)
                    return Point{x - g_viewOffsetX, y - g_viewOffsetY};
        return Point{-1, -1};
    }
    // One frame's help step with the pointer at (x, y), after ms.
    void Frame(int x, int y, M_DWORD ms = 0) {
        g_now += ms;
        MouseManager::SetPos(x, y);
        MouseManager::UpdateHelpHovering();
    }
    // The help requests the server has, polling a little.
    std::vector<tw::test::Bytes> Requests(size_t count) {
        return tw::test::PollMessages(server, count);
    }

    Point onCrate{0, 0};
    Point onOtherCrate{0, 0};
    tw::test::LoopbackServer server;
};

const tw::test::Bytes kCrateRequest{0xB6, 0x40, 0x00, 0x00, 0x10, 0x00, 0, 0, 0};
const tw::test::Bytes kOtherCrateRequest{0xB6, 0x40, 0x00, 0x00, 0x12, 0x00, 0, 0, 0};

TEST_F(HelpHoverTest, ARestingPointerAsksOnceAfterTheDelay) {
    PopupHelpPreDelay = 1000;
    Frame(onCrate.x, onCrate.y);       // the crate becomes the hovered object
    Frame(onCrate.x, onCrate.y);       // the resting place is noted
    Frame(onCrate.x, onCrate.y, 999);  // not yet
    g_pGameSocket->Poll();
    Frame(onCrate.x, onCrate.y, 1);  // the delay has passed
    Frame(onCrate.x, onCrate.y);     // the request
    EXPECT_EQ(Requests(1), std::vector<tw::test::Bytes>{kCrateRequest});

    // No answer within 2 s: hovering starts again, but the same object is
    // not asked about again while the pointer stays; the next request is
    // the other crate's.
    Frame(onCrate.x, onCrate.y, 1999);
    Frame(onCrate.x, onCrate.y, 1);
    Frame(onCrate.x, onCrate.y);
    for (int i = 0; i < 4; ++i) Frame(onCrate.x, onCrate.y, 2000);
    for (int i = 0; i < 4; ++i) Frame(onOtherCrate.x, onOtherCrate.y, 600);
    EXPECT_EQ(Requests(1), std::vector<tw::test::Bytes>{kOtherCrateRequest});
}

TEST_F(HelpHoverTest, AMovingPointerOrAnObjectGoneAsksNothing) {
    PopupHelpPreDelay = 1000;
    Frame(onCrate.x, onCrate.y);
    for (int i = 0; i < 5; ++i) Frame(onCrate.x + (i & 1), onCrate.y, 400);
    // Rests, but the crate leaves the world before the request.
    Frame(onCrate.x, onCrate.y, 10);
    CObjectManager::FindObject(kCrate)->Release();
    Frame(onCrate.x, onCrate.y, 10);
    Frame(onCrate.x, onCrate.y);

    // Help requests off: nothing is sent either.
    ResetHelpHovering();
    PopupHelpEnabled = FALSE;
    for (int i = 0; i < 4; ++i) Frame(onOtherCrate.x, onOtherCrate.y, 1000);
    ResetHelpHovering();
    PopupHelpEnabled = TRUE;
    Frame(5, 5);
    for (int i = 0; i < 4; ++i) Frame(onOtherCrate.x, onOtherCrate.y, 1000);
    EXPECT_EQ(Requests(1), std::vector<tw::test::Bytes>{kOtherCrateRequest})
        << "the first request is the one asked last";
}

TEST_F(HelpHoverTest, TheHelpTextClosesWhenThePointerLeavesItUnlessKept) {
    auto open = [] {
        CGump* help = new CGump(100, 100, nullptr, nullptr, 1, 80, 40);
        help->PutInGump(nullptr);
        CGumpManager::helpTextGump = help;
        return help;
    };
    open();
    Frame(120, 120);
    EXPECT_NE(CGumpManager::helpTextGump, nullptr) << "under the pointer";
    Frame(100, 120);
    EXPECT_EQ(CGumpManager::helpTextGump, nullptr) << "on its edge counts as outside";

    PopupHelpSticky = TRUE;
    open();
    Frame(5, 5);
    EXPECT_NE(CGumpManager::helpTextGump, nullptr) << "kept";
}

}  // namespace

// The library callbacks of the communication windows: the resize handles'
// sizes, and the tip window's previous and next, which ask the server over
// a real connection and never write to a closed one.
#include <string>
#include <tuple>
#include <vector>

#include "CommTestSupport.h"
#include "comm/TextGump.h"
#include "comm/TipsGump.h"
#include "config/Config.h"
#include "gumps/ButtonGump.h"
#include "net/ClientSock.h"
#include "support/LoopbackServer.h"

namespace {

using tw::test::Bytes;

// A window that records the size its resize rectangle hands back.
class SizedGump : public CGump {
public:
    SizedGump() : CGump(100, 50, nullptr, nullptr, 0, 300, 400) {}
    void Resize(int w, int h, int extra) override { got = {w, h, extra}; }
    std::tuple<int, int, int> got{0, 0, -1};
};

class WindowCallbackTest : public tw::test::CommTest {
protected:
    // The parchment strip and the tip window's buttons.
    std::vector<std::pair<int, tw::datafiles::Image>> Art() override {
        using tw::datafiles::Image;
        return {{2080, Image(270, 40, 0x4A52)}, {2081, Image(270, 30, 0x4A52)},
                {2082, Image(270, 30, 0x4631)}, {2083, Image(270, 40, 0x4A52)},
                {2093, Image(20, 12, 0x03E0)},  {2094, Image(20, 10, 0x001F)},
                {2508, Image(16, 16, 0x7C00)},  {2509, Image(16, 16, 0x7C00)}};
    }
    void Connect() {
        socket_.Connect(tw::test::LoopbackServer::kAddress, server_.port());
        ASSERT_TRUE(server_.WaitForConnections(1));
        M_DWORD seed = 0;
        ASSERT_TRUE(server_.ReadSeed(&seed));
        g_pGameSocket = &socket_;
    }
    void TearDown() override {
        g_pGameSocket = nullptr;
        CommTest::TearDown();
    }
    // The tip window's button at x (35 previous, 251 next), pressed.
    static void Press(CTipsGump* tip, int x) {
        for (CGump* c = tip->firstChild; c; c = c->next)
            if (c->x == x && c->IsButtonGump()) {
                c->HandleLButtonDown(1, 1);
                c->HandleLButtonUp(1, 1);
                return;
            }
        ADD_FAILURE() << "no button at x " << x;
    }

    tw::test::LoopbackServer server_;
    CClientSock socket_;
};

TEST_F(WindowCallbackTest, EachResizeHandleHasItsOwnLimits) {
    UseScreen(640, 480);
    struct Case {
        const char* name;
        GumpCallback callback;
        int minWidth, minHeight, maxWidth, maxHeight, extra;
    };
    // The window is 300 x 400 at (100, 50); odd widths are made even.
    const Case cases[] = {
        {"ResizeChatWindow", &CGump::ResizeChatWindow, 94, 98, 540, 430, 0},
        {"ResizeWindow", &CGump::ResizeWindow, 94, 98, 540, 430, 0},
        {"ResizeFrameGump", &CGump::ResizeFrameGump, 94, 98, 540, 430, 0},
        {"ResizeGMChatGump", &CGump::ResizeGMChatGump, 94, 98, 540, 430, 0},
        {"ResizeTextGump", &CGump::ResizeTextGump, 300, 220, 300, 410, 0},
        {"ResizeSkillGump", &CGump::ResizeSkillGump, 300, 220, 300, 410, 0},
        {"ResizeBBMsgGump", &CGump::ResizeBBMsgGump, 300, 260, 300, 410, 0},
        {"ResizeChatPane", &CGump::ResizeChatPane, 40, 80, 240, 392, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* window = new SizedGump;
        window->PutInGump(nullptr);
        (window->*c.callback)();
        ASSERT_NE(g_gumpList, window);
        auto* resize = static_cast<CResizeGump*>(g_gumpList);
        EXPECT_EQ(std::string(resize->name), "resize gump");
        EXPECT_EQ(resize->target, window);
        EXPECT_EQ(resize->x, 100);
        EXPECT_EQ(resize->y, 50);
        EXPECT_EQ(std::make_tuple(resize->minWidth, resize->minHeight, resize->maxWidth,
                                  resize->maxHeight),
                  std::make_tuple(c.minWidth, c.minHeight, c.maxWidth, c.maxHeight));
        resize->HandleMouseDrag(0, 0);
        EXPECT_EQ(resize->currentWidth, c.minWidth);
        EXPECT_EQ(resize->currentHeight, c.minHeight);
        resize->HandleMouseDrag(5000, 5000);
        resize->HandleLButtonUp(5000, 5000);
        EXPECT_EQ(g_gumpList, window) << "the rectangle closes on release";
        EXPECT_EQ(window->got, std::make_tuple(c.maxWidth, c.maxHeight, c.extra));
        delete window;
    }
}

TEST_F(WindowCallbackTest, PreviousAndNextAskForAnotherTipAndClose) {
    Connect();
    LastTip = 0x0102;
    const std::vector<std::string> lines = {"a tip"};
    auto* tip = new CTipsGump(0, 0, lines, TRUE);
    tip->PutInGump(nullptr);
    Press(tip, 251);
    EXPECT_EQ(g_gumpList, nullptr);
    tip = new CTipsGump(0, 0, lines, TRUE);
    tip->PutInGump(nullptr);
    Press(tip, 35);
    EXPECT_EQ(g_gumpList, nullptr);
    EXPECT_EQ(tw::test::PollMessages(server_, 2),
              (std::vector<Bytes>{{0xA7, 0x01, 0x02, 1}, {0xA7, 0x01, 0x02, 0}}));

    // The connection closed meanwhile: nothing is written, the window still
    // closes.
    socket_.Close();
    tip = new CTipsGump(0, 0, lines, TRUE);
    tip->PutInGump(nullptr);
    Press(tip, 251);
    EXPECT_EQ(g_gumpList, nullptr);
    EXPECT_EQ(socket_.OutputLength(), 0u);
    EXPECT_NE(ReportLog().find("CGump::TipNext: the connection is not open"), std::string::npos);
}

}  // namespace

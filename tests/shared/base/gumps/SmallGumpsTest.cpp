// The small gumps: the message box (modal, small or large, its button, the
// keyboard it takes and gives back), the death menu and its reply, the sign
// and the picture layer.
#include <string>
#include <vector>

#include "GumpTestSupport.h"
#include "config/Config.h"
#include "gumps/ButtonGump.h"
#include "gumps/DeathMenuGump.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "gumps/SmallGumps.h"
#include "gumps/WaitingGump.h"
#include "net/ClientSock.h"
#include "resources/GraphicManager.h"
#include "support/LoopbackServer.h"
#include "support/datafiles/ArtFormats.h"

namespace {

using tw::datafiles::Image;
using tw::datafiles::Rgb555;
using tw::test::TestGump;

// Frames of nine 8 x 8 pieces at base; the centre has a hole, so a small box
// has transparent pixels.
void AddFrame(std::vector<std::pair<int, Image>>& art, int base) {
    for (int i = 0; i < 9; ++i) {
        Image piece(8, 8, Rgb555(100, 100, 20 * i));
        if (i == 4) piece.set(3, 3, 0);
        art.push_back({base + i, piece});
    }
}

class SmallGumpsTest : public tw::test::GumpTest {
protected:
    void SetUp() override {
        GumpTest::SetUp();
        use565 = FALSE;
        std::vector<std::pair<int, Image>> art;
        AddFrame(art, CWaitingGump::FRAME_ART);
        AddFrame(art, CDeathMenuGump::FRAME_ART);
        for (int id = 1150; id <= 1155; ++id) art.push_back({id, Image(30, 12, Rgb555(0, 200, 0))});
        art.push_back({5050, Image(16, 16, Rgb555(200, 0, 0))});
        art.push_back({5051, Image(16, 16, Rgb555(0, 0, 200))});
        Image sign(150, 200, Rgb555(150, 120, 90));
        sign.fillRect(0, 0, 10, 10, 0);
        art.push_back({9, sign});
        tw::test::InstallGumpArt(art);
    }

    // The box's button, its only child.
    static CButtonGump* ButtonOf(CGump* box) { return static_cast<CButtonGump*>(box->firstChild); }
};

TEST_F(SmallGumpsTest, AMessageBoxIsModalAndTakesAndGivesBackTheKeyboard) {
    TestGump* owner = Open(0, 0, 50, 50, nullptr, "owner");
    owner->Fill(1);
    owner->visible = FALSE;
    owner->inputEnabled = FALSE;
    TestGump* typing = Open(300, 300, 50, 50, nullptr, "typing");
    CGumpManager::SetActiveGump(typing);

    CWaitingGump* box = CGumpManager::OpenWaitingGump("Please wait", owner, 1, 0, 0);
    EXPECT_EQ(box->width, 2 * 8 + 115);
    EXPECT_EQ(box->height, 2 * 8 + 33);
    EXPECT_EQ(box->x, 320 - box->width / 2);
    EXPECT_EQ(CGumpManager::modalGump, box);
    EXPECT_EQ(g_focusGump, box);
    EXPECT_EQ(CGumpManager::GetGumpAt(10, 10, nullptr, 0), nullptr) << "the owner is unreachable";
    // A small box lets clicks through its holes; its button sits centred.
    const int hx = box->x + 8 + 3, hy = box->y + 8 + 3;
    EXPECT_EQ(CGumpManager::GetGumpAt(hx, hy, nullptr, 0), nullptr);
    CButtonGump* button = ButtonOf(box);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->x, (box->width - 30) / 2);
    EXPECT_EQ(button->y, box->height - 24);
    EXPECT_EQ(button->hoverArt, 1151);

    // Small boxes can be dragged.
    box->HandleLButtonDown(5, 5);
    box->HandleMouseDrag(15, 25);
    box->HandleLButtonUp(15, 25);
    EXPECT_EQ(box->y, 240 - box->height / 2 + 20);

    // Enter acts like the button: the owner comes back with its input.
    EXPECT_EQ(box->HandleKey(13), 1);
    EXPECT_EQ(g_gumpList, typing);
    EXPECT_EQ(CGumpManager::modalGump, nullptr);
    EXPECT_TRUE(owner->visible);
    EXPECT_TRUE(owner->inputEnabled);
    EXPECT_EQ(g_focusGump, typing) << "the keyboard goes back";
}

TEST_F(SmallGumpsTest, ALargeBoxTakesEveryClickAndStaysPut) {
    TestGump* typing = Open(0, 0, 50, 50, nullptr, "typing");
    CGumpManager::SetActiveGump(typing);
    CWaitingGump* box = CGumpManager::OpenWaitingGump("Connecting...", nullptr, 1, 1, 0);
    EXPECT_EQ(box->width, 2 * 8 + 268);
    EXPECT_EQ(CGumpManager::GetGumpAt(2, 2, nullptr, 0), box) << "far outside the box";
    const int y = box->y;
    box->HandleLButtonDown(5, 5);
    box->HandleMouseDrag(5, 40);
    EXPECT_EQ(box->y, y);
    // The gump it gives the keyboard back to may close first.
    delete typing;
    delete box;
    EXPECT_EQ(g_focusGump, nullptr);
}

TEST_F(SmallGumpsTest, TheBoxCutsLongTextsAndItsButtonMayLogOut) {
    const std::string longText(2000, 'x');
    CWaitingGump* box = CGumpManager::OpenWaitingGump(longText.c_str(), nullptr, 0, 0, 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(box->text)).size(),
              static_cast<size_t>(CWaitingGump::TEXT_BYTES - 1));
    EXPECT_EQ(ButtonOf(box)->artId, 1153);
    CGumpManager::pWaitingGump = box;
    box->CloseOrLogout();
    EXPECT_EQ(doubles.calls.back(), "LogoutFromWorld");
    EXPECT_EQ(CGumpManager::pWaitingGump, nullptr);
    delete box;

    std::vector<M_WORD> wide(700, 'w');
    wide.back() = 0;
    box = CGumpManager::OpenWaitingGump(wide.data(), nullptr, 1, 0, 0, 1);
    const auto* text = reinterpret_cast<const M_WORD*>(box->text);
    EXPECT_EQ(text[CWaitingGump::TEXT_BYTES / 2 - 2], 'w');
    EXPECT_EQ(text[CWaitingGump::TEXT_BYTES / 2 - 1], 0);
}

TEST_F(SmallGumpsTest, TheDeathMenuAnswersTheServer) {
    tw::test::LoopbackServer server;
    g_pGameSocket = new CClientSock;
    ASSERT_TRUE(g_pGameSocket->Connect(tw::test::LoopbackServer::kAddress, server.port()));
    ASSERT_TRUE(server.WaitForConnections(1));
    M_DWORD seed = 0;
    ASSERT_TRUE(server.ReadSeed(&seed));

    auto* menu = new CDeathMenuGump;
    menu->PutInGump(nullptr);
    GraphicManager::pDeathMenuGump = menu;
    EXPECT_EQ(menu->width, 280);
    EXPECT_FALSE(menu->IsDisposable());
    menu->HandleRButtonUp(5, 5);
    EXPECT_EQ(g_gumpList, menu) << "a right click leaves it open";

    CButtonGump* ghost = nullptr;
    CButtonGump* resurrect = nullptr;
    for (CGump* c = menu->firstChild; c; c = c->next)
        (c->y == 20 ? ghost : resurrect) = static_cast<CButtonGump*>(c);
    ASSERT_TRUE(ghost && resurrect);
    resurrect->HandleLButtonDown(1, 1);
    resurrect->HandleLButtonUp(1, 1);
    EXPECT_EQ(g_gumpList, menu);
    ghost->HandleLButtonDown(1, 1);
    ghost->HandleLButtonUp(1, 1);
    EXPECT_EQ(g_gumpList, nullptr) << "playing as a ghost closes it";
    EXPECT_EQ(GraphicManager::pDeathMenuGump, nullptr);

    EXPECT_EQ(tw::test::PollMessages(server, 2),
              (std::vector<tw::test::Bytes>{{0x2C, 1}, {0x2C, 2}}));

    // A menu left on screen after the connection closed writes nothing.
    g_pGameSocket->Close();
    menu = new CDeathMenuGump;
    menu->PutInGump(nullptr);
    menu->DeathMenuChoice1();
    EXPECT_EQ(g_gumpList, menu);
    menu->DeathMenuChoice2();
    EXPECT_EQ(g_gumpList, nullptr);
    EXPECT_EQ(g_pGameSocket->OutputLength(), 0u);
    EXPECT_NE(ReportLog().find("CGump::DeathMenuChoice1: the connection is not open"),
              std::string::npos);
    delete g_pGameSocket;
    g_pGameSocket = nullptr;
}

TEST_F(SmallGumpsTest, SignsAndPictureLayers) {
    EXPECT_EQ(CSignGump::Create(10, 10, 77, "title", "text", nullptr), nullptr)
        << "an art the server names but that does not exist";
    CSignGump* sign = CSignGump::Create(10, 10, 9, "title", "A sign", nullptr);
    ASSERT_NE(sign, nullptr);
    sign->PutInGump(nullptr);
    EXPECT_EQ(sign->width, 150);
    EXPECT_FALSE(sign->HitTest(2, 2)) << "a transparent corner";
    EXPECT_TRUE(sign->HitTest(50, 50));
    sign->HandleLButtonDown(50, 50);
    sign->HandleMouseDrag(60, 55);
    sign->HandleLButtonUp(60, 55);
    EXPECT_EQ(sign->x, 20);
    EXPECT_EQ(sign->y, 15);
    MouseManager::SetCapture(sign);
    sign->HandleRButtonUp(1, 1);
    EXPECT_EQ(g_gumpList, nullptr);
    EXPECT_EQ(MouseManager::GetCapture(), nullptr);

    std::vector<M_WORD> picture(4 * 3, Rgb555(10, 20, 30));
    auto* layer = new CDumbGump(0, 0, 0, 4, 3, 0, picture.data(), -1);
    layer->PutInGump(nullptr);
    EXPECT_EQ(layer->FramePixels(0)[layer->pitch + 1], Rgb555(10, 20, 30));
    EXPECT_EQ(CGumpManager::GetGumpAt(1, 1, nullptr, 0), nullptr) << "clicks pass through";
    EXPECT_FALSE(layer->IsDisposable());
}

}  // namespace

// The gump base class: links, pages, hit tests, coordinates, raising,
// moving, closing a tree and forgetting a closed gump.
#include <string>
#include <utility>
#include <vector>

#include "GumpTestSupport.h"
#include "gumps/DragGump.h"
#include "gumps/GumpManager.h"
#include "gumps/MinimizedPositions.h"
#include "gumps/MouseManager.h"
#include "world/Obj.h"

namespace {

using tw::test::ClosedGumps;
using tw::test::TestGump;

class CGumpTest : public tw::test::GumpTest {};

TEST_F(CGumpTest, ChildHitSearchFollowsPagesButtonsVisibilityAndExclusion) {
    struct Case {
        const char* what;
        int parentPage;
        int childPage;
        bool childVisible;
        bool childIsMinimizedButton;
        bool parentMinimized;
        bool excludeChild;
        bool childHit;
    } const cases[] = {
        {"a child on page 0 shows on every page", 3, 0, true, false, false, false, true},
        {"a child of the page shown", 2, 2, true, false, false, false, true},
        {"a child of another page is never hit", 1, 2, true, false, false, false, false},
        {"pages compare as 8-bit values", 1, 257 & 0xFF, true, false, false, false, true},
        {"an invisible child", 0, 0, false, false, false, false, false},
        {"the excluded child", 0, 0, true, false, false, true, false},
        {"a minimized-state button of a normal parent", 0, 0, true, true, false, false, false},
        {"a minimized-state button of a minimized parent", 0, 0, true, true, true, false, true},
    };
    for (const Case& c : cases) {
        TestGump* parent = Open(100, 100, 80, 80);
        parent->Fill(0x1111);
        parent->page = static_cast<M_BYTE>(c.parentPage);
        parent->minimized = c.parentMinimized;
        parent->minimizedWidth = parent->minimizedHeight = 80;
        TestGump* child = Open(10, 10, 20, 20, parent);
        child->Fill(0x2222);
        child->page = static_cast<M_BYTE>(c.childPage);
        child->visible = c.childVisible;
        child->button = c.childIsMinimizedButton;
        child->forMinimized = c.childIsMinimizedButton;
        CGump* found = CGumpManager::GetGumpAt(115, 115, c.excludeChild ? child : nullptr, 0);
        EXPECT_EQ(found, c.childHit ? static_cast<CGump*>(child) : parent) << c.what;
        delete parent;
    }
}

TEST_F(CGumpTest, HitTestUsesTheFramePitchAndItsBlockAndRefusesOutsidePoints) {
    TestGump* g = Open(0, 0, 5, 4);  // pitch 8
    M_WORD* pixels = g->NewFrameBlock(0, 5, 4);
    ASSERT_NE(pixels, nullptr);
    pixels[1 * 8 + 0] = 0x7FFF;  // row 1, column 0
    pixels[0 * 8 + 4] = 0x7FFF;  // row 0, column 4
    struct {
        int x, y;
        BOOL hit;
    } const cases[] = {
        {0, 1, TRUE},  {4, 0, TRUE},  {3, 0, FALSE},  // 3 would be row 1 col 0 at pitch 5
        {5, 0, FALSE}, {0, 4, FALSE}, {-1, 1, FALSE}, {0, -1, FALSE},
    };
    for (const auto& c : cases) EXPECT_EQ(g->HitTest(c.x, c.y), c.hit) << c.x << "," << c.y;

    g->pixelHitTest = FALSE;  // every point inside hits, transparent or not
    EXPECT_TRUE(g->HitTest(3, 3));
    EXPECT_FALSE(g->HitTest(5, 3));

    g->pixelHitTest = TRUE;
    g->currentFrame = 3;  // past the frame table
    EXPECT_FALSE(g->HitTest(0, 1));
    TestGump* bare = Open(0, 0, 10, 10);  // a frame without a block
    EXPECT_FALSE(bare->HitTest(1, 1));
    // A block smaller than the gump: points beyond it miss.
    TestGump* small = Open(0, 0, 10, 10);
    std::fill_n(small->NewFrameBlock(0, 4, 4), 8 * 4, 0x0101);
    EXPECT_TRUE(small->HitTest(3, 3));
    EXPECT_FALSE(small->HitTest(6, 3));
}

TEST_F(CGumpTest, TooltipIdDefaultsToTheArtId) {
    TestGump* g = Open(0, 0, 10, 10);
    g->artId = 2050;
    EXPECT_EQ(g->GetTooltipId(0, 0), 2050);
    g->tooltipId = 5005;
    EXPECT_EQ(g->GetTooltipId(0, 0), 5005);
}

TEST_F(CGumpTest, CoordinatesAddTheChainAndTheGameAreaOnce) {
    g_viewX = 7;
    g_viewY = 9;
    TestGump* top = Open(100, 50, 200, 200);
    TestGump* mid = Open(10, 20, 100, 100, top);
    TestGump* leaf = Open(1, 2, 10, 10, mid);
    int x = 3, y = 4;
    CGump::GumpToScreenCoords(leaf, &x, &y);
    EXPECT_EQ(x, 114);
    EXPECT_EQ(y, 76);
    top->gameArea = mid->gameArea = TRUE;
    x = 3, y = 4;
    CGump::GumpToScreenCoords(leaf, &x, &y);
    EXPECT_EQ(x, 121);
    EXPECT_EQ(y, 85);
    CGump::ScreenToGumpCoords(leaf, &x, &y);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 4);
    CGump::GumpToScreenCoords(nullptr, &x, &y);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 4);
}

TEST_F(CGumpTest, LinkingTwiceIsRefusedAndKeepsTheList) {
    TestGump* a = Open(0, 0, 10, 10);
    TestGump* b = Open(0, 0, 10, 10);
    EXPECT_FALSE(a->PutInGump(nullptr));
    EXPECT_FALSE(b->PutInGump(b == g_gumpList ? a : nullptr));
    EXPECT_EQ(g_gumpList, b);
    EXPECT_EQ(b->next, a);
    EXPECT_EQ(CGumpManager::tail, a);
    EXPECT_NE(ReportLog().find("is already linked"), std::string::npos);
}

TEST_F(CGumpTest, RaisingMovesTheGumpItsSpeechAndItsBill) {
    TestGump* bill = Open(0, 0, 10, 10, nullptr, "bill");
    TestGump* back = Open(0, 0, 10, 10, nullptr, "back");
    TestGump* speech = Open(0, 0, 10, 10, nullptr, "speech");
    speech->bark = TRUE;
    speech->ownerGump = back;
    TestGump* front = Open(0, 0, 10, 10, nullptr, "front");
    back->shop = TRUE;
    back->bill = bill;
    auto order = [] {
        std::string names;
        for (CGump* g = g_gumpList; g; g = g->next) names += std::string(g->name) + " ";
        return names;
    };
    ASSERT_EQ(order(), "front speech back bill ");
    CGump::BringToFront(back, 1);
    EXPECT_EQ(order(), "bill speech back front ");
    EXPECT_EQ(CGumpManager::tail, front);
    EXPECT_EQ(g_gumpList->prev, nullptr);

    // At the head already: only the bill is raised.
    CGump::BringToFront(bill, 1);
    EXPECT_EQ(order(), "bill speech back front ");
    CGump::BringToFront(speech, 1);
    CGump::BringToFront(back, 1);
    EXPECT_EQ(order(), "bill speech back front ");

    // The character-creation gump and a pinned gump stay where they are.
    front->charCreation = TRUE;
    CGump::BringToFront(front, 1);
    EXPECT_EQ(g_gumpList, bill);
}

TEST_F(CGumpTest, RaisingWithFlagZeroEndsTheInputOfAnotherGump) {
    TestGump* parent = Open(0, 0, 50, 50);
    TestGump* field = Open(0, 0, 10, 10, parent);
    TestGump* other = Open(0, 0, 10, 10);
    CGumpManager::SetActiveGump(field);
    CGump::BringToFront(parent, 0);
    EXPECT_EQ(g_focusGump, field) << "the active gump is its child";
    CGump::BringToFront(other, 0);
    EXPECT_EQ(g_focusGump, nullptr);
    EXPECT_EQ(field->deactivations, 1);
}

struct MoveCase {
    int screenW, screenH;
    int x, y, w, h;
    int dx, dy;
    int endX, endY;
};

class MoveByTest : public tw::test::GumpTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MoveByTest, ClampsToTheRealScreen) {
    const MoveCase& c = GetParam();
    UseScreen(c.screenW, c.screenH);
    TestGump* g = Open(c.x, c.y, c.w, c.h);
    RECT rect{0, 0, 0, 0};
    g->MoveBy(c.dx, c.dy, TRUE, rect, TRUE);
    EXPECT_EQ(g->x, c.endX);
    EXPECT_EQ(g->y, c.endY);
    // The rectangle covers the old and the new place, on the screen only.
    EXPECT_EQ(rect.left, std::max(0, std::min(c.x, c.endX)));
    EXPECT_EQ(rect.top, std::max(0, std::min(c.y, c.endY)));
    EXPECT_EQ(rect.right, std::min(c.screenW, std::max(c.x, c.endX) + c.w));
    EXPECT_EQ(rect.bottom, std::min(c.screenH, std::max(c.y, c.endY) + c.h));
}

INSTANTIATE_TEST_SUITE_P(Clamps, MoveByTest,
                         ::testing::Values(
                             // A 30-pixel gump keeps all 30 pixels on screen; a 300-pixel one 50.
                             MoveCase{640, 480, 100, 100, 30, 30, -500, 0, 0, 100},
                             MoveCase{640, 480, 100, 100, 30, 30, 900, 900, 610, 450},
                             MoveCase{640, 480, 100, 100, 300, 300, -500, -500, -250, -250},
                             MoveCase{640, 480, 100, 100, 300, 300, 900, 900, 590, 430},
                             MoveCase{800, 600, 100, 100, 300, 300, 900, 900, 750, 550},
                             MoveCase{800, 600, 100, 100, 40, 20, 10, -5, 110, 95}));

TEST_F(CGumpTest, MovingCarriesChildrenAndOwnSpeechAndGrowsTheRectangle) {
    TestGump* g = Open(100, 100, 50, 50);
    TestGump* child = Open(60, 0, 20, 20, g);  // sticks out to the right
    TestGump* speech = Open(100, 80, 40, 10);
    speech->bark = TRUE;
    speech->ownerGump = g;
    RECT rect{0, 0, 0, 0};
    g->MoveBy(20, 10, TRUE, rect, TRUE);
    EXPECT_EQ(child->x, 60) << "children stay put relative to the parent";
    EXPECT_EQ(speech->x, 120);
    EXPECT_EQ(speech->y, 90);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 80);
    EXPECT_EQ(rect.right, 200);  // the child's new right edge
    EXPECT_EQ(rect.bottom, 160);
}

TEST_F(CGumpTest, ClosingATreeClosesDeepestFirstAndLeavesNothingLinked) {
    TestGump* root = Open(0, 0, 100, 100, nullptr, "root");
    TestGump* a = Open(0, 0, 10, 10, root, "a");
    Open(0, 0, 5, 5, a, "a1");
    Open(0, 0, 5, 5, a, "a2");
    TestGump* b = Open(0, 0, 10, 10, root, "b");
    Open(0, 0, 5, 5, b, "b1");
    // A child that closes its next sibling while it closes.
    TestGump* c = Open(0, 0, 10, 10, root, "c");
    c->onClose = [b] { delete b; };
    delete root;
    // Children close front to back (c, b, a), each after its own children.
    EXPECT_EQ(ClosedGumps(), (std::vector<std::string>{"root", "c", "b", "b1", "a", "a2", "a1"}));
    EXPECT_EQ(g_gumpList, nullptr);
    EXPECT_EQ(CGumpManager::tail, nullptr);
}

TEST_F(CGumpTest, ClosingForgetsTheGumpEverywhereItIsKept) {
    TestGump* g = Open(0, 0, 10, 10);
    TestGump* waiting = Open(0, 0, 10, 10);
    waiting->ownerGump = g;
    auto* bag = new CContainerObj(0x40000001, 0x0E75, 0, TRUE);
    g->owner = bag;
    bag->gump = g;
    bag->containerGump = g;
    g_focusGump = g;
    CGump** slots[] = {&CGumpManager::mouseonGump,     &CGumpManager::modalGump,
                       &CGumpManager::helpTextGump,    &CGumpManager::pWaitingGump,
                       &CGumpManager::configGump,      &CGumpManager::radarGump,
                       &CGumpManager::skillGump,       &CGumpManager::fightingGump,
                       &CGumpManager::arrowGump,       &CGumpManager::pChatGump,
                       &CGumpManager::pGMChatGump,     &CGumpManager::pHTMLGump,
                       &CGumpManager::pMailGump,       &CGumpManager::wornContainerGump,
                       &CGumpManager::toolTipCandidate};
    for (CGump** slot : slots) *slot = g;
    MouseManager::SetCapture(g);
    ASSERT_EQ(MouseManager::GetCapture(), g);
    CDragGump::highlightedPaperdoll = g;
    int slotX = 0, slotY = 0;
    ASSERT_TRUE(AllocMinimizedPosition(&slotX, &slotY));
    g->iconSlotX = slotX;
    g->iconSlotY = slotY;
    delete g;
    for (CGump** slot : slots) EXPECT_EQ(*slot, nullptr);
    EXPECT_EQ(MouseManager::GetCapture(), nullptr);
    EXPECT_EQ(CDragGump::highlightedPaperdoll, nullptr);
    EXPECT_EQ(g_focusGump, nullptr);
    EXPECT_EQ(waiting->ownerGump, nullptr);
    EXPECT_EQ(bag->gump, nullptr);
    EXPECT_EQ(bag->containerGump, nullptr);
    // Its icon place is free again.
    int x = 0, y = 0;
    ASSERT_TRUE(AllocMinimizedPosition(&x, &y));
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(slotX, slotY));
}

TEST(GumpRectTest, IntersectionAndRowCopies) {
    const RECT a{10, 10, 50, 50};
    EXPECT_TRUE(RectsIntersect(a, RECT{49, 49, 60, 60}));
    EXPECT_FALSE(RectsIntersect(a, RECT{50, 10, 60, 50}));
    RECT out;
    IntersectRect(a, RECT{0, 20, 30, 100}, &out);
    EXPECT_EQ(out.left, 10);
    EXPECT_EQ(out.top, 20);
    EXPECT_EQ(out.right, 30);
    EXPECT_EQ(out.bottom, 50);

    // Seven rows (not a multiple of four), pixel 0 left alone.
    std::vector<M_WORD> source(7 * 4), destination(7 * 6, 0x5555);
    for (size_t i = 0; i < source.size(); ++i) source[i] = i % 3 ? static_cast<M_WORD>(i) : 0;
    CopyPixelRows(7, 3, destination.data(), source.data(), 6, 4);
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 6; ++col) {
            const M_WORD s = col < 3 ? source[row * 4 + col] : 0;
            EXPECT_EQ(destination[row * 6 + col], s ? s : 0x5555) << row << "," << col;
        }
}

}  // namespace

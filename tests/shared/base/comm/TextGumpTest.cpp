// The journal window: following the journal, paging, arrows and making it
// taller.
#include <functional>
#include <string>

#include "ByteWriter.h"
#include "Clock.h"
#include "CommTestSupport.h"
#include "comm/GumpMessages.h"
#include "comm/Journal.h"
#include "comm/TextGump.h"
#include "comm/TipsGump.h"
#include "config/Config.h"
#include "support/GoldenImage.h"
#include "gumps/GumpManager.h"
#include "gumps/TextManager.h"
#include "net/Packet.h"
#include "net/PacketManager.h"

namespace {

using tw::datafiles::Image;

M_DWORD g_now = 1000;
M_DWORD Now() {
    return g_now;
}

class TextGumpTest : public tw::test::CommTest {
protected:
    std::vector<std::pair<int, Image>> Art() override {
        std::vector<std::pair<int, Image>> art = {
            {2080, Image(270, 40, 0x4A52)}, {2081, Image(270, 30, 0x4A52)},
            {2082, Image(270, 30, 0x4631)}, {2083, Image(270, 40, 0x4A52)},
            {2084, Image(12, 12, 0x7FFF)},  {2085, Image(12, 12, 0x7FFF)},
            {2090, Image(40, 12, 0x1234)},  {2091, Image(200, 4, 0x2345)},
            {2092, Image(12, 12, 0x7C00)},  {2093, Image(20, 12, 0x03E0)},
            {2094, Image(20, 10, 0x001F)},  {2095, Image(20, 10, 0x7FE0)},
            {2096, Image(30, 30, 0x7FFF)},  {31, Image(10, 14, 0x7FFF)},
            {2507, Image(24, 24, 0x03FF)},  {2515, Image(28, 20, 0x7C1F)}};
        return art;
    }
    void AddLines(int from, int to) {
        for (int i = from; i <= to; ++i)
            TextManager::AddJournalText(("entry " + std::to_string(i)).c_str(), 0);
    }
    CTextGump* OpenJournal() {
        auto* window = new CTextGump(100, 50);
        window->PutInGump(nullptr);
        return window;
    }
};

TEST_F(TextGumpTest, TheWindowFollowsTheNewestLinesUntilTheUserScrolls) {
    CTextGump* window = OpenJournal();
    EXPECT_EQ(window->firstLine, nullptr) << "an empty journal shows nothing";
    EXPECT_EQ(window->width, 272) << "the strip's width rounded up to 8";
    AddLines(1, 3);
    EXPECT_EQ(window->firstLine, Journal::head) << "everything fits: the oldest comes first";
    AddLines(4, 60);
    ASSERT_NE(window->firstLine, nullptr);
    int below = -window->offset;
    for (JournalLine* l = window->firstLine; l; l = l->next) below += window->LineHeight(l);
    EXPECT_EQ(below, window->textArea.bottom - window->textArea.top - 4)
        << "the newest line's last row touches the bottom";

    // Scrolled to the top, the window stays there while lines come, and
    // moves on when the line it starts with leaves the journal.
    window->HandleScroll(0, 100, window->thumb);
    EXPECT_EQ(window->firstLine, Journal::head);
    EXPECT_FALSE(window->Following());
    AddLines(61, 100);
    EXPECT_EQ(window->firstLine, Journal::head);
    EXPECT_EQ(window->firstLine->text, "entry 1");
    AddLines(101, 101);
    EXPECT_EQ(window->firstLine, Journal::head);
    EXPECT_EQ(window->firstLine->text, "entry 2");
}

TEST_F(TextGumpTest, HoldingTheScrollBarPagesTenEntriesEverySecondTick) {
    AddLines(1, 100);
    CTextGump* window = OpenJournal();
    window->HandleScroll(0, 100, window->thumb);
    window->UpdateThumb();
    ASSERT_EQ(window->firstLine->text, "entry 1");
    // A press below the thumb pages towards the newest and brings the thumb
    // to the pointer; held, it pages again every second tick.
    const int barX = window->width - 40;
    const int barY = window->thumb->y + 70;
    ASSERT_LT(barY, window->textArea.bottom);
    window->HandleLButtonDown(barX, barY);
    EXPECT_EQ(window->thumb->y, barY - 8);
    EXPECT_GT(window->firstLine->text, std::string("entry 20"));
    std::string shown = window->firstLine->text;
    window->Tick();
    EXPECT_EQ(window->firstLine->text, shown);
    window->Tick();
    EXPECT_NE(window->firstLine->text, shown);
    window->HandleLButtonUp(barX, barY);
    shown = window->firstLine->text;
    window->Tick();
    window->Tick();
    EXPECT_EQ(window->firstLine->text, shown) << "released: no more paging";

    window->HandleScroll(0, 100, window->thumb);
    for (int i = 0; i < 3; ++i) window->TextScrollDown();
    window->HandleLButtonDown(barX, window->textArea.top + 2);
    EXPECT_EQ(window->firstLine, Journal::head) << "paging up stops at the oldest";
    EXPECT_EQ(window->offset, 0);
    window->HandleLButtonUp(barX, window->textArea.top + 2);

    window->firstLine = Journal::head;
    for (int i = 1; i < 21; ++i) window->firstLine = window->firstLine->next;
    window->offset = 0;
    // The arrows move 6 pixels at a time, across line boundaries.
    window->TextScrollUp();
    EXPECT_EQ(window->firstLine->text, "entry 20");
    EXPECT_EQ(window->offset, window->LineHeight(window->firstLine) - 6);
    window->TextScrollDown();
    EXPECT_EQ(window->firstLine->text, "entry 21");
    EXPECT_EQ(window->offset, 0);
}

TEST_F(TextGumpTest, MakingTheWindowTallerKeepsItsWidthAndStopsAt220) {
    AddLines(1, 30);
    CTextGump* window = OpenJournal();
    window->OpenResize();
    ASSERT_NE(g_gumpList, window);
    auto* resize = static_cast<CResizeGump*>(g_gumpList);
    EXPECT_EQ(resize->minWidth, window->width);
    EXPECT_EQ(resize->maxWidth, window->width);
    EXPECT_EQ(resize->maxHeight, 480 - 50 - 20);
    resize->HandleMouseDrag(50, 100);
    EXPECT_EQ(resize->currentWidth, window->width);
    EXPECT_EQ(resize->currentHeight, 220);
    resize->HandleMouseDrag(400, 2000);
    EXPECT_EQ(resize->currentHeight, 410);
    resize->HandleMouseDrag(400, 333);
    resize->HandleLButtonUp(400, 333);
    EXPECT_EQ(g_gumpList, window) << "the rectangle closes on release";
    EXPECT_EQ(window->height, 333);
    EXPECT_EQ(window->width, 272);
    EXPECT_EQ(window->textArea.bottom, 333 - 78);
    EXPECT_EQ(window->FrameHeight(0), 333);

    // Near the foot of the screen the maximum would fall below the minimum.
    window->y = 400;
    window->OpenResize();
    resize = static_cast<CResizeGump*>(g_gumpList);
    EXPECT_EQ(resize->maxHeight, 220);
    resize->HandleMouseDrag(0, 0);
    EXPECT_EQ(resize->currentHeight, 220);
    resize->HandleLButtonUp(0, 0);
}

std::vector<M_BYTE> TipMessage(int kind, M_DWORD number, const std::string& text) {
    std::vector<M_BYTE> m;
    ByteWriter w(m);
    w.u8(0xA6).u16be(static_cast<M_WORD>(10 + text.size())).u8(static_cast<M_BYTE>(kind));
    w.u32be(number).u16be(static_cast<M_WORD>(text.size())).raw(text);
    return m;
}

CTipsGump* OpenTips() {
    for (CGump* g = g_gumpList; g; g = g->next)
        if (std::string(g->name) == "tips gump") return static_cast<CTipsGump*>(g);
    return nullptr;
}

TEST_F(TextGumpTest, TipsAndNoticesOpenByTheirNumberAndKeepTheirLinesBounded) {
    InstallGumpMessageHandlers();
    auto send = [](const std::vector<M_BYTE>& m) {
        PacketManager::Dispatch(PacketIn(m.data(), m.size()));
    };
    CurrentVer = 7;
    send(TipMessage(1, 7, "Old news"));
    EXPECT_EQ(OpenTips(), nullptr) << "a notice not newer than the last is not shown";
    EXPECT_EQ(CurrentVer, 7);
    send(TipMessage(1, 8, "New news\rSecond paragraph"));
    CTipsGump* notice = OpenTips();
    ASSERT_NE(notice, nullptr);
    EXPECT_FALSE(notice->tipMode);
    EXPECT_EQ(notice->dontShow, nullptr) << "a notice has no toggle";
    EXPECT_EQ(notice->lines, (std::vector<std::string>{"New news", "Second paragraph"}));
    EXPECT_EQ(CurrentVer, 8);
    const BOOL showTips = ShowTips;
    notice->HandleRButtonUp(0, 0);
    EXPECT_EQ(ShowTips, showTips) << "closing a notice saves nothing";

    // Hostile texts: a line with no place to break, many paragraphs.
    LastTip = 50;
    send(TipMessage(0, 3, std::string(500, 'W') + std::string(300, '\r')));
    CTipsGump* tip = OpenTips();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(tip->tipMode);
    EXPECT_EQ(LastTip, 3) << "a tip is shown whatever its number";
    EXPECT_LE(tip->lines.size(), size_t(CTipsGump::MAX_LINES));
    for (const std::string& line : tip->lines)
        EXPECT_LT(line.size(), size_t(CTipsGump::LINE_BYTES));
    // Checking "Don't show again" stores ShowTips off when the window closes.
    ASSERT_NE(tip->dontShow, nullptr);
    tip->dontShow->SetState(CButtonGump::PRESSED);
    tip->HandleRButtonUp(0, 0);
    EXPECT_FALSE(ShowTips);

    const std::vector<M_BYTE> cut = {0xA6, 0x00, 0x0C, 0, 0, 0, 0, 1, 0, 50, 'a', 'b'};
    send(cut);
    EXPECT_EQ(OpenTips(), nullptr) << "a text longer than its message is dropped";
}

}  // namespace

namespace {

TEST_F(TextGumpTest, BothWindowsMoveWhenDraggedAndComeBackFromTheirIconOnADoubleClick) {
    SetTimeSourceForTests(Now);
    const std::vector<std::string> lines(60, "a line of the tip");
    const struct {
        const char* what;
        std::function<CParchmentGump*()> open;
        int iconWidth;
    } windows[] = {
        {"journal", [this] { return OpenJournal(); }, 30},
        {"tip", [&] { return new CTipsGump(0, 0, lines, TRUE); }, 24},
        {"notice", [&] { return new CTipsGump(0, 0, lines, FALSE); }, 28},
    };
    for (const auto& w : windows) {
        SCOPED_TRACE(w.what);
        CParchmentGump* window = w.open();
        if (window != g_gumpList) window->PutInGump(nullptr);
        const int x0 = window->x, y0 = window->y;
        // Under 5 pixels the press is still a click; from 5 on the window
        // follows the pointer.
        window->HandleLButtonDown(20, 150);
        window->HandleMouseDrag(24, 153);
        EXPECT_EQ(window->x, x0);
        window->HandleMouseDrag(30, 150);
        EXPECT_EQ(window->x, x0 + 10);
        EXPECT_EQ(window->y, y0);
        window->HandleLButtonUp(20, 150);
        window->HandleMouseDrag(40, 170);
        EXPECT_EQ(window->x, x0 + 10) << "released: it stays";
        // Held past the double-click time, it moves however little.
        g_now += 1000;
        window->HandleLButtonDown(20, 150);
        g_now += 251;
        window->Tick();
        window->HandleMouseDrag(21, 152);
        EXPECT_EQ(window->x, x0 + 11);
        EXPECT_EQ(window->y, y0 + 2);
        window->HandleLButtonUp(21, 152);

        window->Minimize();
        ASSERT_TRUE(window->minimized);
        EXPECT_EQ(window->DrawWidth(), w.iconWidth) << "its icon is shown";
        g_now += 1000;
        window->HandleLButtonDown(5, 5);
        window->HandleLButtonUp(5, 5);
        g_now += 300;
        window->Tick();
        window->HandleLButtonDown(5, 5);
        window->HandleLButtonUp(5, 5);
        EXPECT_TRUE(window->minimized) << "two clicks too far apart";
        g_now += 100;
        window->HandleLButtonDown(5, 5);
        window->HandleLButtonUp(5, 5);
        EXPECT_FALSE(window->minimized) << "a double click restores it";
        EXPECT_EQ(window->DrawWidth(), window->width);
        window->HandleRButtonUp(0, 0);
    }
    SetTimeSourceForTests(nullptr);
}

TEST_F(TextGumpTest, AHeldPressOnTheTipsScrollBarPagesEverySecondTickAndTheWindowResizes) {
    std::vector<std::string> lines;
    for (int i = 0; i < 60; ++i) lines.push_back("line " + std::to_string(i));
    auto* tip = new CTipsGump(0, 0, lines, TRUE);
    tip->PutInGump(nullptr);
    const int barX = tip->width - 40, barY = tip->height - 90;
    tip->HandleLButtonDown(barX, barY);
    const int first = tip->firstLine;
    EXPECT_GE(first, 10) << "a page down, and on to where the pointer is";
    tip->Tick();
    EXPECT_EQ(tip->firstLine, first);
    tip->Tick();
    EXPECT_GT(tip->firstLine, first);
    tip->HandleLButtonUp(barX, barY);
    const int held = tip->firstLine;
    tip->Tick();
    tip->Tick();
    EXPECT_EQ(tip->firstLine, held);

    // Made shorter (a tip opens at y 180: at most 280 high), its controls at
    // the foot keep their distance to it.
    CGump* next = nullptr;
    for (CGump* c = tip->firstChild; c; c = c->next)
        if (c->x == 251) next = c;
    ASSERT_NE(next, nullptr);
    const int gap = tip->height - next->y;
    const int thumbEnd = tip->thumb->maxY;
    tip->OpenResize();
    auto* resize = static_cast<CResizeGump*>(g_gumpList);
    EXPECT_EQ(resize->maxHeight, 280);
    resize->HandleMouseDrag(0, 260);
    resize->HandleLButtonUp(0, 260);
    EXPECT_EQ(tip->height, 260);
    EXPECT_EQ(tip->height - next->y, gap);
    EXPECT_EQ(tip->thumb->maxY, thumbEnd - 40) << "the thumb's range ends as far from the foot";
    EXPECT_EQ(tip->FrameHeight(0), 260);
    tip->HandleRButtonUp(0, 0);
}

TEST_F(TextGumpTest, TheJournalWindowLooksAsItShould) {
    UseScreen(640, 480);
    AddLines(1, 40);
    TextManager::AddJournalText("A hued line at the foot", 38);
    CTextGump* window = OpenJournal();
    CGumpManager::DrawAllGumps(RECT{0, 0, 640, 480}, 0);
    tw::test::Image16 image;
    image.width = window->width;
    image.height = window->height;
    image.depth = 15;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.pixels.push_back(ScreenPixel(window->x + x, window->y + y));
    EXPECT_TRUE(tw::test::MatchesGolden(image, "shared/base/comm/golden/journal_window.png"));
}

}  // namespace

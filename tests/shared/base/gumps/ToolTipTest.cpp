// Tool-tips: the delay, the placement, the box size, the frame art check
// and the texts through the language sections.
#include <string>
#include <vector>

#include "Clock.h"
#include "GumpTestSupport.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "gumps/ToolTipGump.h"
#include "resources/DHDCache.h"
#include "resources/UnicodeFont.h"
#include "support/WideText.h"
#include "support/datafiles/LanguageFormats.h"

namespace {

using tw::test::TestGump;

M_DWORD s_now = 0;

class ToolTipTest : public tw::test::GumpTest {
protected:
    void SetUp() override {
        GumpTest::SetUp();
        SetTimeSourceForTests([] { return s_now; });
        s_now = 10000;
    }
    void TearDown() override {
        SetTimeSourceForTests(nullptr);
        GumpTest::TearDown();
    }

    // Tool-tip texts 5000 to 5039 ("tip 5000" ...), the frame art and fonts.
    void InstallTips() {
        tw::datafiles::LanguageSectionFile section{.name = "gt_5000"};
        for (int i = 0; i < 40; ++i) {
            const std::string text = "tip " + std::to_string(5000 + i);
            section.texts.emplace_back(text.begin(), text.end());
        }
        ASSERT_TRUE(tw::datafiles::WriteLanguageSection(section));
        tw::test::InstallGumpArt(tw::test::ToolTipArt());
    }

    // One drawing pass at the time given.
    void PassAt(M_DWORD now) {
        s_now = now;
        CGumpManager::DrawAllGumps(RECT{0, 0, 640, 480}, 1);
    }
};

std::u16string U(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

TEST_F(ToolTipTest, TheTipComesAfterTheDelayAndAnotherGumpStartsTheWait) {
    InstallTips();
    ToolTipPreDelay = 500;
    TestGump* a = Open(50, 50, 100, 100, nullptr, "a");
    a->Fill(1);
    a->tooltipId = 5001;
    TestGump* b = Open(300, 50, 100, 100, nullptr, "b");
    b->Fill(1);
    b->tooltipId = 5002;
    MouseManager::SetPos(100, 100);
    PassAt(10000);
    PassAt(10500);
    EXPECT_EQ(doubles.toolTipsClosed, 0) << "not before the delay is over";
    PassAt(10501);
    ASSERT_EQ(doubles.toolTipsClosed, 1) << "made and closed within the pass";
    EXPECT_EQ(doubles.toolTips[0].left, 100);
    EXPECT_EQ(doubles.toolTips[0].top, 100);
    EXPECT_EQ(g_gumpList, b) << "no tip outlives the pass";

    MouseManager::SetPos(350, 100);
    PassAt(20000);
    PassAt(20400);
    EXPECT_EQ(doubles.toolTipsClosed, 1) << "the wait starts again over another gump";
    PassAt(20501);
    EXPECT_EQ(doubles.toolTipsClosed, 2);
    EXPECT_EQ(doubles.toolTips[1].right, 350) << "on the right half the tip ends at the mouse";

    // Tips off, no id, no text, or the tutorial: nothing.
    UseToolTips = FALSE;
    PassAt(30000);
    UseToolTips = TRUE;
    b->tooltipId = -1;
    PassAt(40000);
    b->tooltipId = 5999;
    PassAt(50000);
    b->tooltipId = 5003;
    b->name = "tutorial gump";
    PassAt(60000);
    PassAt(70000);
    EXPECT_EQ(doubles.toolTipsClosed, 2);
}

TEST_F(ToolTipTest, PlacementBesideTheCursorByTheScreenHalves) {
    struct {
        int mouseX, mouseY, cursorWidth;
        int x, y;
    } const cases[] = {
        {320, 100, 20, 340, 100},   // the left half: right of the cursor
        {321, 100, 20, 261, 100},   // the right half: ends at the mouse
        {100, 100, 250, 350, 100},  // a cursor up to 250 wide is stepped over
        {100, 100, 251, 100, 100},  // a wider one is not
        {100, 240, 0, 100, 240},    // the upper half: from the mouse down
        {100, 241, 0, 100, 211},    // the lower half: ends at the mouse
    };
    TestGump tip(0, 0, 60, 30);
    for (const auto& c : cases) {
        CGumpManager::PlaceToolTip(&tip, c.mouseX, c.mouseY, c.cursorWidth);
        EXPECT_EQ(tip.x, c.x) << c.mouseX << "," << c.mouseY << " cursor " << c.cursorWidth;
        EXPECT_EQ(tip.y, c.y) << c.mouseX << "," << c.mouseY << " cursor " << c.cursorWidth;
    }
}

TEST_F(ToolTipTest, ATipThatWouldStartOffTheScreenIsNotShown) {
    InstallTips();
    ToolTipPreDelay = 100;
    TestGump* g = Open(0, 300, 200, 600);  // reaches far below the screen
    g->Fill(1);
    g->tooltipId = 5004;
    MouseManager::SetPos(100, 560);  // the tip would end at y 560
    PassAt(1000);
    PassAt(2000);
    EXPECT_EQ(doubles.toolTipsClosed, 0);
    MouseManager::SetPos(100, 470);  // still over the same gump: no new wait
    PassAt(3000);
    ASSERT_EQ(doubles.toolTipsClosed, 1);
    EXPECT_EQ(doubles.toolTips[0].bottom, 470);
}

TEST_F(ToolTipTest, TheBoxIsTwiceAsWideAsTallGrowingBySixteenFromTheWidestWord) {
    tw::test::InstallGumpArt(tw::test::ToolTipArt());
    UnicodeSetCurrentFont(ToolTipGump::GetFont());
    struct {
        const char* text;
        bool severalLines;
    } const cases[] = {
        {"Hi", false},
        {"Backpack", false},
        {"a b c d e f g h i j k l m n o p q r s t u v w x y z a b c d e f g h i j k l m n o p "
         "q r s t u v w x y z Longestwordhere",
         true},
    };
    for (const auto& c : cases) {
        tw::test::Wide text(c.text);
        int widest = 0;
        for (const M_WORD* p = text.data(); *p; ++p)
            widest = std::max(widest, UnicodeGetWordWidth(p));
        int width = 0, height = 0;
        ToolTipGump::MeasureText(text.data(), &width, &height);
        EXPECT_EQ((width - widest) % 16, 0) << c.text;
        EXPECT_GE(width / height, 2) << c.text;
        if (width > widest) {
            int w = 0, h = 0, base = 0;
            UnicodeCalcInfo(text.data(), width - 16, &w, &h, &base);
            EXPECT_LT((width - 16) / h, 2) << c.text << ": the width before would have done";
        }
        EXPECT_EQ(height > UNICODE_LINE_HEIGHT, c.severalLines) << c.text;

        auto* tip = new ToolTipGump(0, 0, text.data());
        EXPECT_EQ(tip->width, width + 2 + 8) << c.text;
        EXPECT_EQ(tip->height, height + 2 + 8) << c.text;
        EXPECT_EQ(tip->textWidth, tip->width - 8);
        EXPECT_EQ(g_gumpList, tip) << "it links itself at the top";
        // The corners lie over the ends of the edges: each corner's outer
        // pixel is the frame's dark line.
        const M_WORD* pixels = tip->FramePixels(0);
        const M_WORD dark = tw::test::ToolTipArt()[0].second.at(0, 0);
        for (const auto& [x, y] : {std::pair<int, int>{0, 0},
                                   {tip->width - 1, 0},
                                   {0, tip->height - 1},
                                   {tip->width - 1, tip->height - 1}})
            EXPECT_EQ(pixels[y * tip->pitch + x], dark) << c.text << " corner " << x << "," << y;
        delete tip;
    }
    // An empty text is one empty line: the measuring still ends.
    const M_WORD empty[1] = {0};
    int width = -1, height = -1;
    ToolTipGump::MeasureText(empty, &width, &height);
    EXPECT_GE(width / std::max(height, 1), 2);
}

TEST_F(ToolTipTest, FrameArtOfAWrongSizeIsRefusedWithALogLineAndNoTip) {
    for (int piece = 0; piece < ToolTipGump::FRAME_PIECES; ++piece) {
        CDHDCache::reset();
        tw::test::InstallGumpArt(tw::test::ToolTipArt(piece, 1));
        EXPECT_FALSE(ToolTipGump::HasFrameArt()) << "piece " << 3000 + piece;
    }
    CDHDCache::reset();
    tw::test::InstallGumpArt(tw::test::ToolTipArt());
    EXPECT_TRUE(ToolTipGump::HasFrameArt());

    CDHDCache::reset();
    tw::test::InstallGumpArt(tw::test::ToolTipArt(4, -1));
    tw::datafiles::LanguageSectionFile section{.name = "gt_5000", .texts = {U("tip")}};
    ASSERT_TRUE(tw::datafiles::WriteLanguageSection(section));
    ToolTipPreDelay = 100;
    TestGump* g = Open(0, 0, 100, 100);
    g->Fill(1);
    g->tooltipId = 5000;
    MouseManager::SetPos(10, 10);
    PassAt(1000);
    PassAt(2000);
    EXPECT_EQ(doubles.toolTipsClosed, 0);
    EXPECT_NE(ReportLog().find("Gump Tooltip art is wrong size!"), std::string::npos);
}

TEST_F(ToolTipTest, TextsComeFromTheFirstSectionThatHoldsTheId) {
    auto write = [](const char* name, int count) {
        tw::datafiles::LanguageSectionFile section{.name = name};
        for (int i = 0; i < count; ++i)
            section.texts.push_back(U(std::string(name) + "#" + std::to_string(i)));
        ASSERT_TRUE(tw::datafiles::WriteLanguageSection(section));
    };
    write("gt_5000", 40);
    write("gt_4000", 1460);
    write("gt_0000", 3);
    write("tooltips", 2);
    struct {
        int id;
        const char* text;  // null: none
    } const cases[] = {
        {5001, "gt_5000#1"},    {5450, "gt_4000#1450"},  // past gt_5000's 40: the next section down
        {4010, "gt_4000#10"},   {2, "gt_0000#2"},
        {1500, nullptr},  // gt_1010 is missing and gt_0000 too short
        {100001, "tooltips#1"}, {100002, nullptr},
        {-1, nullptr},
    };
    for (const auto& c : cases) {
        const M_WORD* text = CGumpManager::GetTooltipText(c.id);
        if (!c.text) {
            EXPECT_EQ(text, nullptr) << c.id;
            continue;
        }
        ASSERT_NE(text, nullptr) << c.id;
        EXPECT_EQ(tw::test::Narrow(text), c.text) << c.id;
    }
}

}  // namespace

// The server-described gump: its layout language, the element tree, the
// mouse and keys, the reply 0xB1, the pictures of two layouts, and its
// server message 0xB0 (hostile ones too).
#include <sstream>
#include <string>
#include <vector>

#include "ByteWriter.h"
#include "CommTestSupport.h"
#include "comm/GumpMessages.h"
#include "config/Config.h"
#include "gumps/GenericGump.h"
#include "gumps/GumpManager.h"
#include "net/Packet.h"
#include "net/PacketManager.h"
#include "net/ServerPrompt.h"
#include "support/GoldenImage.h"
#include "support/WideText.h"
#include "world/Obj.h"

namespace {

using tw::datafiles::Image;
using tw::datafiles::Rgb555;
using tw::test::Wide;

// Art with a border and a cross, so that pictures show where each piece
// lies.
Image Marked(int w, int h, M_WORD fill, M_WORD mark) {
    Image img(w, h, fill);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1 || x == y) img.set(x, y, mark);
    return img;
}

std::string Describe(const CGenericGumpElement* list) {
    std::ostringstream out;
    for (const CGenericGumpElement* e = list; e; e = e->next) {
        out << "(" << e->kind << " p" << e->page << " g" << e->group << " " << e->x << "," << e->y
            << " " << e->width << "x" << e->height;
        if (e->art || e->secondArt) out << " art" << e->art << "/" << e->secondArt;
        if (e->buttonFlags) out << " f" << e->buttonFlags;
        if (e->id) out << " id" << e->id;
        if (e->value) out << " v" << e->value;
        if (e->state) out << " s" << e->state;
        if (e->kind == CGenericGumpElement::TEXT || e->kind == CGenericGumpElement::TEXT_ENTRY) {
            out << " '";
            for (M_WORD u : e->text)
                if (u) out << static_cast<char>(u);
            out << "'";
        }
        if (e->firstChild) out << " [" << Describe(e->firstChild) << "]";
        out << ")";
    }
    return out.str();
}

class GenericGumpTest : public tw::test::CommTest {
protected:
    std::vector<std::pair<int, Image>> Art() override {
        std::vector<std::pair<int, Image>> art = {
            {1, Marked(20, 10, Rgb555(200, 60, 60), Rgb555(250, 250, 250))},
            {2, Marked(20, 10, Rgb555(60, 200, 60), Rgb555(250, 250, 250))},
            {3, Marked(12, 12, Rgb555(60, 60, 200), Rgb555(250, 250, 0))},
            {4, Marked(12, 12, Rgb555(200, 200, 60), Rgb555(0, 0, 0))},
        };
        // A nine-piece frame at 300..308: corners 8 x 8, edges and centre.
        const M_WORD frame[9] = {Rgb555(120, 80, 40),  Rgb555(150, 100, 50),  Rgb555(120, 80, 40),
                                 Rgb555(150, 100, 50), Rgb555(230, 210, 160), Rgb555(150, 100, 50),
                                 Rgb555(120, 80, 40),  Rgb555(150, 100, 50),  Rgb555(120, 80, 40)};
        for (int i = 0; i < 9; ++i) art.push_back({300 + i, Image(8, 8, frame[i])});
        return art;
    }
    CGenericGump* Make(const std::string& layout, std::vector<std::string> texts = {"Hi"},
                       M_DWORD serial = 0x11223344) {
        std::vector<Wide> wide(texts.begin(), texts.end());
        std::vector<const M_WORD*> lines;
        for (Wide& w : wide) lines.push_back(w.data());
        return new CGenericGump(40, 30, layout.c_str(), lines.data(), int(lines.size()), serial,
                                0x55);
    }
    // Presses and releases the left button at (x, y) of the gump.
    static void Click(CGenericGump* g, int x, int y) {
        g->HandleLButtonDown(x, y);
        g->HandleLButtonUp(x, y);
    }
    static tw::test::Image16 Picture(CGump* g) {
        tw::test::Image16 image;
        image.width = g->width;
        image.height = g->height;
        image.depth = 15;
        const M_WORD* pixels = g->FramePixels(0);
        for (int y = 0; y < g->height; ++y)
            for (int x = 0; x < g->width; ++x) image.pixels.push_back(pixels[y * g->pitch + x]);
        return image;
    }
};

TEST_F(GenericGumpTest, EachCommandBuildsItsNode) {
    struct {
        const char* layout;
        const char* tree;
    } const cases[] = {
        {"{page 2}{gumppic 10 20 1}", "(1 p2 g0 10,20 20x10 art1/0)"},
        {"{  PaGe 3  }{gumppic 0 0 1}", "(1 p3 g0 0,0 20x10 art1/0)"},
        {"{pages 3}{gumppic 0 0 1}", "(1 p0 g0 0,0 20x10 art1/0)"},
        {"{page -1}{gumppic 1 2}", "(1 p-1 g0 1,2 0x0)"},
        {"{tilepic 5 6 99}", "(2 p0 g0 5,6 0x0 art99/0)"},
        {"{resizepic 1 2 300 50 40}", "(3 p0 g0 1,2 50x40 art300/0)"},
        {"{text 3 4 5 0}", "(4 p0 g0 3,4 14x20 art5/0 'Hi')"},
        {"{text 3 4 5 7}{text 3 4 5 -1}",
         "(4 p0 g0 3,4 2x20 art5/0 '')(4 p0 g0 3,4 2x20 art5/0 '')"},
        {"{textentry 1 2 30 10 5 9 0}", "(8 p0 g0 1,2 32x12 art5/0 id9 'Hi')"},
        {"{button 1 2 1 2 1 0 5}", "(5 p0 g0 1,2 20x10 art1/2 f1 id5)"},
        {"{button 1 2 1 2 0 2 6}", "(5 p0 g0 1,2 20x10 art1/2 f2 id6 v2)"},
        {"{checkbox 1 2 3 4 1 7}{radio 1 2 3 4 0 8}",
         "(6 p0 g0 1,2 12x12 art3/4 id7 v1 s1)(7 p0 g0 1,2 12x12 art3/4 id8)"},
        {"{group 1}{gumppic 0 0 1}{group 2}{gumppic 1 1 1}",
         "(0 p0 g1 0,0 0x0 [(1 p0 g1 0,0 20x10 art1/0)(0 p0 g2 0,0 0x0 [(1 p0 g2 1,1 20x10 "
         "art1/0)])])"},
        {"{group 5}{group 5}{gumppic 0 0 1}",
         "(0 p0 g5 0,0 0x0 [(0 p0 g5 0,0 0x0)(1 p0 g5 0,0 20x10 art1/0)])"},
        {"{button -5 99999 1 2 1 0 1}", "(5 p0 g0 0,4096 20x10 art1/2 f1 id1)"},
        {"{resizepic 0 0 300 99999 -3}", "(3 p0 g0 0,0 4096x0 art300/0)"},
        {"no braces at all", ""},
        {"{}{ }{unknown 1 2}stray{gumppic 0 0 1", "(1 p0 g0 0,0 20x10 art1/0)"},
    };
    for (const auto& c : cases) {
        CGenericGump* g = Make(c.layout);
        EXPECT_EQ(Describe(g->firstElement), c.tree) << c.layout;
        delete g;
    }
}

TEST_F(GenericGumpTest, TheFlagsAndAnEmptyLayout) {
    CGenericGump* g = Make("{nodispose}{nomove}{noclose}");
    EXPECT_FALSE(g->IsDisposable());
    EXPECT_FALSE(g->movable);
    EXPECT_FALSE(g->closable);
    EXPECT_EQ(g->width, 1);
    EXPECT_EQ(g->height, 1);
    EXPECT_FALSE(g->HitTest(0, 0));
    g->HandleRButtonUp(0, 0);
    EXPECT_EQ(g_gumpList, g) << "noclose: the right button does nothing";
    EXPECT_TRUE(Written().empty());
}

TEST_F(GenericGumpTest, NestedGroupsAndLongCommandsAreBounded) {
    std::string deep;
    for (int i = 1; i <= 200; ++i) deep += "{group " + std::to_string(i) + "}{gumppic 0 0 1}";
    CGenericGump* g = Make(deep);
    int depth = 0;
    for (CGenericGumpElement* e = g->firstElement; e; e = e->firstChild ? e->firstChild : e->next)
        depth = std::max(depth, e->Depth());
    EXPECT_LT(depth, CGenericGump::MAX_GROUP_DEPTH);
    delete g;

    // A command longer than its buffer is cut, not overrun.
    g = Make("{gumppic 1 2 1" + std::string(5000, ' ') + "7}{gumppic 3 4 1}");
    EXPECT_EQ(Describe(g->firstElement), "(1 p0 g0 1,2 20x10 art1/0)(1 p0 g0 3,4 20x10 art1/0)");
    delete g;
}

TEST_F(GenericGumpTest, ButtonsPagesSwitchesAndEntries) {
    // Page 1: a page button to 2 and a radio pair; page 2: a reply button;
    // everywhere: a check box, a text entry and, in group 3, a radio.
    CGenericGump* g = Make(
        "{page 0}{checkbox 0 0 3 4 1 7}{textentry 0 20 40 10 5 9 0}"
        "{page 1}{button 30 0 1 2 0 2 0}{radio 60 0 3 4 1 11}{radio 80 0 3 4 0 12}"
        "{page 2}{button 30 0 1 2 1 0 5}"
        "{page 0}{group 3}{radio 100 0 3 4 1 13}");
    ASSERT_EQ(g->currentPage, 1);
    // A press and a release outside: the pressed art, then nothing.
    g->HandleLButtonDown(35, 5);
    CGenericGumpElement* pageButton = g->firstElement->next->next;
    EXPECT_EQ(pageButton->state, 1);
    g->HandleLButtonUp(200, 200);
    EXPECT_EQ(pageButton->state, 0);
    EXPECT_EQ(g->currentPage, 1);
    // Radios: an on radio stays on; an off one turns off only its siblings.
    Click(g, 62, 2);
    Click(g, 82, 2);
    CGenericGumpElement* radio11 = pageButton->next;
    EXPECT_EQ(radio11->state, 0);
    EXPECT_EQ(radio11->next->state, 1);
    EXPECT_EQ(g->FindGroup(3)->firstChild->state, 1) << "another list's radio";
    // The check box toggles; the entry takes keys up to 239 characters.
    Click(g, 2, 2);
    Click(g, 5, 25);
    EXPECT_EQ(g_focusGump, g);
    g->HandleKey('!');
    g->HandleKey(8);
    g->HandleKey(8);
    g->HandleKey('o');
    g->HandleKey(0xE025);
    g->HandleKey(13);
    EXPECT_EQ(g_focusGump, nullptr);
    // To page 2, and the reply button answers and closes.
    Click(g, 35, 5);
    ASSERT_EQ(g->currentPage, 2);
    Click(g, 35, 5);
    EXPECT_EQ(g_gumpList, nullptr);
    const std::vector<M_BYTE> expected = {
        0xB1, 0x00, 0x27,                                // length 39
        0x11, 0x22, 0x33, 0x44, 0x00, 0x00, 0x00, 0x55,  // serial, gump id
        0x00, 0x00, 0x00, 0x05,                          // button
        0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x0C,  // 2 switches: 12
        0x00, 0x00, 0x00, 0x0D,                          // and 13 (group 3)
        0x00, 0x00, 0x00, 0x01,                          // 1 entry
        0x00, 0x09, 0x00, 0x02, 0x00, 'H',  0x00, 'o',   // id 9, "Ho"
    };
    const auto written = Written();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0], expected);
}

TEST_F(GenericGumpTest, TheRightButtonRepliesWithButtonZeroAndEntriesStopAt239) {
    CGenericGump* g =
        Make("{textentry 0 0 300 10 5 2 0}{checkbox 0 20 3 4 0 4}", {std::string(300, 'x')});
    EXPECT_EQ(g->firstElement->text.size(), 240u) << "a preset text is cut to 239";
    Click(g, 5, 5);
    g->HandleKey('y');
    EXPECT_EQ(g->firstElement->text.size(), 240u);
    for (int i = 0; i < 250; ++i) g->HandleKey(8);
    EXPECT_EQ(g->firstElement->text.size(), 1u) << "Backspace on an empty entry does nothing";
    g->HandleKey('a');
    g->HandleRButtonUp(0, 0);
    EXPECT_EQ(g_gumpList, nullptr);
    const std::vector<M_BYTE> expected = {
        0xB1, 0x00, 0x1D, 0x11, 0x22, 0x33, 0x44, 0x00, 0x00, 0x00, 0x55, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x02, 0x00, 0x01, 0x00, 'a'};
    ASSERT_EQ(Written().size(), 1u);
    EXPECT_EQ(Written()[0], expected);

    // Serial 0 never replies.
    Forget();
    g = Make("{gumppic 0 0 1}", {}, 0);
    g->HandleRButtonUp(0, 0);
    EXPECT_TRUE(Written().empty());
}

TEST_F(GenericGumpTest, TwoLayoutsDrawAsTheirPictures) {
    CGenericGump* g = Make(
        "{resizepic 0 0 300 180 90}{gumppic 10 10 1}{button 40 10 1 2 1 0 3}"
        "{checkbox 70 10 3 4 1 1}{radio 90 10 3 4 0 2}{text 10 30 20 0}"
        "{textentry 10 50 120 12 30 4 1}{page 2}{gumppic 100 60 2}",
        {"Choose wisely", "name"});
    EXPECT_TRUE(tw::test::MatchesGolden(Picture(g), "shared/base/comm/golden/layout_controls.png"));
    EXPECT_EQ(g->width, 180);
    EXPECT_EQ(g->height, 90);
    delete g;

    // Groups with their own pages, and a page-1 picture past the frame's
    // first size.
    g = Make(
        "{page 1}{gumppic 150 70 2}{page 0}{group 1}{page 1}{gumppic 0 0 1}{page 2}{gumppic 0 20 "
        "2}{page 0}{group 0}{text 30 0 40 0}",
        {"Groups"});
    EXPECT_TRUE(tw::test::MatchesGolden(Picture(g), "shared/base/comm/golden/layout_groups.png"));
    delete g;
}

std::vector<M_BYTE> GumpMessage(const std::string& layout, std::vector<std::string> texts,
                                int layoutLength = -1, int textCount = -1) {
    std::vector<M_BYTE> m;
    ByteWriter w(m);
    w.u8(0xB0).u16be(0).u32be(0x0A0B0C0D).u32be(0x77).u32be(100).u32be(0xFFFFFFF0);
    w.u16be(static_cast<M_WORD>(layoutLength < 0 ? layout.size() : layoutLength)).raw(layout);
    w.u16be(static_cast<M_WORD>(textCount < 0 ? texts.size() : textCount));
    for (const std::string& t : texts) {
        w.u16be(static_cast<M_WORD>(t.size()));
        for (char c : t) w.u16be(static_cast<M_BYTE>(c));
    }
    m[1] = static_cast<M_BYTE>(m.size() >> 8);
    m[2] = static_cast<M_BYTE>(m.size());
    return m;
}

TEST_F(GenericGumpTest, TheServerMessageOpensTheGumpAndHostileOnesAreDropped) {
    InstallGumpMessageHandlers();
    struct {
        const char* what;
        std::vector<M_BYTE> message;
        bool opens;
    } const cases[] = {
        {"a whole message", GumpMessage("{text 0 0 5 1}", {"a", "bc"}), true},
        {"no texts", GumpMessage("{gumppic 0 0 1}", {}), true},
        {"layout longer than the message", GumpMessage("{gumppic 0 0 1}", {}, 400), false},
        {"more texts than sent", GumpMessage("{gumppic 0 0 1}", {"a"}, -1, 3), false},
        {"a text longer than the message",
         [] {
             auto m = GumpMessage("{gumppic 0 0 1}", {"abc"});
             m[m.size() - 7] = 0x40;  // the text's character count
             return m;
         }(),
         false},
        {"cut in the header", {0xB0, 0x00, 0x09, 0, 0, 0, 1, 0, 0}, false},
    };
    for (const auto& c : cases) {
        while (CGump* head = g_gumpList) delete head;
        PacketManager::Dispatch(PacketIn(c.message.data(), c.message.size()));
        ASSERT_EQ(g_gumpList != nullptr, c.opens) << c.what;
        if (!c.opens) continue;
        ASSERT_TRUE(g_gumpList->IsGenericGump()) << c.what;
        auto* g = static_cast<CGenericGump*>(g_gumpList);
        EXPECT_EQ(g->serial, 0x0A0B0C0Du);
        EXPECT_EQ(g->gumpId, 0x77u);
        EXPECT_EQ(g->x, 100);
        EXPECT_EQ(g->y, CGenericGump::MAX_EXTENT) << "a position far off is clamped";
    }
    EXPECT_NE(ReportLog().find("cut short"), std::string::npos);
}

TEST_F(GenericGumpTest, WindowMessagesCutShortAreDroppedWithALogLine) {
    InstallGumpMessageHandlers();
    NewDynamicObj(0x00000042, 0x190, 0);
    struct {
        const char* what;
        std::vector<M_BYTE> message;
    } const cases[] = {
        {"0x88 without its flags",
         [] {
             std::vector<M_BYTE> m = {0x88, 0, 0, 0, 0x42};
             m.resize(65, 'T');
             return m;
         }()},
        {"0x98 without its serial", {0x98, 0x00, 0x05, 0, 0}},
        {"0xB0 without its position", {0xB0, 0x00, 0x0B, 0, 0, 0, 1, 0, 0, 0, 2}},
    };
    for (const auto& c : cases) {
        const std::string before = ReportLog();
        PacketManager::Dispatch(PacketIn(c.message.data(), c.message.size()));
        EXPECT_EQ(g_gumpList, nullptr) << c.what;
        EXPECT_GT(ReportLog().size(), before.size()) << c.what << ": logged";
    }
    // A web address without a terminator is read up to the message's end;
    // there is no browser to start, which a message box says.
    const std::vector<M_BYTE> page = {0xA5, 0x00, 0x07, 'a', 'b', 'c', 'd'};
    PacketManager::Dispatch(PacketIn(page.data(), page.size()));
    ASSERT_NE(g_gumpList, nullptr);
    EXPECT_TRUE(g_gumpList->IsWaitingGump());
}

TEST_F(GenericGumpTest, ThePromptMessageIsAnsweredByTheNextLine) {
    InstallGumpMessageHandlers();
    const M_BYTE prompt[] = {0x9A, 0x00, 0x10, 0, 0, 0, 7, 0, 0, 0, 9, 0, 0, 0, 0, 0};
    PacketManager::Dispatch(PacketIn(prompt, sizeof prompt));
    EXPECT_TRUE(g_serverPrompt.pending);
    EXPECT_EQ(g_serverPrompt.serial, 7u);
    EXPECT_EQ(g_serverPrompt.id, 9u);
    g_serverPrompt = ServerPrompt();
    const M_BYTE shortPrompt[] = {0x9A, 0x00, 0x07, 0, 0, 0, 7};
    PacketManager::Dispatch(PacketIn(shortPrompt, sizeof shortPrompt));
    EXPECT_FALSE(g_serverPrompt.pending);
}

}  // namespace

// Barks over world objects and system lines: placing, stacking, following
// the owner, expiring, and the Unicode bark.
#include <algorithm>
#include <string>
#include <vector>

#include "Clock.h"
#include "CommTestSupport.h"
#include "comm/BarkGump.h"
#include "comm/Journal.h"
#include "comm/UnicodeBarkGump.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "support/WideText.h"
#include "world/Mobile.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"
#include "world/SpeakerRecord.h"

namespace {

using tw::test::Wide;

M_DWORD g_now = 1000;
M_DWORD Now() {
    return g_now;
}

class BarkGumpTest : public tw::test::CommTest {
protected:
    void SetUp() override {
        CommTest::SetUp();
        g_now = 1000;
        SetTimeSourceForTests(Now);
        speaker = NewDynamicObj(0x1234, 0x190, 0);
        speaker->rect = RECT{300, 200, 340, 260};
    }
    void TearDown() override {
        SetTimeSourceForTests(nullptr);
        CommTest::TearDown();
    }
    CBarkGump* Say(const char* text, CObj* owner = nullptr) {
        owner = owner ? owner : speaker;
        return CBarkGump::Create(owner, text, 0x35, 3);
    }
    CDynamicObj* speaker = nullptr;
};

TEST_F(BarkGumpTest, ABarkStandsCentredOverItsOwner) {
    CBarkGump* bark = Say("Hail");
    ASSERT_NE(bark, nullptr);
    EXPECT_EQ(g_gumpList, bark);
    EXPECT_EQ(speaker->textGumps, static_cast<ObjectText*>(bark));
    EXPECT_TRUE(bark->IsInGameArea());
    EXPECT_EQ(bark->x + bark->width / 2, 320);
    EXPECT_EQ(bark->y + bark->height, 204) << "the foot stands 4 pixels below the owner's top";
    EXPECT_STREQ(bark->GetText(), "Hail");
}

TEST_F(BarkGumpTest, ANewBarkPushesTheOlderOnesUpAndTheirFootStaysOnTheWindow) {
    CBarkGump* first = Say("first");
    const int firstY = first->y;
    CBarkGump* second = Say("second");
    EXPECT_EQ(first->y, firstY - second->height);
    EXPECT_EQ(second->y + second->height, 204);
    EXPECT_EQ(speaker->textGumps, static_cast<ObjectText*>(second));
    EXPECT_EQ(second->nextText, static_cast<ObjectText*>(first));

    // Closing the newer one leaves the older one where it stands, at the
    // head of the chain.
    const int pushed = first->y;
    delete second;
    EXPECT_EQ(speaker->textGumps, static_cast<ObjectText*>(first));
    EXPECT_EQ(first->nextText, nullptr);
    EXPECT_EQ(first->y, pushed);
}

TEST_F(BarkGumpTest, AStackTallerThanTheWindowLosesItsOldestBarks) {
    std::vector<CBarkGump*> barks;
    for (int i = 0; i < 80; ++i) barks.push_back(Say(("line " + std::to_string(i)).c_str()));
    int count = 0, sum = 0;
    for (ObjectText* t = speaker->textGumps; t; t = t->nextText) {
        ++count;
        sum += static_cast<CBarkGump*>(t)->height;
    }
    EXPECT_LT(count, 80);
    EXPECT_LE(sum, 479);
    EXPECT_EQ(speaker->textGumps, static_cast<ObjectText*>(barks.back())) << "the newest stays";
    for (ObjectText* t = speaker->textGumps; t; t = t->nextText)
        EXPECT_GE(static_cast<CBarkGump*>(t)->y, 0);
    EXPECT_EQ(Journal::count, 80) << "the journal keeps every line";
}

TEST_F(BarkGumpTest, BarksFollowTheirOwnerAndStayInTheWindow) {
    CBarkGump* bark = Say("Hail");
    const int x0 = bark->x, y0 = bark->y;
    speaker->rect = RECT{330, 190, 370, 250};
    CGumpManager::UpdateBarkPositions();
    EXPECT_EQ(bark->x, x0 + 30);
    EXPECT_EQ(bark->y, y0 - 10);
    // Far to the left: clamped at 0, and back again when the owner returns.
    speaker->rect = RECT{-600, 190, -560, 250};
    CGumpManager::UpdateBarkPositions();
    EXPECT_EQ(bark->x, 0);
    speaker->rect = RECT{300, 200, 340, 260};
    CGumpManager::UpdateBarkPositions();
    EXPECT_EQ(bark->x, x0);
    EXPECT_EQ(bark->y, y0);
}

TEST_F(BarkGumpTest, BarksExpireAfterTheirDuration) {
    // 5 x 7 glyphs: a line is under 15 pixels, and still lasts one line's
    // time; a long text wraps at 200.
    const std::string longText(120, 'w');
    struct {
        BOOL scale;
        int modifier;
        const char* text;
    } const cases[] = {{TRUE, 100, "Hi"},
                       {TRUE, 100, longText.c_str()},
                       {FALSE, 100, "Hi"},
                       {FALSE, 50, longText.c_str()}};
    for (const auto& c : cases) {
        ScaleBarkTimes = c.scale;
        BarkTimeModifier = c.modifier;
        CBarkGump* bark = Say(c.text);
        const M_DWORD expected =
            static_cast<M_DWORD>((c.scale ? std::max(1, bark->height / 15) : 1) * 40 * c.modifier);
        EXPECT_EQ(bark->duration, expected) << bark->height;
        EXPECT_GT(bark->duration, 0u) << "gone before it is drawn";
        g_now += expected;
        CGumpManager::UpdateBarks();
        EXPECT_EQ(g_gumpList, bark) << "not before its time is over";
        g_now += 1;
        CGumpManager::UpdateBarks();
        EXPECT_EQ(g_gumpList, nullptr);
        EXPECT_EQ(speaker->textGumps, nullptr);
    }
}

TEST_F(BarkGumpTest, SystemLinesStackAtTheFootOfTheGameWindow) {
    CBarkGump* a = CBarkGump::Create(nullptr, "one", 0, 3);
    CBarkGump* b = CBarkGump::Create(nullptr, "two", 0, 3);
    EXPECT_EQ(b->x, 0);
    EXPECT_EQ(b->y + b->height, 480 - 45);
    EXPECT_EQ(a->y + a->height, b->y);
    Wide wide("three");
    CUnicodeBarkGump::Create(nullptr, wide.data(), 0x35, 3, nullptr, nullptr);
    auto* u = static_cast<CUnicodeBarkGump*>(g_gumpList);
    EXPECT_EQ(u->y + u->height, 480 - 48);
    EXPECT_EQ(u->GetKind(), 0);
    EXPECT_STREQ(u->language, "enu");
}

TEST_F(BarkGumpTest, AnOwnerInAClosedContainerGetsNoBarkButAJournalLine) {
    auto* bag = new CContainerObj(0x40000077, 0x0E75, 0, TRUE);
    speaker->ToContainer(bag, Coords{20, 20, 0});
    g_speechKind = SPEECH_KIND_OVER_OBJECT_IN_GUMP;
    EXPECT_EQ(Say("a dagger"), nullptr);
    EXPECT_EQ(speaker->textGumps, nullptr);
    EXPECT_EQ(g_gumpList, nullptr);
    EXPECT_EQ(JournalTexts(), std::vector<std::string>{"You see: a dagger"});
    EXPECT_EQ(g_speechKind, SPEECH_KIND_SYSTEM);

    // Open: the label stands where the container gump was last clicked.
    tw::test::TestGump* shown = Open(50, 60, 100, 100);
    shown->grabX = 30;
    shown->grabY = 40;
    bag->containerGump = shown;
    CBarkGump* bark = Say("a dagger");
    ASSERT_NE(bark, nullptr);
    EXPECT_FALSE(bark->IsInGameArea());
    EXPECT_EQ(bark->x + bark->width / 2, 80);
    EXPECT_EQ(bark->y + bark->height, 100);
    bag->containerGump = nullptr;
}

TEST_F(BarkGumpTest, TheRightButtonClosesABarkAndTheWorldsTextRulesStillHold) {
    CBarkGump* first = Say("first");
    CBarkGump* second = Say("second");
    second->HandleRButtonUp(1, 1);
    EXPECT_EQ(speaker->textGumps, static_cast<ObjectText*>(first));
    // The world's surplus rule deletes ordinary texts beyond two.
    Say("b");
    Say("c");
    speaker->AddOverheadText("d", 0, 3, nullptr, 0);
    int count = 0;
    for (ObjectText* t = speaker->textGumps; t; t = t->nextText) ++count;
    EXPECT_EQ(count, 3);
    speaker->ClearOverheadText();
    EXPECT_EQ(speaker->textGumps, nullptr);
    EXPECT_EQ(g_gumpList, nullptr);
}

TEST_F(BarkGumpTest, ABarkBehindANewerOneIsHalfTransparentAndHoverRecolours) {
    use565 = FALSE;
    // Over a mobile, and an item in the same place.
    auto* mobile = new CMobile(0x1236, 400, 0);
    mobile->rect = speaker->rect;
    speaker = mobile;
    CDynamicObj* other = NewDynamicObj(0x40001235, 0x0E75, 0);
    other->rect = speaker->rect;
    CBarkGump* behind = CBarkGump::Create(speaker, "MMMMMMMM", 0x21, 3);
    CBarkGump* front = Say("ii", other);
    ASSERT_TRUE(RectsIntersect(behind->ScreenRect(), front->ScreenRect()));
    EXPECT_TRUE(IsCovered(behind));
    EXPECT_FALSE(IsCovered(front));

    // A pixel of the back bark that the front one leaves clear.
    const M_WORD* pixels = behind->FramePixels(0);
    int px = -1, py = -1;
    for (int y = 0; y < behind->height && px < 0; ++y)
        for (int x = 0; x < behind->width && px < 0; ++x) {
            const int fx = behind->x + x - front->x, fy = behind->y + y - front->y;
            const bool underFront = fx >= 0 && fy >= 0 && fx < front->width && fy < front->height;
            if (pixels[y * behind->pitch + x] && !underFront) px = x, py = y;
        }
    ASSERT_GE(px, 0);
    const M_WORD text = pixels[py * behind->pitch + px];
    const M_WORD world = ScreenPixel(behind->x + px, behind->y + py);
    tw::test::CaptureFrameBuf frame;
    g_frameBuf = &frame;
    CGumpManager::DrawAllGumps(RECT{0, 0, 640, 480}, 1);
    const auto shownAt = [&](int x, int y) {
        return frame.shown[static_cast<size_t>(y) * 640 + x];
    };
    EXPECT_EQ(shownAt(behind->x + px, behind->y + py),
              static_cast<M_WORD>(((text & 0x7BDE) >> 1) + ((world & 0x7BDE) >> 1)));
    delete front;
    CGumpManager::DrawAllGumps(RECT{0, 0, 640, 480}, 1);
    EXPECT_EQ(shownAt(behind->x + px, behind->y + py), text) << "solid again";
    g_frameBuf = nullptr;

    // Hovering over a mobile's bark shows it in hue 53 until the pointer
    // leaves.
    ASSERT_TRUE(speaker->IsMobile());
    const std::vector<M_WORD> before(pixels, pixels + behind->pitch * behind->height);
    behind->HandleMouseMove(1, 1);
    EXPECT_NE(std::vector<M_WORD>(pixels, pixels + before.size()), before);
    behind->HandleMouseMoveAway();
    EXPECT_EQ(std::vector<M_WORD>(pixels, pixels + before.size()), before);
}

}  // namespace

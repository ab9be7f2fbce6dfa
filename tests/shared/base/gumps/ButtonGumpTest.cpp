// Buttons and scroll thumbs: press, toggle and auto-repeat sequences, the
// flash cycle, the sizes of the three forms, the art hit test, drawing by
// state, callbacks that close the owner, and the thumb's track.
#include <string>
#include <vector>

#include "GumpTestSupport.h"
#include "config/Config.h"
#include "gumps/ButtonGump.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "support/datafiles/ArtFormats.h"

namespace {

using tw::datafiles::Image;
using tw::datafiles::Rgb555;
using tw::test::TestGump;

// An owner that records what its controls tell it.
class OwnerGump : public TestGump {
public:
    OwnerGump() : TestGump(100, 100, 200, 200, "owner") {}
    void Fire() { log += "fire "; }
    void CloseSelf() {
        log += "close ";
        delete this;
    }
    void HandleButton(CGump*) override { log += "button "; }
    void HandleScroll(int position, int range, CGump*) override {
        log += "scroll " + std::to_string(position) + "/" + std::to_string(range) + " ";
    }
    void HandleScrollEnd(int position, int range, CGump*) override {
        log += "end " + std::to_string(position) + "/" + std::to_string(range) + " ";
    }
    void HandleRButtonUp(int x, int y) override {
        log += "rup " + std::to_string(x) + "," + std::to_string(y) + " ";
    }
    static std::string log;
};
std::string OwnerGump::log;

const GumpCallback kFire = static_cast<GumpCallback>(&OwnerGump::Fire);
const GumpCallback kCloseSelf = static_cast<GumpCallback>(&OwnerGump::CloseSelf);

constexpr int kUp = 1000, kPressed = 1001, kHover = 1002, kFlash = 1003, kThumb = 1010;
constexpr M_WORD kUpColour = Rgb555(200, 40, 40), kPressedColour = Rgb555(40, 200, 40),
                 kHoverColour = Rgb555(40, 40, 200), kFlashColour = Rgb555(200, 200, 40);

// 20 x 10 with a transparent hole at (5, 5).
Image ButtonArt(M_WORD colour) {
    Image img(20, 10, colour);
    img.set(5, 5, 0);
    return img;
}

class ButtonGumpTest : public tw::test::GumpTest {
protected:
    void SetUp() override {
        GumpTest::SetUp();
        use565 = FALSE;
        OwnerGump::log.clear();
        tw::test::InstallGumpArt({{kUp, ButtonArt(kUpColour)},
                                  {kPressed, ButtonArt(kPressedColour)},
                                  {kHover, ButtonArt(kHoverColour)},
                                  {kFlash, ButtonArt(kFlashColour)},
                                  {kThumb, Image(8, 12, Rgb555(90, 90, 90))}});
        owner = new OwnerGump;
        owner->PutInGump(nullptr);
    }

    CButtonGump* Button(int type, GumpCallback callback = kFire) {
        auto* b = new CButtonGump(10, 20, owner, type, CButtonGump::UP, callback, kUp, kPressed, 0);
        b->PutInGump(owner);
        return b;
    }

    // The pixel the screen shows at (x, y) once every gump is drawn.
    M_WORD Shown(int x, int y) {
        tw::test::CaptureFrameBuf frame;
        g_frameBuf = &frame;
        CGumpManager::mainBitmapReleased = FALSE;
        CGumpManager::DrawAllGumps(RECT{0, 0, 640, 480}, 1);
        g_frameBuf = nullptr;
        return frame.shown[static_cast<size_t>(y) * 640 + x];
    }

    OwnerGump* owner = nullptr;
};

// Runs "d" (left down, taking the capture as the mouse manager does), "u"
// (left up) and "t" (tick) on the button.
std::string Press(CButtonGump* b, const std::string& steps) {
    std::string states;
    for (char step : steps) {
        if (step == 'd') {
            MouseManager::SetCapture(b);
            b->HandleLButtonDown(1, 1);
        } else if (step == 'u') {
            b->HandleLButtonUp(1, 1);
        } else {
            b->Tick();
        }
        states += b->State() == CButtonGump::PRESSED ? 'P' : '-';
    }
    return states;
}

TEST_F(ButtonGumpTest, PressToggleAndRepeatSequences) {
    struct Case {
        const char* name;
        int type;
        BOOL disabled;
        std::string steps;
        std::string states;
        std::string log;
    } cases[] = {
        {"push fires on release", 0, FALSE, "du", "P-", "fire "},
        {"push held and ticked fires once", 0, FALSE, "dtttu", "PPPP-", "fire "},
        {"disabled push does nothing", 0, TRUE, "du", "--", ""},
        {"toggle: callback, then the owner", 1, FALSE, "du", "-P", "fire button "},
        {"toggle back", 1, FALSE, "dudu", "-PP-", "fire button fire button "},
        {"repeat: press, then ticks 6, 7, 8", 2, FALSE, "dttttttttu", "PPPPPPPPP-",
         "fire fire fire fire "},
        {"repeat released early fires once", 2, FALSE, "dtttu", "PPPP-", "fire "},
        {"disabled repeat never fires", 2, TRUE, "dttttttttu", "----------", ""},
        {"another type only tracks", 3, FALSE, "dtu", "---", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OwnerGump::log.clear();
        CButtonGump* b = Button(c.type);
        b->disabled = c.disabled;
        owner->clickField = 7;
        const std::string states = Press(b, c.steps);
        EXPECT_EQ(states.substr(0, c.states.size()), c.states);
        EXPECT_EQ(OwnerGump::log, c.log);
        EXPECT_EQ(MouseManager::GetCapture(), nullptr) << "the release lets go of the mouse";
        EXPECT_FALSE(b->tracking);
        EXPECT_EQ(owner->clickField, 0);
        delete b;
    }
}

TEST_F(ButtonGumpTest, ActivationStoresTheOwnerValueAndACallbackMayCloseTheOwner) {
    CButtonGump* b = Button(CButtonGump::PUSH, nullptr);
    b->setOwnerValue = TRUE;
    b->ownerValue = 42;
    Press(b, "du");
    EXPECT_EQ(owner->buttonValue, 42);

    // Under AddressSanitizer: neither button touches itself once its owner
    // (and it with the owner) is gone.
    for (int type : {CButtonGump::PUSH, CButtonGump::TOGGLE, CButtonGump::AUTO_REPEAT}) {
        SCOPED_TRACE(type);
        OwnerGump::log.clear();
        owner = new OwnerGump;
        owner->PutInGump(nullptr);
        CButtonGump* closer = Button(type, kCloseSelf);
        MouseManager::SetCapture(closer);
        if (type == CButtonGump::AUTO_REPEAT) {
            closer->HandleLButtonDown(1, 1);
        } else {
            closer->HandleLButtonDown(1, 1);
            closer->HandleLButtonUp(1, 1);
        }
        EXPECT_EQ(OwnerGump::log, "close ");
        EXPECT_EQ(MouseManager::GetCapture(), nullptr);
    }
    owner = nullptr;
}

TEST_F(ButtonGumpTest, FlashShowsTwoCallsInTwelve) {
    CButtonGump* b = Button(CButtonGump::PUSH);
    std::string shown;
    for (int i = 0; i < 24; ++i) {
        b->UpdateState();
        shown += b->flashOn ? '*' : '.';
    }
    EXPECT_EQ(shown, "..........**..........**");
}

TEST_F(ButtonGumpTest, SizesOfTheThreeFormsAndTheArtHitTest) {
    CButtonGump area(10, 10, 20, 15, owner, 0, 0, kFire, 0);
    EXPECT_EQ(area.width, 12);
    EXPECT_EQ(area.height, 6);
    EXPECT_TRUE(area.HitTest(0, 0)) << "no art: the whole rectangle";
    CButtonGump pressedOnly(0, 0, owner, 0, 0, kFire, 0, kPressed, 0);
    EXPECT_EQ(pressedOnly.width, 20);
    CButtonGump labelled(0, 0, 60, owner, 0, 0, kFire, kUp, kPressed, "OK", 0);
    EXPECT_EQ(labelled.width, 60);
    EXPECT_EQ(labelled.height, 10);
    EXPECT_TRUE(labelled.HitTest(5, 5)) << "prebuilt frames hit everywhere";
    EXPECT_NE(labelled.FramePixels(1), nullptr);

    CButtonGump* b = Button(CButtonGump::PUSH);
    EXPECT_TRUE(b->HitTest(0, 0));
    EXPECT_FALSE(b->HitTest(5, 5)) << "the hole of the up art";
    EXPECT_FALSE(b->HitTest(20, 0));
    EXPECT_FALSE(b->HitTest(-1, 0));
    b->artHitTest = FALSE;
    EXPECT_TRUE(b->HitTest(5, 5));
    b->visible = FALSE;
    EXPECT_FALSE(b->HitTest(0, 0));
}

TEST_F(ButtonGumpTest, DrawsTheArtOfItsState) {
    CButtonGump* b = Button(CButtonGump::PUSH);
    b->hoverArt = kHover;
    b->flashArt = kFlash;
    const int sx = 100 + 10 + 1, sy = 100 + 20 + 1;
    EXPECT_EQ(Shown(sx, sy), kUpColour);
    b->hovered = TRUE;
    EXPECT_EQ(Shown(sx, sy), kHoverColour);
    b->hovered = FALSE;
    b->flashOn = TRUE;
    EXPECT_EQ(Shown(sx, sy), kFlashColour);
    b->flashOn = FALSE;
    b->SetState(CButtonGump::PRESSED);
    EXPECT_EQ(Shown(sx, sy), kPressedColour);
    b->SetState(CButtonGump::UP);
    b->disabled = TRUE;
    b->hovered = TRUE;
    EXPECT_NE(Shown(sx, sy), kHoverColour) << "no hover art while disabled";
    EXPECT_EQ(Shown(100 + 10 + 5, 100 + 20 + 5), ScreenPixel(115, 125)) << "the hole shows through";
}

TEST_F(ButtonGumpTest, TheThumbStaysOnItsTrackAndReportsItsPlace) {
    auto* thumb = new CThumbGump(5, 10, TRUE, 110, owner, kThumb);
    thumb->PutInGump(owner);
    EXPECT_EQ(thumb->maxY, 110 - 12);
    struct Case {
        int value, range, y;
    } cases[] = {{0, 10, 10}, {5, 10, 10 + 89 * 5 / 10}, {10, 10, 98}, {20, 10, 98}, {3, 0, 10}};
    for (const Case& c : cases) {
        EXPECT_EQ(thumb->SetValue(c.value, c.range), c.y) << c.value << "/" << c.range;
        EXPECT_EQ(thumb->y, c.y);
    }
    thumb->UpdateFromText(0, 0, 0);
    EXPECT_EQ(thumb->y, 10) << "nothing to scroll";
    thumb->UpdateFromText(50, 0, 100);
    EXPECT_EQ(thumb->y, 10 + 50 * 89 / 100);

    thumb->y = 10;
    MouseManager::SetCapture(thumb);
    thumb->HandleLButtonDown(3, 4);
    thumb->HandleMouseDrag(3, 24);       // 20 down
    thumb->HandleMouseDrag(3, 4 + 500);  // far past the end
    thumb->HandleMouseDrag(0, -900);     // far before the start; x never moves
    thumb->HandleLButtonUp(0, 0);
    EXPECT_EQ(OwnerGump::log, "scroll 20/88 scroll 88/88 scroll 0/88 end 0/88 ");
    EXPECT_EQ(thumb->x, 5);
    EXPECT_EQ(MouseManager::GetCapture(), nullptr);
    thumb->HandleMouseDrag(3, 40);
    EXPECT_EQ(thumb->y, 10) << "no drag once released";

    // A track shorter than the thumb pins it at its start.
    CThumbGump tight(0, 0, FALSE, 4, owner, kThumb);
    tight.HandleLButtonDown(0, 0);
    tight.HandleMouseDrag(30, 0);
    EXPECT_EQ(tight.x, 0);
}

}  // namespace

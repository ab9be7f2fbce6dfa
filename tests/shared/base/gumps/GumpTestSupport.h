// The fixture of the gump framework's tests: a screen of its own (back
// buffer, ring start, view offset) at 640x480 or 800x600, recording doubles
// of the services above the framework, gumps of every kind the manager tells
// apart, and an installation of gump art and Unicode fonts.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "FrameBuf.h"
#include "PlatformServices.h"
#include "gumps/Gump.h"
#include "gumps/GumpHooks.h"
#include "gumps/WaitingGump.h"
#include "gumps/WorldGumps.h"
#include "support/TwTest.h"
#include "support/datafiles/ArtFormats.h"

namespace tw::test {

// Whatever closes, in the order it closed (gump names).
std::vector<std::string>& ClosedGumps();

// A gump whose kind, hooks and frame a test chooses.
class TestGump : public CGump {
public:
    TestGump(int x, int y, int w, int h, const char* gumpName = "test gump");
    ~TestGump() override;

    // A frame of one colour (0 leaves it transparent).
    void Fill(M_WORD colour);

    BOOL IsPaperdollGump() override { return paperdoll; }
    BOOL IsShopGump() override { return shop; }
    BOOL IsContainerGump() override { return container; }
    BOOL IsStackGump() override { return stack; }
    BOOL IsCourseGump() override { return course; }
    BOOL IsTextGump() override { return text; }
    BOOL IsStatusGump() override { return status; }
    BOOL IsRadarGump() override { return radar; }
    BOOL IsBarkGump() override { return bark; }
    BOOL IsMissileGump() override { return missile; }
    BOOL IsMapGump() override { return map; }
    BOOL IsInputGump() override { return input; }
    BOOL IsEdgeGump() override { return edge; }
    BOOL IsPointGump() override { return point; }
    BOOL IsButtonGump() override { return button; }
    BOOL IsCharCreationGump() override { return charCreation; }
    BOOL IsPinned() override { return pinned; }
    BOOL IsInGameArea() override { return gameArea; }
    BOOL IsDisposable() override { return disposable; }
    BOOL UsesPixelHitTest() override { return pixelHitTest; }
    BOOL ServesMinimizedState() override { return forMinimized; }
    CGump* GetBillGump() override { return bill; }
    BOOL LifetimeOver(M_DWORD now) override { return now >= expires; }
    void Deactivate() override { ++deactivations; }
    void UpdateState() override {
        if (onUpdate) onUpdate(this);
    }
    void HandleLButtonDown(int, int) override {
        if (onLButtonDown) onLButtonDown(this);
    }
    void Tick() override { ++ticks; }
    void Update() override { ++radarUpdates; }
    void Animate() override { ++radarBlinks; }
    void SetTarget(int tx, int ty) override { target = {tx, ty}; }

    BOOL paperdoll = FALSE, shop = FALSE, container = FALSE, stack = FALSE, course = FALSE,
         text = FALSE, status = FALSE, radar = FALSE, bark = FALSE, missile = FALSE, map = FALSE,
         input = FALSE, edge = FALSE, point = FALSE, button = FALSE, charCreation = FALSE,
         pinned = FALSE, gameArea = FALSE, disposable = TRUE, pixelHitTest = TRUE,
         forMinimized = FALSE;
    CGump* bill = nullptr;
    M_DWORD expires = 0xFFFFFFFF;
    int deactivations = 0;
    int ticks = 0;
    int radarUpdates = 0;
    int radarBlinks = 0;
    std::pair<int, int> target = {0, 0};
    std::function<void(TestGump*)> onUpdate;
    std::function<void(TestGump*)> onLButtonDown;
    // Runs in the destructor, before the base closes the children.
    std::function<void()> onClose;
};

// The services above the framework, recording what they are asked.
class GumpDoubles : public GumpFactory, public GumpScreen, public GumpSession {
public:
    CGump* CreateTextGump(int x, int y) override;
    CGump* CreateStatusGump(CObj* object, int flag) override;
    CGump* CreatePaperdollGump(int x, int y, CGump* parent, CObj* object, int frames, int width,
                               int height, const char* gumpName, int flag) override;
    CGump* CreateShopGump(int x, int y, CObj* object) override;
    CGump* CreateStackGump(int x, int y, CObj* object) override;
    CGump* CreateOptionsGump() override;
    CGump* CreateRadarGump(int x, int y, int id) override;
    CGump* CreateContainerGump(int x, int y, CGump* parent, CObj* object, int frames, int width,
                               int height, int gumpId) override;
    CGump* CreatePointGump(int x, int y, BOOL show) override;
    CGump* CreateGMChatGump(int x, int y, int width, int height) override;
    CGump* CreateHTMLGump(int x, int y, int width, int height) override;
    CGump* CreateMailGump(int x, int y, int width, int height) override;
    std::string HelpChatRequestText() override { return "1 help"; }
    std::string AccountPageAddress() override { return "account"; }
    void LoadSkillGroups() override { calls.push_back("LoadSkillGroups"); }

    void InvalidateScreen() override { ++invalidations; }
    void ResetScroll() override { calls.push_back("ResetScroll"); }
    void StepMobileAnimations() override { ++animationSteps; }
    void UpdateHelpHovering() override {}

    BOOL IsInWorld() override { return inWorld; }
    BOOL PlayerAtWar() override { return atWar; }
    void UpdateInputPrompt() override { ++prompts; }
    void LogoutFromWorld() override { calls.push_back("LogoutFromWorld"); }
    void ForgetGump(CGump* gump) override;

    // "Create<Kind> x y" for each gump made, and the other calls.
    std::vector<std::string> calls;
    int invalidations = 0;
    int animationSteps = 0;
    int prompts = 0;
    int toolTipsClosed = 0;
    BOOL inWorld = FALSE;
    BOOL atWar = FALSE;
    // The tool-tips drawn and closed again: their place and size.
    std::vector<RECT> toolTips;

private:
    CGump* Made(TestGump* gump, const std::string& call);
};

// A frame buffer with no window: a present keeps a copy of the back buffer
// and the ring position it was shown from.
class CaptureFrameBuf : public CFrameBuf {
public:
    BOOL OpenDisplay(int, int, int) override { return TRUE; }
    void CloseDisplay() override {}
    void Present() override { PresentWrapped(0, 0); }
    void PresentWrapped(int x, int y) override;
    void Reserved5() override {}
    void SetPalette(unsigned char*) override {}
    void InstallColormap() override {}
    void FreeColormap() override {}
    M_WORD* GetPixels() override { return g_backBuffer; }
    void PumpEvents() override {}
    int GetWidth() override { return g_displayWidth; }
    int GetHeight() override { return g_displayHeight; }

    // The picture the window would show, screen pixel by screen pixel.
    std::vector<M_WORD> shown;
    int presents = 0;
};

class GumpTest : public TwTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A screen of that size: its back buffer filled with a world picture
    // that differs at every pixel, the ring start and view offset at 0.
    void UseScreen(int width, int height);
    // The pixel at screen (x, y) through the ring.
    M_WORD& ScreenPixel(int x, int y);
    // A gump linked at the head of the top-level list (or of parent's
    // children); the list owns it.
    TestGump* Open(int x, int y, int w, int h, CGump* parent = nullptr,
                   const char* gumpName = "test gump");

    GumpDoubles doubles;
    std::vector<M_WORD> backBuffer;

private:
    WorldGumps worldGumps_;
    std::unique_ptr<tw::ScopedService<ObjectGumps>> objectGumps_;
    std::unique_ptr<tw::ScopedService<GumpFactory>> factory_;
    std::unique_ptr<tw::ScopedService<GumpScreen>> screen_;
    std::unique_ptr<tw::ScopedService<GumpSession>> session_;
    // The platform's own present, over whatever frame buffer a test sets.
    tw::ScopedService<PlatformHooks> platform_{&X11PlatformHooks()};
};

// Writes a small installation (every data file, the gump art given, the
// three Unicode fonts) in the working directory and starts the data-file
// cache over it.
// With staticArt, "artidx.mul" and "art.mul" hold it.
void InstallGumpArt(const std::vector<std::pair<int, datafiles::Image>>& art,
                    const datafiles::IndexedPair* staticArt = nullptr);
// The tool-tip frame art, as InstallGumpArt takes it.
std::vector<std::pair<int, datafiles::Image>> ToolTipArt(int changed = -1, int widthChange = 0);

}  // namespace tw::test

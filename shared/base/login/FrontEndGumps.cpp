// The main menu, the account login box and the front-end button column.
#include <cstdio>
#include <cstring>

#include "FrameBuf.h"
#include "ProcessFlags.h"
#include "TWReport.h"
#include "config/Config.h"
#include "gumps/ButtonGump.h"
#include "gumps/GumpManager.h"
#include "gumps/InputControlGump.h"
#include "gumps/MouseManager.h"
#include "gumps/TiledDraw.h"
#include "gumps/ToggleControlGump.h"
#include "login/FrontEnd.h"
#include "login/LoginRoad.h"
#include "login/LoginState.h"
#include "net/ClientSock.h"
#include "resources/BlitTarget.h"
#include "resources/GraphicManager.h"
#include "resources/GumpArt.h"
#include "resources/SpanHandlers.h"
#include "view/WorldView.h"
#include "Platform.h"

namespace {

// The frame of a gump as a blit target.
BlitTarget FrameTarget(CGump* gump) {
    return BlitTarget(gump->FramePixels(0), gump->pitch, gump->width, gump->height);
}

CInputControlGump* AddLabel(CGump* parent, int x, int y, int w, int h, const char* text, int font,
                            int hue) {
    auto* label = new CInputControlGump(x, y, parent, w, h, CInputControlGump::TEXT,
                                        CInputControlGump::MAX_TEXT, font, hue, FALSE, FALSE, 0);
    label->SetText(text);
    label->RedrawText();
    label->PutInGump(parent);
    label->tooltipId = -1;
    return label;
}

CButtonGump* AddButton(CGump* parent, int x, int y, int up, int pressed, int hover,
                       GumpCallback callback, int tooltip) {
    auto* button = new CButtonGump(x, y, parent, CButtonGump::PUSH, CButtonGump::UP, callback, up,
                                   pressed, 0);
    button->hoverArt = hover;
    button->PutInGump(parent);
    button->tooltipId = tooltip;
    return button;
}

}  // namespace

CGump* frontend::quitQuestion = nullptr;
void (*frontend::heldLoginCompletion)() = nullptr;
CGump* frontend::requestWait = nullptr;
char frontend::currentShardName[64] = {};
char frontend::currentCharName[31] = {};

void AddFrontEndButtons(CGump* gump) {
    struct Row {
        int x, y, up, pressed, hover, tooltip;
        GumpCallback callback;
        bool disabled, logoutOnly;
    };
    static const Row kRows[] = {
        {14, 268, 5516, 5518, 5517, 100003, &CGump::OpenAccountPage, true, false},
        {14, 146, 5519, 5521, 5520, 100000, &CGump::OpenMainWebSite, true, false},
        {555, 4, 5513, 5515, 5514, 100011, &CGump::ExitProgram, false, false},
        {14, 205, 5522, 5524, 5523, 100001, &CGump::OpenSignUpPage, false, false},
        {14, 434, 5525, 5527, 5526, 100002, &CGump::OpenSupportPage, false, false},
        {14, 386, 5510, 5512, 5511, 100005, &CGump::LogoutToMainMenu, false, true},
        {14, 410, 5507, 5509, 5508, 100006, &CGump::ShowCredits, false, false},
    };
    if (!gump) return;
    for (const Row& r : kRows) {
        if (r.logoutOnly && !gump->IsFrontEndGump()) continue;
        CButtonGump* b =
            AddButton(gump, r.x, r.y, r.up, r.pressed, r.hover, r.callback, r.tooltip);
        b->disabled = r.disabled;
    }
}

// ---- CMainMenuGump ----

CMainMenuGump* CMainMenuGump::Make() {
    return tw::Service<LoginService>::Get().MakeMainMenuGump();
}

CMainMenuGump::CMainMenuGump() : CGump(0, 0, nullptr, nullptr, 1, 640, 480) {
    name = "MainMenu gump";
    tw::Service<FrontEndApp>::Get().SetInWorld(FALSE);
    // The front end is drawn at the screen's corner wherever the play
    // window was moved to.
    g_viewX = 0;
    g_viewY = 0;
    g_loginComplete = FALSE;
    // A login completion held by an earlier front end never runs.
    frontend::heldLoginCompletion = nullptr;
    GraphicManager::setGameplayWindowPixelWidthAndHeight(640, 480);
    InvalidateScreen();
    if (FullScreen) {
        DisplayModeHookA();
        DisplayModeHookB();
    }
    CGumpManager::RecreateMainBitmap();
    ResizeMainWindow(0, 0, 640, 480);
    InvalidateScreen();
    artId = 5500;
    tw::Service<FrontEndApp>::Get().ClearBackBuffer();

    if (M_WORD* pixels = NewFrameBlock(0, width, height)) {
        const BlitTarget whole(pixels, pitch, width, height);
        int tw = 0, th = 0;
        GetGumpArtSize(3604, &tw, &th);
        // A missing tile would repeat for ever.
        if (tw > 0 && th > 0)
            for (int ty = 0; ty < height; ty += th)
                for (int tx = 0; tx < width; tx += tw) DrawGumpArt(CopySpan, 3604, tx, ty, whole);
        DrawGumpArt(CopySpanTransparent, 5500, 0, 0, whole);
        DrawGumpArt(CopySpanTransparent, 5536, 0, 4, whole);
    }

    auto* login = new CAcctLoginGump();
    pAcctLoginGump = login;
    if (AcctID[0]) {
        login->accountField->SetText(AcctID);
        login->accountField->RedrawText();
    }
    if (RememberAcctPW) {
        login->passwordField->SetText(AcctPassword);
        login->passwordField->RedrawText();
    }
    login->PutInGump(this);
    noHit = FALSE;
    extraGump = nullptr;
    AddFrontEndButtons(this);
}

CMainMenuGump::~CMainMenuGump() {
    delete extraGump;
    extraGump = nullptr;
    if (GraphicManager::pMainMenuGump == this) GraphicManager::pMainMenuGump = nullptr;
}

void CMainMenuGump::DrawContents(const RECT& dirty) {
    CGump::DrawContents(dirty);
}

BOOL CMainMenuGump::HitTest(int px, int py) {
    return visible && !noHit && px >= 0 && py >= 0 && px < width && py < height;
}

void CMainMenuGump::HandleLButtonDown(int, int) {
    BringToFront(this, 1);
}

void CMainMenuGump::HandleLButtonUp(int, int) {
    MouseManager::SetCapture(nullptr);
}

void CMainMenuGump::HandleRButtonUp(int, int) {
    MouseManager::SetCapture(nullptr);
}

void CMainMenuGump::HandleMouseMove(int, int) {
    MouseManager::SetCursorType(17);
}

void CMainMenuGump::OnAccept() {
    // The fields Enter means are the login box's.
    if (pAcctLoginGump) pAcctLoginGump->Connect();
}

void CMainMenuGump::UpdateState() {
    for (CGump* child = firstChild; child;) {
        CGump* following = child->next;
        child->UpdateState();
        child = following;
    }
}

// ---- CAcctLoginGump ----

CAcctLoginGump* pAcctLoginGump = nullptr;

CAcctLoginGump::CAcctLoginGump() : CGump(0, 0, nullptr, nullptr, 1, 640, 480) {
    name = "AcctLogin gump";
    artId = 1040;
    tooltipId = -1;
    if (M_WORD* pixels = NewFrameBlock(0, width, height)) {
        DrawTiledFrameAt(128, 288, 451, 157, 5054, pixels - 2, FALSE);
        DrawGumpArt(CopySpanTransparent, 1418, 286, 45, FrameTarget(this));
    }
    AddLabel(this, 250, 303, 320, 30, "Log in to Tarrowmere", 2, 847);
    char version[96];
    snprintf(version, sizeof version, "TW Version %s.", tw::Service<FrontEndApp>::Get().VersionText());
    AddLabel(this, 283, 453, 360, 30, version, 9, 846);
    AddLabel(this, 180, 343, 160, 30, "Account Name", 2, 847);

    auto field = [this](int fy, int inset, int tooltip, int max) {
        auto* f = new CInputLineGump(328, fy, this, 210, 30, CInputControlGump::TEXT, max, 5,
                                     847, TRUE, FALSE, 0);
        f->hoverHue = 696;
        f->selectedHue = 35;
        f->leftMargin = 7;
        f->topMargin = static_cast<M_BYTE>(inset);
        f->PutInGump(this);
        f->tooltipId = tooltip;
        return f;
    };
    accountField = field(343, 0, 100009, FIELD_MAX);
    AddLabel(this, 180, 383, 140, 30, "Password", 2, 847);
    // A stored password of 30 characters must fit whole.
    passwordField = field(383, 2, 100010, login::kCharField);
    passwordField->masked = TRUE;
    passwordField->selected = TRUE;
    passwordField->RedrawText();
    CGumpManager::SetActiveGump(passwordField);

    AddLabel(this, 348, 419, 320, 30, "Save Password", 9, 902);
    savePassword = new CToggleControlGump(328, 417, this, 210, 211, 9, 902, nullptr,
                                          RememberAcctPW ? 1 : 0, 0, 0);
    savePassword->PutInGump(this);
    savePassword->tooltipId = 1053;

    connectArrow = AddButton(this, 610, 445, 5540, 5542, 5541, &CGump::Connect, 100008);
    connectArrow->flashOffPeriod = 12;
    connectArrow->flashOnPeriod = 6;
    AddFrontEndButtons(this);
}

CAcctLoginGump::~CAcctLoginGump() {
    if (pAcctLoginGump == this) pAcctLoginGump = nullptr;
}

void CAcctLoginGump::DrawContents(const RECT& dirty) {
    CGump::DrawContents(dirty);
}

BOOL CAcctLoginGump::HitTest(int px, int py) {
    return px >= 0 && py >= 0 && px < width && py < height;
}

void CAcctLoginGump::HandleLButtonDown(int, int) {
    BringToFront(this, 1);
}

void CAcctLoginGump::HandleLButtonUp(int, int) {
    MouseManager::SetCapture(nullptr);
}

void CAcctLoginGump::HandleRButtonUp(int, int) {
    MouseManager::SetCapture(nullptr);
}

void CAcctLoginGump::HandleChildEvent(CGump* child) {
    if (child != accountField && child != passwordField) return;
    auto* field = static_cast<CInputLineGump*>(child);
    if (field->selected) return;
    accountField->selected = child == accountField;
    passwordField->selected = child == passwordField;
    accountField->RedrawText();
    passwordField->RedrawText();
}

void CAcctLoginGump::OnActivate() {
    BringToFront(this, 1);
    CInputLineGump* from = g_focusGump == accountField ? accountField : passwordField;
    CInputLineGump* to = from == accountField ? passwordField : accountField;
    from->Deactivate();
    from->selected = FALSE;
    to->selected = TRUE;
    from->RedrawText();
    CGumpManager::SetActiveGump(to);
    to->RedrawText();
}

void CAcctLoginGump::UpdateState() {
    connectArrow->flashArt =
        (accountField->TextLength() > 0 && passwordField->TextLength() > 0) ? 5541 : 0;
    for (CGump* child = firstChild; child;) {
        CGump* following = child->next;
        child->UpdateState();
        child = following;
    }
}

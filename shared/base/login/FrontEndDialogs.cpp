// The play and delete dialogs and the yes/no question.
#include <cstdio>

#include "TWReport.h"
#include "gumps/ButtonGump.h"
#include "gumps/GumpManager.h"
#include "gumps/InputControlGump.h"
#include "gumps/MouseManager.h"
#include "gumps/TiledDraw.h"
#include "login/FrontEnd.h"
#include "login/LoginRoad.h"
#include "resources/BlitTarget.h"
#include "resources/FontManager.h"
#include "resources/GraphicManager.h"
#include "resources/GumpArt.h"
#include "resources/SpanHandlers.h"

namespace {

int ArtWidth(int art) {
    int w = 0;
    GetGumpArtSize(art, &w, nullptr);
    return w;
}

int ArtHeight(int art) {
    int h = 0;
    GetGumpArtSize(art, nullptr, &h);
    return h;
}

// A backdrop without width cannot be drawn: the dialog would be a gump no
// one sees that still takes the clicks.
void CheckFrameWidth(int frameWidth) {
    if (frameWidth <= 0) TWReport::fatal("%s: assertion failed: frame_width.\n", __FILE__);
}

// Text drawn into the gump's frame, wrapped to wrapWidth and clipped to clip.
void DrawFrameText(CGump* gump, const char* text, int x, int y, int font, int hue, int wrapWidth,
                   const RECT& clip) {
    M_WORD* pixels = gump->FramePixels(0);
    if (!pixels) return;
    BlitTarget target = BlitTarget(pixels, gump->pitch, gump->width, gump->height).Clipped(clip);
    FontManager::DrawstringBuf(x, y, font, hue, text, wrapWidth, target, 0, 0, FALSE);
}

CButtonGump* AddButton(CGump* parent, int x, int y, int up, int pressed, int hover,
                       GumpCallback callback) {
    auto* b = new CButtonGump(x, y, parent, CButtonGump::PUSH, CButtonGump::UP, callback, up,
                              pressed, 0);
    b->hoverArt = hover;
    b->PutInGump(parent);
    return b;
}

void ShowSelection() {
    if (pLGump) pLGump->Show();
}

}  // namespace

CFrontEndDialog::CFrontEndDialog(int x, int y, int w, int h)
    : CGump(x, y, nullptr, nullptr, 1, w, h) {
    NewFrameBlock(0, w, h);
}

int CFrontEndDialog::HandleKey(int code) {
    if (code == 13 || code == 10) {
        OnAccept();
        return 1;
    }
    if (code == 27) {
        OnCancel();
        return 1;
    }
    return 0;
}

void CFrontEndDialog::HandleLButtonDown(int px, int py) {
    BringToFront(this, 1);
    dragging_ = TRUE;
    grabX = px;
    grabY = py;
}

void CFrontEndDialog::HandleMouseDrag(int px, int py) {
    if (!dragging_) return;
    RECT moved{0, 0, 0, 0};
    MoveBy(px - grabX, py - grabY, TRUE, moved, TRUE);
}

void CFrontEndDialog::HandleLButtonUp(int, int) {
    dragging_ = FALSE;
    MouseManager::SetCapture(nullptr);
}

void CFrontEndDialog::HandleRButtonUp(int, int) {
    MouseManager::SetCapture(nullptr);
    delete this;
}

// ---- CPlayCharGump ----

CPlayCharGump::CPlayCharGump(const char* characterName, const char*)
    : CFrontEndDialog(121, 102, ArtWidth(1140), ArtHeight(1140)) {
    name = "PlayChar gump";
    CheckFrameWidth(width);
    if (M_WORD* pixels = FramePixels(0))
        DrawGumpArt(CopySpanTransparent, 1140, 0, 0, BlitTarget(pixels, pitch, width, height));
    const RECT all{0, 0, width, height};
    DrawFrameText(this, "Password", 60, 125, 2, 902, width - 120, all);
    char question[64];
    snprintf(question, sizeof question, "Play as %s?", characterName ? characterName : "");
    DrawFrameText(this, question, 60, 50, 2, 902, width - 120, all);

    passwordField = new CInputControlGump(60, 130, ArtWidth(1141), ArtHeight(1141) + 1, this, 1142,
                                          1143, CInputControlGump::TEXT, login::kCharField, 1, 902,
                                          TRUE, FALSE, 0);
    passwordField->leftMargin = 12;
    passwordField->topMargin = 5;
    passwordField->masked = TRUE;
    passwordField->selected = TRUE;
    passwordField->PutInGump(this);
    passwordField->RedrawText();
    CGumpManager::SetActiveGump(passwordField);
    AddButton(this, 117, 190, 1147, 1148, 1149, &CGump::PlayChar);
    AddButton(this, 204, 190, 1144, 1145, 1146, &CGump::Close);
}

CPlayCharGump::~CPlayCharGump() {
    ShowSelection();
}

// ---- CDeleteCharGump ----

namespace {
int DeleteWidth() {
    return 2 * ArtWidth(2600) + 268;
}
int DeleteHeight() {
    return 2 * ArtHeight(2600) + 124;
}
}  // namespace

CDeleteCharGump::CDeleteCharGump(const char* characterName, const char*)
    : CFrontEndDialog(GraphicManager::getGameplayWindowPixelWidth() / 2 - DeleteWidth() / 2,
                      GraphicManager::getGameplayWindowPixelHeight() / 2 - DeleteHeight() / 2,
                      DeleteWidth(), DeleteHeight()) {
    name = "DeleteChar gump";
    CheckFrameWidth(ArtWidth(2600));
    if (M_WORD* pixels = FramePixels(0)) DrawTiledFrame(2600, pixels - 2, FALSE);
    char question[64];
    snprintf(question, sizeof question, "Permanently delete %s?",
             characterName ? characterName : "");
    DrawFrameText(this, question, 60, 50, 2, 902, width - 120, RECT{0, 0, width, height});
    const int bw = ArtWidth(1150), bh = ArtHeight(1150);
    const int x0 = (width - 4 * bw) / 2, by = height - 2 * bh;
    AddButton(this, x0, by, 1153, 1155, 1154, &CGump::DelChar);
    AddButton(this, x0 + 3 * bw, by, 1150, 1152, 1151, &CGump::Close);
    // Enter deletes, Esc cancels: the hidden selection must not hear them.
    CGumpManager::SetActiveGump(this);
}

CDeleteCharGump::~CDeleteCharGump() {
    ShowSelection();
}

// ---- CYesNoGump ----

CYesNoGump::CYesNoGump(const char* text, GumpCallbackFn first, GumpCallbackFn second, CGump* owner)
    : CFrontEndDialog(GraphicManager::getGameplayWindowPixelWidth() / 2 - ArtWidth(2070) / 2,
                      GraphicManager::getGameplayWindowPixelHeight() / 2 - ArtHeight(2070) / 2,
                      ArtWidth(2070), ArtHeight(2070)),
      questionOwner(owner) {
    name = "YesNo gump";
    CheckFrameWidth(width);
    CGumpManager::modalGump = this;
    if (M_WORD* pixels = FramePixels(0))
        DrawGumpArt(CopySpanTransparent, 2070, 0, 0, BlitTarget(pixels, pitch, width, height));
    DrawFrameText(this, text ? text : "", 33, 30, 1, 902, 115, RECT{33, 30, 148, 63});
    AddButton(this, 100, 75, 2074, 2075, 2076, first);
    AddButton(this, 37, 75, 2071, 2072, 2073, second);
}

CYesNoGump::~CYesNoGump() {
    if (CGumpManager::modalGump == this) CGumpManager::modalGump = nullptr;
    if (frontend::quitQuestion == this) frontend::quitQuestion = nullptr;
}

void CYesNoGump::HandleRButtonUp(int, int) {
    MouseManager::SetCapture(nullptr);
}

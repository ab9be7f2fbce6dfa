// The character selection: five name slots, the selected one highlighted.
#include <cstring>

#include "gumps/ButtonGump.h"
#include "gumps/GumpManager.h"
#include "gumps/InputControlGump.h"
#include "gumps/MouseManager.h"
#include "gumps/TiledDraw.h"
#include "login/FrontEnd.h"
#include "login/LoginRoad.h"
#include "resources/GumpArt.h"

CLoginGump* pLGump = nullptr;

namespace {
constexpr int kEmptyTooltip = 100023, kFilledTooltip = 100022;
}

CLoginGump::CLoginGump() : CGump(0, 0, nullptr, nullptr, 1, 640, 480) {
    name = "Login gump";
    artId = 1100;
    tooltipId = -1;
    selected = login::g_road.selectedSlot;
    if (selected < 0 || selected >= SLOTS) selected = 0;
    int w = 0, h = 0;
    GetGumpArtSize(2600, &w, &h);
    if (M_WORD* pixels = NewFrameBlock(0, width, height))
        DrawTiledFrameAt(160, 70, 2 * w + 320, 2 * h + 255, 2600, pixels - 2, FALSE);

    auto* title = new CInputControlGump(w + 220, h + 60, this, 320, 30, CInputControlGump::TEXT, 16,
                                        2, 847, FALSE, FALSE, 0);
    title->SetText("Character Selection");
    title->RedrawText();
    title->PutInGump(this);
    title->tooltipId = -1;

    for (int i = 0; i < SLOTS; ++i) {
        auto* slot = new CInputLineGump(w + 180, 150 + 40 * i, this, 280, 30,
                                        CInputControlGump::TEXT, login::kCharField, 5, 902, FALSE,
                                        TRUE, 0);
        slot->readOnly = TRUE;
        slot->hoverHue = 696;
        slot->selectedHue = 35;
        slot->leftMargin = 22;
        slot->topMargin = 0;
        slot->PutInGump(this);
        slot->tooltipId = kEmptyTooltip;
        slot->RedrawText();
        slots[i] = slot;
        slotIds[i] = -1;
    }
    slots[selected]->selected = TRUE;
    slots[selected]->RedrawText();

    auto button = [this](int bx, int by, int up, int pressed, int hover, GumpCallback callback,
                         int tooltip) {
        auto* b = new CButtonGump(bx, by, this, CButtonGump::PUSH, CButtonGump::UP, callback, up,
                                  pressed, 0);
        b->hoverArt = hover;
        b->PutInGump(this);
        b->tooltipId = tooltip;
        return b;
    };
    button(w + 180, 350, 5533, 5535, 5534, &CGump::NewChar, 100025);
    button(w + 398, 350, 5530, 5532, 5531, &CGump::AskDeleteChar, 100024);
    playArrow = button(610, 445, 5540, 5542, 5541, &CGump::AskPlayChar, 100027);
    backArrow = button(586, 445, 5537, 5539, 5538, &CGump::BackToShardList, 100026);
    AddFrontEndButtons(this);
}

CLoginGump::~CLoginGump() {
    if (pLGump == this) pLGump = nullptr;
}

void CLoginGump::Show() {
    visible = TRUE;
    CGumpManager::SetActiveGump(this);
}

void CLoginGump::HandleChildEvent(CGump* child) {
    SelectSlot(child);
    if (visible) CGumpManager::SetActiveGump(this);
}

int CLoginGump::HandleKey(int code) {
    switch (code) {
        case CInputControlGump::KEY_ENTER:
        case CInputControlGump::KEY_LINEFEED:
            OnAccept();
            return 1;
        case CInputControlGump::KEY_ESCAPE:
            OnCancel();
            return 1;
        default:
            return 0;
    }
}

void CLoginGump::AddCharacter(const char* characterName, const char*, int id) {
    if (!characterName || !characterName[0]) return;
    // Five slots: a longer list than that has no place here.
    if (count >= SLOTS) return;
    CInputLineGump* slot = slots[count];
    slot->SetText(characterName);
    slot->tooltipId = kFilledTooltip;
    slot->RedrawText();
    if (g_focusGump == slot) slot->HandleKey(CInputControlGump::KEY_END);
    slotIds[count] = id;
    ++count;
}

void CLoginGump::RemoveCharacter(int id) {
    int at = -1;
    for (int i = 0; i < count; ++i)
        if (slotIds[i] == id) {
            at = i;
            break;
        }
    if (at < 0) return;
    for (int i = at; i + 1 < count; ++i) {
        slots[i]->SetText(slots[i + 1]->text);
        slots[i]->tooltipId = kFilledTooltip;
        slots[i]->RedrawText();
        slotIds[i] = slotIds[i + 1];
    }
    CInputLineGump* last = slots[count - 1];
    last->SetText("");
    last->RedrawText();
    last->tooltipId = kEmptyTooltip;
    slotIds[count - 1] = -1;
    --count;
}

void CLoginGump::SelectSlot(CGump* child) {
    int chosen = -1;
    for (int i = 0; i < SLOTS; ++i)
        if (slots[i] == child) chosen = i;
    if (chosen < 0 || chosen == selected) return;
    slots[selected]->selected = FALSE;
    slots[selected]->RedrawText();
    selected = chosen;
    slots[selected]->selected = TRUE;
    slots[selected]->RedrawText();
}

void CLoginGump::ActivateSlot(CGump* child) {
    SelectSlot(child);
    if (SelectedName()[0])
        AskPlayChar();
    else
        NewChar();
}

const char* CLoginGump::SelectedName() const {
    return slots[selected] ? slots[selected]->text : "";
}

int CLoginGump::SelectedId() const {
    return slotIds[selected];
}

void CLoginGump::DrawContents(const RECT& dirty) {
    CGump::DrawContents(dirty);
}

BOOL CLoginGump::HitTest(int px, int py) {
    return px >= 0 && py >= 0 && px < width && py < height;
}

void CLoginGump::HandleLButtonUp(int, int) {
    MouseManager::SetCapture(nullptr);
}

void CLoginGump::HandleRButtonUp(int, int) {
    MouseManager::SetCapture(nullptr);
}

void CLoginGump::HandleMouseMove(int, int) {
    for (CInputLineGump* slot : slots) slot->RedrawText();
}

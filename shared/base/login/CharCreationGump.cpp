// The appearance gump (CharCreationGump.h).
#include "login/CharCreationGump.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "gumps/GumpManager.h"
#include "gumps/ListBoxGump.h"
#include "gumps/MouseManager.h"
#include "gumps/TiledDraw.h"
#include "login/CharCreation.h"
#include "login/CreationFlow.h"
#include "login/CreationGumps.h"
#include "resources/GumpArt.h"
#include "resources/HueManager.h"
#include "resources/SpanHandlers.h"

const CCharCreationGump::HairRow CCharCreationGump::kHair[kHairRows] = {
    {"NONE", 0, 0},           {"Short", 8251, 8251},
    {"Long", 8252, 8252},     {"Pony Tail", 8253, 8253},
    {"Mohawk", 8260, 8260},   {"Pageboy", 8261, 8261},
    {"Topknot", 8266, 8266},  {"Curly", 8263, 8263},
    {"Receding", 8264, 8264}, {"2 Tails", 8265, 8265},
    {"Buns", 0, 8262},
};

const CCharCreationGump::FacialRow CCharCreationGump::kFacial[kFacialRows] = {
    {"NONE", 0},
    {"Goatee", 8256},
    {"Long beard", 8254},
    {"Short beard", 8255},
    {"Moustache", 8257},
    {"Short beard/moustache", 8267},
    {"Long beard/moustache", 8268},
    {"Vandyke", 8269},
};

namespace {

struct HairArtRow {
    int item, male, female;
};
constexpr HairArtRow kHairArt[] = {
    {8251, 1875, 1847}, {8252, 1876, 1842}, {8253, 1879, 1845}, {8260, 1877, 1843},
    {8261, 1871, 1844}, {8262, 1841, 1841}, {8263, 1873, 1839}, {8264, 1880, 1846},
    {8265, 1870, 1836}, {8266, 1874, 1840},
};
constexpr int kFacialArt[][2] = {{8254, 1883}, {8255, 1885}, {8256, 1881}, {8257, 1884},
                                 {8267, 1886}, {8268, 1882}, {8269, 1887}};

constexpr int kPickerType[CCharCreationGump::kPickers] = {1, 2, 0, 3, 4};
constexpr int kPickerTooltip[CCharCreationGump::kPickers] = {100035, 100037, 100039, 100040,
                                                             100041};

struct ColourButtonRow {
    const char* label;
    int y;
    int tooltip;
    CCharCreationGump::Picker picker;
};
constexpr ColourButtonRow kColourButtonRows[CCharCreationGump::kColourButtons] = {
    {"Hair Color", 275, 100035, CCharCreationGump::kHairPicker},
    {"Facial Hair Color", 320, 100037, CCharCreationGump::kFacialPicker},
    {"Skin Tone", 140, 100039, CCharCreationGump::kSkinPicker},
    {"Shirt Color", 185, 100040, CCharCreationGump::kShirtPicker},
    {"Pants Color", 230, 100041, CCharCreationGump::kPantsPicker},
    {"Skirt Color", 230, 100042, CCharCreationGump::kPantsPicker},
};

CInputControlGump* Label(CGump* owner, int x, int y, const char* text, int tooltip) {
    auto* label = new CInputControlGump(x, y, owner, 160, 30, CInputControlGump::TEXT,
                                        CInputControlGump::MAX_TEXT, 9, 1153, FALSE, FALSE, 0);
    label->SetText(text);
    label->RedrawText();
    label->tooltipId = tooltip;
    label->PutInGump(owner);
    return label;
}

CInputLineGump* StyleField(CGump* owner, int y, int font, const char* text, int tooltip) {
    auto* field = new CInputLineGump(97, y, owner, 121, 24, CInputControlGump::LIST, 10, font, 902,
                                     FALSE, FALSE, 0);
    field->SetText(text);
    field->RedrawText();
    field->tooltipId = tooltip;
    field->PutInGump(owner);
    return field;
}

CButtonGump* ArrowButton(CGump* owner, int x, int up, int pressed, int hover, GumpCallback call,
                         int tooltip) {
    auto* b =
        new CButtonGump(x, 445, owner, CButtonGump::PUSH, CButtonGump::UP, call, up, pressed, 0);
    b->hoverArt = hover;
    b->tooltipId = tooltip;
    b->PutInGump(owner);
    return b;
}

// The first colour of a hue's ramp; a number outside the table (or none,
// -1) gives black rather than reading outside it.
M_WORD FirstColour(int number) {
    const Hue* h = HueManager::GetHue(number);
    return h ? h->colors[0] : 0;
}

void DrawHued(int art, int hue, const BlitTarget& t) {
    // A hue the table does not hold draws the art as it is.
    if (hue > 0 && HueManager::GetHue(hue)) {
        DrawHue = hue;
        DrawGumpArt(HueSpanTransparent, art, CCharCreationGump::kPreviewX,
                    CCharCreationGump::kPreviewY, t);
    } else {
        DrawGumpArt(CopySpanTransparent, art, CCharCreationGump::kPreviewX,
                    CCharCreationGump::kPreviewY, t);
    }
}

}  // namespace

int CCharCreationGump::HairArt(int item, BOOL isFemale) {
    for (const HairArtRow& r : kHairArt)
        if (r.item == item) return isFemale ? r.female : r.male;
    return 0;
}

int CCharCreationGump::FacialArt(int item) {
    for (const auto& r : kFacialArt)
        if (r[0] == item) return r[1];
    return 0;
}

CCharCreationGump::CCharCreationGump() : CGump(0, 0, nullptr, nullptr, 1, 640, 480) {
    name = "CharCreation gump";
    artId = kFrameArt;
    tooltipId = -1;
    int frameWidth = 0;
    GetGumpArtSize(kFrameArt, &frameWidth, nullptr);
    if (!frameWidth) TWReport::error("CCharCreationGump: gump art %d is missing.\n", kFrameArt);
    NewFrameBlock(0, width, height);

    for (int i = 0; i < kPickers; ++i) {
        auto* p =
            new CHueControl(489, 138, 125, 280, kPickerType[i], this, 3604, kPickerType[i] >= 3);
        p->visible = FALSE;
        p->tooltipId = kPickerTooltip[i];
        p->PutInGump(this);
        pickers[i] = p;
    }
    hairHue = pickers[kHairPicker]->hue;
    facialHue = pickers[kFacialPicker]->hue;
    skinHue = pickers[kSkinPicker]->hue;
    shirtHue = pickers[kShirtPicker]->hue;
    pantsHue = pickers[kPantsPicker]->hue;

    nameField = new CInputControlGump(250, 63, this, 210, 30, CInputControlGump::TEXT, 16, 5, 902,
                                      TRUE, FALSE, 0);
    nameField->leftMargin = 7;
    nameField->topMargin = 2;
    nameField->tooltipId = 100043;
    nameField->RedrawText();
    nameField->PutInGump(this);

    Label(this, 97, 140, "Hair Style", 100036);
    hairField = StyleField(this, 154, 9, "Short", 100036);
    facialLabel = Label(this, 97, 185, "Facial Hair Style", 100037);
    facialField = StyleField(this, 199, 1, "NONE", 100037);

    for (int i = 0; i < kColourButtons; ++i) {
        const ColourButtonRow& row = kColourButtonRows[i];
        auto* b = new CPanelChoiceGump(490, row.y, 130, 40, this, nullptr, 3500, FALSE);
        b->AddChoice(1, row.label, 1153);
        b->RedrawFrame();
        b->tooltipId = row.tooltip;
        b->visible = i != kSkirtColour;
        b->PutInGump(this);
        colourButtons[i] = b;
    }

    const auto toggle = static_cast<GumpCallback>(&CCharCreationGump::ToggleSex);
    maleButton =
        new CButtonGump(310, 408, this, CButtonGump::PUSH, CButtonGump::UP, toggle, 1808, 1810, 0);
    maleButton->hoverArt = 1809;
    femaleButton =
        new CButtonGump(310, 408, this, CButtonGump::PUSH, CButtonGump::UP, toggle, 1805, 1807, 0);
    femaleButton->hoverArt = 1806;
    femaleButton->visible = FALSE;
    for (CButtonGump* b : {maleButton, femaleButton}) {
        b->tooltipId = 100038;
        b->PutInGump(this);
    }
    ArrowButton(this, 610, 5540, 5542, 5541,
                static_cast<GumpCallback>(&CCharCreationGump::CheckCharName), 100045);
    ArrowButton(this, 586, 5537, 5539, 5538,
                static_cast<GumpCallback>(&CCharCreationGump::OpenProfessionGump), 100044);
    Render();
}

CCharCreationGump::~CCharCreationGump() {
    if (pCharCreationGump == this) pCharCreationGump = nullptr;
}

void CCharCreationGump::Render() {
    M_WORD* pixels = FramePixels(0);
    if (!pixels) return;
    std::fill_n(pixels, static_cast<size_t>(pitch) * height, 0);
    const BlitTarget t(pixels, pitch, width, height);
    const int body = female ? 1888 : 1889;
    int bodyWidth = 0;
    GetGumpArtSize(body, &bodyWidth, nullptr);
    if (!bodyWidth) return;
    DrawTiledFrameAt(82, 125, 151, 310, 3600, pixels - 2, FALSE);
    DrawTiledFrameAt(475, 125, 151, 310, 3600, pixels - 2, FALSE);
    DrawGumpArt(CopySpanTransparent, 1800, kPreviewX, kPreviewY, t);
    DrawGumpArt(CopySpanTransparent, 1801, 280, 53, t);
    DrawGumpArt(CopySpanTransparent, 1802, 240, 73, t);
    DrawGumpArt(CopySpanTransparent, 1803, 247, 73, t);
    DrawGumpArt(CopySpanTransparent, 1804, 463, 73, t);

    DrawHued(body, skinHue, t);
    DrawHued(female ? 1891 : 1890, 0, t);
    DrawHued(female ? 1892 : 1848, pantsHue, t);
    DrawHued(female ? 1812 : 1849, shirtHue, t);
    if (hairItem) DrawHued(HairArt(hairItem, female), hairHue, t);
    if (!female && facialItem) DrawHued(FacialArt(facialItem), facialHue, t);

    struct {
        int y, hue;
        bool shown;
    } swatches[] = {{154, skinHue, true},
                    {199, shirtHue, true},
                    {244, pantsHue, true},
                    {289, hairHue, true},
                    {334, facialHue, !female}};
    for (const auto& s : swatches) {
        if (!s.shown) continue;
        const M_WORD colour = FirstColour(s.hue);
        for (int row = s.y; row < s.y + 24; ++row)
            std::fill_n(pixels + static_cast<size_t>(row) * pitch + 490, 121, colour);
    }
    hairField->SetText(kHair[std::clamp(hairRow, 0, kHairRows - 1)].name);
    hairField->RedrawText();
    facialField->SetText(kFacial[std::clamp(facialRow, 0, kFacialRows - 1)].name);
    facialField->RedrawText();
}

void CCharCreationGump::HandleButton(CGump* child) {
    for (int i = 0; i < kColourButtons; ++i) {
        if (child != colourButtons[i]) continue;
        if (i == kFacialColour && female) return;
        CHueControl* picker = pickers[kColourButtonRows[i].picker];
        picker->visible = TRUE;
        picker->Render();
        CGump::BringToFront(picker, 1);
        return;
    }
    int* fields[kPickers] = {&hairHue, &facialHue, &skinHue, &shirtHue, &pantsHue};
    for (int i = 0; i < kPickers; ++i) {
        if (child != pickers[i]) continue;
        *fields[i] = pickers[i]->hue;
        Render();
        return;
    }
    if (child == hairField) {
        // The list sets the field's value to the row's id; a value outside
        // the table keeps the choice as it was.
        if (hairField->value < 0 || hairField->value >= kHairRows) return;
        hairRow = hairField->value;
        hairItem = kHair[hairRow].femaleItem;
        Render();
    } else if (child == facialField) {
        if (facialField->value < 0 || facialField->value >= kFacialRows) return;
        facialRow = facialField->value;
        facialItem = kFacial[facialRow].item;
        Render();
    }
}

void CCharCreationGump::OpenListBox(CGump* field) {
    CScrollListBoxGump* list = nullptr;
    if (field == hairField) {
        list = new CScrollListBoxGump(97, 154, 3000, 130, 30, this, 9, 902, 0);
        for (int row = 0; row < (female ? kHairRows : kHairRows - 1); ++row)
            list->AddItem(row, kHair[row].name);
        list->inputField.set(hairField);
    } else if (field == facialField && !female) {
        list = new CScrollListBoxGump(100, 199, 3000, 170, 30, this, 9, 902, 0);
        for (int row = 0; row < kFacialRows; ++row) list->AddItem(row, kFacial[row].name);
        list->inputField.set(facialField);
    }
    if (!list) return;
    list->hovered = -1;
    list->visible = TRUE;
    list->PutInGump(nullptr);
    MouseManager::SetCapture(list);
    int mx = 0, my = 0;
    MouseManager::GetMousePos(&mx, &my);
    CGump::ScreenToGumpCoords(list, &mx, &my);
    list->HandleMouseDrag(mx, my);
}

void CCharCreationGump::OnAccept() {
    CheckCharName();
}

void CCharCreationGump::OnCancel() {
    OpenProfessionGump();
}

void CCharCreationGump::HandleLButtonDown(int px, int py) {
    grabX = px, grabY = py;
}

void CCharCreationGump::HandleLButtonUp(int, int) {
    if (MouseManager::GetCapture() == this) MouseManager::SetCapture(nullptr);
}

void CCharCreationGump::HandleRButtonUp(int, int) {
    if (MouseManager::GetCapture() == this) MouseManager::SetCapture(nullptr);
}

void CCharCreationGump::ToggleSex() {
    female = !female;
    maleButton->visible = !female;
    femaleButton->visible = female;
    facialField->visible = !female;
    facialLabel->visible = !female;
    colourButtons[kFacialColour]->visible = !female;
    colourButtons[kPantsColour]->visible = !female;
    colourButtons[kSkirtColour]->visible = female;
    if (!female && hairRow == 10) {
        hairRow = 0;
        hairItem = 0;
    }
    Render();
}

void CCharCreationGump::CheckCharName() {
    creation::CheckCharName(this);
}

void CCharCreationGump::OpenProfessionGump() {
    creation::OpenProfessionGump(this);
}

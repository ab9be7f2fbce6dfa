// The profession gump (ProfessionGump.h).
#include "login/ProfessionGump.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "ErrorMessage.h"
#include "FileManager.h"
#include "TWReport.h"
#include "config/Config.h"
#include "gumps/ButtonGump.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "gumps/TiledDraw.h"
#include "login/CharCreation.h"
#include "login/CreationGumps.h"
#include "login/DescriptionBox.h"
#include "login/LoginRoad.h"
#include "login/SkillList.h"
#include "resources/GumpArt.h"
#include "resources/SpanHandlers.h"
#include "resources/UnicodeFont.h"
#include "strings/LanguageManager.h"

BOOL g_customMode = FALSE;

namespace {

constexpr int kButtonX = 500, kButtonY = 100, kButtonStep = 79;

struct SliderLayout {
    int id, min, max, value, x, y;
};
constexpr SliderLayout kStatSliders[3] = {
    {1, 10, 45, 44, 500, 137}, {2, 10, 45, 11, 500, 167}, {3, 10, 45, 10, 500, 197}};
constexpr SliderLayout kSkillSliders[3] = {
    {4, 0, 50, 50, 500, 256}, {5, 0, 50, 50, 500, 289}, {6, 0, 50, 0, 500, 319}};
constexpr int kSkillButtonY[3] = {256, 289, 319};
constexpr int kStatLabelY[3] = {146, 176, 206};
constexpr int kSkillLabelY[3] = {270, 303, 333};

BlitTarget FrameTarget(CGump& g) {
    M_WORD* pixels = g.FramePixels(0);
    return pixels ? BlitTarget(pixels, g.pitch, g.FrameWidth(0), g.FrameHeight(0)) : BlitTarget();
}

void ReleaseCapture(CGump* g) {
    if (MouseManager::GetCapture() == g) MouseManager::SetCapture(nullptr);
}

M_BYTE AtLeastTen(int v) {
    return static_cast<M_BYTE>(std::clamp(v, 10, 255));
}

}  // namespace

// ---- ProfessionButton -----------------------------------------------------------------

ProfessionButton::ProfessionButton(int xIn, int yIn, ProfessionGump* gumpIn, Profession* p)
    : CGump(xIn, yIn, gumpIn, nullptr, 1, 0, 0), profession(p), gump(gumpIn) {
    name = "profession button";
    int w = 0, h = 0;
    GetGumpArtSize(kFrameArt, &w, &h);
    width = w, height = h, pitch = FramePitch(w);
    NewFrameBlock(0, w, h);
    Render();
}

void ProfessionButton::Render() {
    const BlitTarget t = FrameTarget(*this);
    if (t.Empty()) return;
    std::fill_n(t.pixels, static_cast<size_t>(pitch) * height, 0);
    DrawGumpArt(CopySpanTransparent, kFrameArt, 0, 0, t);
    const int art = profession ? profession->Gump : kCustomArt;
    DrawGumpArt(CopySpanTransparent, pressed ? art + 1 : art, 9, 8, t);
}

BOOL ProfessionButton::HitTest(int px, int py) {
    return visible && px >= 0 && py >= 0 && px < width && py < height;
}

void ProfessionButton::HandleLButtonDown(int, int) {
    pressed = TRUE;
    Render();
}

void ProfessionButton::HandleLButtonUp(int, int) {
    pressed = FALSE;
    ReleaseCapture(this);
    Render();
    // Selecting deletes this button with the others: nothing after it.
    gump->Select(profession);
}

// ---- ProfessionGump -------------------------------------------------------------------

ProfessionGump::ProfessionGump() : CGump(0, 0, nullptr, nullptr, 1, 640, 480) {
    name = "profession gump";
    NewFrameBlock(0, width, height);
    ReadProfessions();
    LinkParents();
    // Loaded once: a missing section is not looked for at every redraw.
    texts = LanguageManager::loadSection("professn", LanguageManager::getUserLanguageCode(),
                                         "professn", FALSE, FALSE);
    Render();
    // A new gump starts with the introduction, whatever mode an earlier one
    // was left in.
    g_customMode = FALSE;
    UpdateDescription();

    backButton = new CSimpleButtonGump(200, 356, this, 4506, 4509, 4510, this, kBack);
    backButton->PutInGump(this);

    statGroup = std::make_unique<SliderGroup>(this, kStatMoved, kStatTotal);
    skillGroup = std::make_unique<SliderGroup>(this, kSkillMoved, kSkillTotal);
    for (int i = 0; i < 3; ++i) {
        for (auto [layout, sliders, group] :
             {std::tuple{kStatSliders[i], statSliders, statGroup.get()},
              std::tuple{kSkillSliders[i], skillSliders, skillGroup.get()}}) {
            auto* s = new SliderGump();
            s->id = layout.id;
            s->SetMin(layout.min);
            s->SetMax(layout.max);
            s->SetValue(layout.value);
            s->UpdateThumb();
            s->x = layout.x, s->y = layout.y;
            s->visible = FALSE;
            s->PutInGump(this);
            group->AddSlider(s);
            sliders[i] = s;
        }
    }
    for (int i = 0; i < 3; ++i) {
        auto* b = new SkillButtonGump(350, kSkillButtonY[i], this);
        b->SetNotifyTarget(this);
        b->SetNotifyCode(kSkillButton0 + i);
        b->visible = FALSE;
        b->PutInGump(this);
        skillButtons[i] = b;
    }
    LoadTextList();
    skillList = new CProfScrollChoiceGump(120, 137, this);
    skillList->SetNotifyTarget(this);
    skillList->SetNotifyCode(kSkillChosen);
    skillList->FillSkills();
    skillList->PutInGump(this);

    auto* forward = new CButtonGump(610, 445, this, CButtonGump::PUSH, CButtonGump::UP,
                                    static_cast<GumpCallback>(&ProfessionGump::AcceptInitSkills),
                                    5540, 5542, 0);
    forward->hoverArt = 5541;
    forward->PutInGump(this);
    auto* back =
        new CButtonGump(586, 445, this, CButtonGump::PUSH, CButtonGump::UP,
                        static_cast<GumpCallback>(&ProfessionGump::BackFromSkills), 5537, 5539, 0);
    back->hoverArt = 5538;
    back->PutInGump(this);

    ShowProfession(nullptr);
    for (int i = 0; i < 3; ++i) {
        skillIndices[i] = 0;
        CharCreateInfo.skills[i].index = 0;
    }
}

ProfessionGump::~ProfessionGump() {
    if (pProfessionGump == this) pProfessionGump = nullptr;
}

void ProfessionGump::ReadProfessions() {
    FILE* f = FileManager::open("prof.txt", "r");
    if (!f) {
        TWReport::error("File:%s, Function:CApp::readConfig: cannot open file ''.\n",
                        "ProfessionGump.cpp");
        return;
    }
    ReadProfessionFile(f, professions);
    FileManager::close(f);
}

void ProfessionGump::LinkParents() {
    LinkProfessionParents(professions);
}

Profession* ProfessionGump::FindProfession(const char* professionName) {
    return FindProfessionIn(professions, professionName);
}

void ProfessionGump::ClearButtons() {
    for (ProfessionButton* b : buttons) delete b;
    buttons.clear();
}

void ProfessionGump::ShowProfession(Profession* p) {
    for (int i = 0; i < 3; ++i) {
        statSliders[i]->visible = FALSE;
        skillSliders[i]->visible = FALSE;
        skillButtons[i]->visible = FALSE;
    }
    showValues = FALSE;
    g_customMode = FALSE;
    if (p && !p->Type) {
        for (int i = 0; i < 3; ++i) {
            statSliders[i]->visible = TRUE;
            skillSliders[i]->visible = TRUE;
        }
        showValues = TRUE;
        statSliders[0]->SetValue(p->Str);
        statSliders[1]->SetValue(p->Dex);
        statSliders[2]->SetValue(p->Int);
        // A leaf with fewer than three skills leaves the missing slots at
        // no skill (-1) and value 0.
        for (int i = 0; i < 3; ++i) {
            const bool has = i < static_cast<int>(p->Skills.size());
            skillSliders[i]->SetValue(has ? p->Skills[i].value : 0);
            skillIndices[i] = has ? p->Skills[i].index : -1;
        }
        for (int i = 0; i < 3; ++i) {
            statSliders[i]->UpdateThumb();
            skillSliders[i]->UpdateThumb();
        }
        Render();
        return;
    }
    int n = 0;
    auto place = [&](Profession* shown) {
        auto* b = new ProfessionButton(kButtonX, kButtonY + kButtonStep * n++, this, shown);
        b->PutInGump(this);
        buttons.push_back(b);
    };
    if (p) {
        for (const std::string& child : p->Children) {
            Profession* found = FindProfession(child.c_str());
            if (!found) {
                char text[400];
                snprintf(text, sizeof text,
                         "Couldn't find Profession %s in profession.txt.  Please insure that TW "
                         "is fully installed on your computer.",
                         child.c_str());
                ErrorMessage(text, "Profession Gump", FALSE);
                return;
            }
            place(found);
        }
    } else {
        for (const auto& record : professions)
            if (record->TopLevel) place(record.get());
        place(nullptr);
    }
    Render();
}

void ProfessionGump::Select(Profession* profession) {
    if (profession) {
        ClearButtons();
        ShowProfession(profession);
        previous = current;
        current = profession;
    } else {
        g_customMode = TRUE;
        ClearButtons();
        for (int i = 0; i < 3; ++i) {
            statSliders[i]->visible = TRUE;
            skillSliders[i]->visible = TRUE;
            skillButtons[i]->visible = TRUE;
            skillButtons[i]->SetText("Click here");
            skillButtons[i]->RedrawText();
            skillIndices[i] = 0;
        }
        showValues = TRUE;
        previous = current;
        current = nullptr;
        if (descriptionBox) {
            tw::Service<HTMLBoxMaker>::Get().DeleteHTMLBox(descriptionBox);
            descriptionBox = nullptr;
            Render();
        }
    }
    UpdateDescription();
    StoreChoices();
    Render();
}

void ProfessionGump::DescriptionText(long long index, USimStr* text) {
    // The titles end at the first empty entry; the bodies follow the entry
    // after it.  A section without an empty entry has no bodies.
    const int count = texts->getNumStrings();
    int titles = 0;
    while (titles < count) {
        const M_WORD* entry = Text(titles);
        if (!entry || !entry[0]) break;
        ++titles;
    }
    // Entries the section lacks (a profession's number beyond it) read as
    // empty.
    if (index >= 0) {
        if (const M_WORD* title = Text(index)) *text += title;
        *text += static_cast<M_WORD>('\n');
    }
    if (const M_WORD* body = Text(index + titles + 2)) *text += body;
}

void ProfessionGump::UpdateDescription() {
    if (!texts) return;
    const long long index =
        current ? static_cast<long long>(current->Desc) + 1 : g_customMode ? 0 : -1;
    USimStr text;
    DescriptionText(index, &text);
    HTMLBoxMaker& maker = tw::Service<HTMLBoxMaker>::Get();
    maker.DeleteHTMLBox(descriptionBox);
    descriptionBox = maker.MakeHTMLBox(this, kDescriptionFlags, text.c_str(), 120, 137, 219, 214);
}

void ProfessionGump::Render() {
    const BlitTarget t = FrameTarget(*this);
    if (t.Empty()) return;
    std::fill_n(t.pixels, static_cast<size_t>(pitch) * height, 0);
    DrawTiledFrameAt(80, 80, 546, 352, 2600, t.pixels - 2, FALSE);
    DrawGumpArt(CopySpan, 1419, 145, 57, t);
    DrawGumpArt(CopySpanTransparent, 1417, 222, 44, t);
    if (showValues) {
        static const char* const kStatNames[3] = {"Strength", "Dexterity", "Intelligence"};
        char number[16];
        for (int i = 0; i < 3; ++i) {
            creation::DrawLabel(t, 360, kStatLabelY[i], 1, 0, kStatNames[i], 640);
            snprintf(number, sizeof number, "%d", statSliders[i]->GetValue());
            creation::DrawLabel(t, 460, kStatLabelY[i], 1, 0, number, 640);
            creation::DrawLabel(t, 360, kSkillLabelY[i], 1, 0, SkillListName(skillIndices[i]), 440);
            snprintf(number, sizeof number, "%d", skillSliders[i]->GetValue());
            creation::DrawLabel(t, 460, kSkillLabelY[i], 1, 0, number, 500);
        }
    }
    for (const ProfessionButton* b : buttons) {
        const M_WORD* caption =
            Text(b->profession ? static_cast<long long>(b->profession->Desc) + 1 : 0);
        if (!caption) continue;
        UnicodeSetStyle(18);
        int w = 0, h = 0, baseline = 0;
        UnicodeCalcInfo(caption, 145, &w, &h, &baseline);
        // White in the frame's own pixel format.
        UnicodeDrawStringBuf(t, 145, caption, b->x - 145, b->y + (85 - h) / 2,
                             use565 ? 0xFFFF : 0x7FFF, FALSE);
        UnicodeRestoreStyle();
    }
    DrawGumpArt(CopySpanTransparent, current ? current->Gump : ProfessionButton::kCustomArt, 231,
                51, t);
}

const M_WORD* ProfessionGump::Text(long long entry) {
    // Entry numbers come from the profession file: only those the section
    // holds are asked for.
    if (!texts || entry < 0 || entry >= texts->getNumStrings()) return nullptr;
    USimStr* text = texts->getStr(static_cast<int>(entry));
    return text ? text->c_str() : nullptr;
}

void ProfessionGump::StoreChoices() {
    for (int i = 0; i < 3; ++i) {
        CharCreateInfo.skills[i].index = static_cast<M_BYTE>(skillIndices[i]);
        CharCreateInfo.skills[i].value = static_cast<M_BYTE>(skillSliders[i]->GetValue());
    }
    CharCreateInfo.strength = AtLeastTen(statSliders[0]->GetValue());
    CharCreateInfo.dexterity = AtLeastTen(statSliders[1]->GetValue());
    CharCreateInfo.intelligence = AtLeastTen(statSliders[2]->GetValue());
}

void ProfessionGump::OnNotify(int code) {
    switch (code) {
        case kBack:
            if (current) current = current->Parent;
            ClearButtons();
            ShowProfession(current);
            UpdateDescription();
            break;
        case kSkillButton0:
        case kSkillButton0 + 1:
        case kSkillButton0 + 2:
            skillList->visible = TRUE;
            pendingSlot = code - kSkillButton0;
            CGump::BringToFront(skillList, 1);
            break;
        case kSkillChosen: {
            const int row = skillList->GetSelection();
            if (row >= 0 && row < skillList->count) {
                skillIndices[pendingSlot] = skillList->ids[row];
                skillButtons[pendingSlot]->SetText(skillList->texts[row]);
                skillButtons[pendingSlot]->RedrawText();
            }
            break;
        }
        default:
            break;
    }
    StoreChoices();
    Render();
}

BOOL ProfessionGump::HitTest(int px, int py) {
    return px >= 0 && py >= 0 && px < width && py < height;
}

void ProfessionGump::HandleLButtonDown(int px, int py) {
    int w = 0, h = 0;
    GetGumpArtSize(kPictureArt, &w, &h);
    if (px >= 232 && py >= 52 && px < 231 + w && py < 51 + h) OnNotify(kBack);
}

void ProfessionGump::HandleLButtonUp(int, int) {
    ReleaseCapture(this);
}

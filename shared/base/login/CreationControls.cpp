// The controls of character creation (CreationControls.h).
#include "login/CreationControls.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "gumps/MouseManager.h"
#include "login/SkillList.h"
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

BlitTarget FrameTarget(CGump& g) {
    M_WORD* pixels = g.FramePixels(0);
    return pixels ? BlitTarget(pixels, g.pitch, g.FrameWidth(0), g.FrameHeight(0)) : BlitTarget();
}

void ReleaseCapture(CGump* g) {
    if (MouseManager::GetCapture() == g) MouseManager::SetCapture(nullptr);
}

constexpr int kTrackArts[] = {213, 214, 214, 214, 215};

int TrackWidth() {
    int w = 0;
    for (int art : kTrackArts) w += ArtWidth(art);
    return w;
}

}  // namespace

// ---- CSimpleButtonGump ----------------------------------------------------------

CSimpleButtonGump::CSimpleButtonGump(int xIn, int yIn, CGump* owner, int normal, int highlight,
                                     int pressedIn, NotifyTarget* targetIn, int codeIn)
    : CGump(xIn, yIn, owner, nullptr, 1, ArtWidth(normal), ArtHeight(normal)),
      normalArt(normal),
      highlightArt(highlight),
      pressedArt(pressedIn),
      target(targetIn),
      code(codeIn) {
    name = "Simple button";
    NewFrameBlock(0, width, height);
    Render();
}

CSimpleButtonGump::CSimpleButtonGump() : CGump(0, 0, nullptr, nullptr, 1, 0, 0) {
    name = "Simple button";
}

void CSimpleButtonGump::Render() {
    const BlitTarget target0 = FrameTarget(*this);
    if (target0.Empty()) return;
    std::fill_n(target0.pixels, static_cast<size_t>(pitch) * height, 0);
    const int art = pressed ? pressedArt : highlighted ? highlightArt : normalArt;
    DrawGumpArt(CopySpanTransparent, art, 10, 7, target0);
}

BOOL CSimpleButtonGump::HitTest(int px, int py) {
    return visible && px >= 1 && px < width && py >= 1 && py < height;
}

void CSimpleButtonGump::HandleLButtonDown(int, int) {
    pressed = TRUE;
    Render();
}

void CSimpleButtonGump::HandleLButtonUp(int, int) {
    pressed = FALSE;
    ReleaseCapture(this);
    Render();
    // The target may close this button's owner: nothing after this call.
    if (target) target->OnNotify(code);
}

void CSimpleButtonGump::HandleMouseMove(int, int) {
    if (highlighted) return;
    highlighted = TRUE;
    Render();
}

void CSimpleButtonGump::HandleMouseMoveAway() {
    CGump::HandleMouseMoveAway();
    highlighted = FALSE;
    Render();
}

// ---- Sliders ------------------------------------------------------------------------

SliderThumbGump::SliderThumbGump(SliderGump* sliderIn)
    : CGump(0, 0, sliderIn, nullptr, 1, ArtWidth(kArt), ArtHeight(kArt)), slider(sliderIn) {
    name = "slidergump";
    if (NewFrameBlock(0, width, height))
        DrawGumpArt(CopySpanTransparent, kArt, 0, 0, FrameTarget(*this));
}

BOOL SliderThumbGump::HitTest(int px, int py) {
    return visible && px >= 0 && py >= 0 && px < width && py < height;
}

void SliderThumbGump::HandleLButtonDown(int px, int) {
    dragging = TRUE;
    pressX = px;
    MouseManager::SetCapture(this);
}

void SliderThumbGump::HandleLButtonUp(int, int) {
    dragging = FALSE;
    ReleaseCapture(this);
}

void SliderThumbGump::HandleMouseDrag(int px, int) {
    if (!dragging || MouseManager::GetCapture() != this) return;
    const int old = x;
    x = std::clamp(x + px - pressX, 0, std::max(0, slider->width - 5));
    y = std::clamp(y, 0, std::max(0, slider->height));
    if (x != old) slider->OnNotify(x);
}

SliderGump::SliderGump() : CGump(0, 0, nullptr, nullptr, 1, TrackWidth(), ArtHeight(214)) {
    name = "slidergump";
    if (NewFrameBlock(0, width, height)) {
        const BlitTarget t = FrameTarget(*this);
        int px = 0;
        for (int art : kTrackArts) {
            DrawGumpArt(CopySpanTransparent, art, px, 0, t);
            px += ArtWidth(art);
        }
    }
    thumb = new SliderThumbGump(this);
    thumb->PutInGump(this);
}

void SliderGump::SetValue(int v) {
    value = std::clamp(v, min, std::max(min, max));
}

void SliderGump::UpdateThumb() {
    // A slider whose range is empty keeps its thumb at the left end.
    thumb->x = max > min ? ((value - min) * kTrackSpan) / (max - min) : 0;
}

void SliderGump::OnNotify(int thumbX) {
    SetValue(min + ((max - min) * thumbX) / kTrackSpan);
    if (group) group->OnNotify(id);
}

BOOL SliderGump::HitTest(int px, int py) {
    return visible && px >= 0 && py >= 0 && px < width && py < height;
}

void SliderGump::HandleLButtonDown(int, int) {
    ReleaseCapture(this);
}

void SliderGump::HandleLButtonUp(int, int) {
    ReleaseCapture(this);
}

SliderGroup::SliderGroup(NotifyTarget* targetIn, int codeIn, int totalIn)
    : target(targetIn), code(codeIn), total(totalIn), fillTotal(totalIn) {}

void SliderGroup::AddSlider(SliderGump* slider) {
    slider->group = this;
    sliders.push_back(slider);
}

SliderGump* SliderGroup::GetSlider(int sliderId) const {
    for (SliderGump* s : sliders)
        if (s->id == sliderId) return s;
    return nullptr;
}

int SliderGroup::Sum() const {
    int sum = 0;
    for (const SliderGump* s : sliders) sum += s->value;
    return sum;
}

void SliderGroup::OnNotify(int sliderId) {
    if (SliderGump* s = GetSlider(sliderId)) Balance(s);
    if (target) target->OnNotify(code);
    lastMoved = sliderId;
}

void SliderGroup::Balance(SliderGump* moved) {
    SliderGump* others[2] = {};
    int n = 0;
    for (SliderGump* s : sliders)
        if (s != moved && n < 2) others[n++] = s;
    if (n < 2) return;
    SliderGump& a = *others[0];
    SliderGump& b = *others[1];
    for (int pass = 0; pass < 2; ++pass) {
        const int d = Sum() - total;
        if (d == 0) continue;
        int h = d / 2;
        int r = d - h;
        const int lo = a.min, hi = a.max;
        if (a.value - h < lo) r += lo - (a.value - h), h = a.value - lo;
        if (b.value - r < lo) h += lo - (b.value - r), r = b.value - lo;
        if (a.value - h > hi) r -= (a.value - h) - hi, h = a.value - hi;
        if (b.value - r > hi) h -= (b.value - r) - hi, r = b.value - hi;
        a.SetValue(a.value - h);
        a.UpdateThumb();
        b.SetValue(b.value - r);
        b.UpdateThumb();
    }
    const int sum = Sum();
    if (sum < fillTotal) {
        int rest = fillTotal - sum;
        for (SliderGump* s : {&a, &b}) {
            if (s->value < s->max && s->max - s->value >= rest) {
                s->SetValue(s->value + rest);
                rest = 0;
            }
        }
    }
    for (SliderGump* s : sliders) s->UpdateThumb();
}

// ---- Skill buttons and the skill list -----------------------------------------------

SkillButtonGump::SkillButtonGump(int xIn, int yIn, CGump* owner)
    : CInputLineGump(xIn, yIn, owner, 105, 25, CInputControlGump::TEXT, 30, 1, 902, FALSE, FALSE,
                     0) {
    hoverHue = 696;
    selectedHue = 35;
    SetText("Click here");
    RedrawText();
}

void SkillButtonGump::HandleLButtonDown(int, int) {}

void SkillButtonGump::HandleLButtonUp(int, int) {
    ReleaseCapture(this);
    if (target) target->OnNotify(code);
}

BOOL IsSkillOffered(const char* name) {
    if (!name) return FALSE;
    for (const char* refused : {"stealth", "remove trap", "necromancy"})
        if (!strcasecmp(name, refused)) return FALSE;
    return TRUE;
}

CProfScrollChoiceGump::CProfScrollChoiceGump(int xIn, int yIn, CGump* owner)
    : CScrollChoiceGump(owner, 3000, xIn, yIn, 224, 214, nullptr, FALSE, FALSE) {
    listRect = RECT{20, 10, width - 20, height - 25};
    listFont = 9;
    mappingFont = 9;
    visible = FALSE;
}

void CProfScrollChoiceGump::FillSkills() {
    ClearChoices();
    count = 0;
    for (int k = 0; k < g_skillList.count; ++k) {
        const int index = g_skillList.order[k];
        if (IsSkillOffered(g_skillList.names[index])) AddChoice(index, g_skillList.names[index], 0);
    }
    RenderChoices();
}

void CProfScrollChoiceGump::DrawContents(const RECT& dirty) {
    if (visible) CScrollChoiceGump::DrawContents(dirty);
}

void CProfScrollChoiceGump::HandleLButtonDown(int px, int py) {
    const int row = RowAt(px, py);
    if (row < 0 || row >= count) return;
    visible = FALSE;
    selection = row;
    if (target) target->OnNotify(code);
}

void CProfScrollChoiceGump::HandleLButtonUp(int, int) {
    ReleaseCapture(this);
}

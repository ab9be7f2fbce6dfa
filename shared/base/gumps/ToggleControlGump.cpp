#include "gumps/ToggleControlGump.h"

#include <cstring>

#include "resources/BlitTarget.h"
#include "resources/FontManager.h"
#include "resources/GumpArt.h"
#include "resources/SpanHandlers.h"

namespace {

int LabelWidth(int font, const char* label) {
    int w = 0, h = 0, baseline = 0;
    if (label && *label) FontManager::GetStringSize(font, label, &w, &h, &baseline);
    return w;
}

int ToggleWidth(int art, int font, const char* label) {
    int w = 0;
    GetGumpArtSize(art, &w, nullptr);
    w += 4 + LabelWidth(font, label);
    return w + (w & 1);
}

int ArtHeight(int art) {
    int h = 0;
    GetGumpArtSize(art, nullptr, &h);
    return h;
}

}  // namespace

CToggleControlGump::CToggleControlGump(int xIn, int yIn, CGump* parentIn, int artOffIn,
                                       int artOnIn, int font, int hue, const char* label,
                                       int stateIn, int altArtOffIn, int altArtOnIn)
    : CGump(xIn, yIn, parentIn, nullptr, 1, ToggleWidth(artOffIn, font, label),
            ArtHeight(artOffIn)),
      artOff(artOffIn),
      artOn(artOnIn),
      altArtOff(altArtOffIn),
      altArtOn(altArtOnIn),
      state(stateIn ? 1 : 0) {
    name = "ToggleControl gump";
    M_WORD* pixels = NewFrameBlock(0, width, height);
    if (pixels && label && *label) {
        int artWidth = 0, textWidth = 0, textHeight = 0, baseline = 0;
        GetGumpArtSize(artOff, &artWidth, nullptr);
        FontManager::GetStringSize(font, label, &textWidth, &textHeight, &baseline);
        FontManager::DrawString(artWidth + 4, (height - textHeight) / 2 + 2 + baseline, font, hue,
                                label, BlitTarget(pixels, pitch, width, height));
    }
    Redraw();
}

void CToggleControlGump::SetState(int on) {
    state = on ? 1 : 0;
    Redraw();
}

void CToggleControlGump::Redraw() {
    M_WORD* pixels = FramePixels(0);
    if (!pixels) return;
    int art;
    if (hovered && hoverArtOff && hoverArtOn)
        art = state ? hoverArtOn : hoverArtOff;
    else if (fixed)
        art = state ? altArtOn : altArtOff;
    else
        art = state ? artOn : artOff;
    // Only the art's square is cleared: the label beside it stays.
    int artWidth = 0;
    GetGumpArtSize(artOff, &artWidth, nullptr);
    if (artWidth > width) artWidth = width;
    for (int row = 0; row < height; ++row)
        memset(pixels + row * pitch, 0, static_cast<size_t>(artWidth) * sizeof(M_WORD));
    if (art > 0) DrawGumpArt(CopySpanTransparent, art, 0, 0, BlitTarget(pixels, pitch, width, height));
    drawn = FALSE;
}

BOOL CToggleControlGump::HitTest(int px, int py) {
    const M_WORD* pixels = FramePixels(0);
    if (!visible || !pixels || px < 0 || py < 0 || px >= width || py >= height) return FALSE;
    return pixels[py * pitch + px] != 0;
}

void CToggleControlGump::HandleMouseMove(int, int) {
    if (hovered || !(hoverArtOff && hoverArtOn)) return;
    hovered = TRUE;
    Redraw();
}

void CToggleControlGump::HandleMouseMoveAway() {
    CGump::HandleMouseMoveAway();
    if (!hovered) return;
    hovered = FALSE;
    Redraw();
}

void CToggleControlGump::HandleLButtonDown(int px, int py) {
    if (parent) CGump::BringToFront(parent, 0);
    pressed = TRUE;
    pressX = px;
    pressY = py;
}

void CToggleControlGump::HandleLButtonUp(int, int) {
    pressed = FALSE;
    if (fixed) return;
    state = state ? 0 : 1;
    Redraw();
    if (parent) parent->HandleButton(this);
}

void CToggleControlGump::HandleRButtonUp(int px, int py) {
    if (parent) parent->HandleRButtonUp(px + x, py + y);
}

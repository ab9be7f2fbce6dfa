// The speech line's gump: one frame block, reused for every redraw while it
// is large enough.
#include "comm/InputGump.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Clock.h"
#include "TWReport.h"
#include "config/Config.h"
#include "gumps/MouseManager.h"
#include "resources/BlitTarget.h"
#include "resources/FontManager.h"
#include "resources/GraphicManager.h"
#include "resources/ResourceSettings.h"
#include "resources/SpanHandlers.h"
#include "resources/UnicodeFont.h"

namespace {

constexpr M_WORD kOutlineColour = 1;
constexpr M_WORD kFallbackColour = 0x7FFF;

// Colour 30 of hue entry `hue` (the line's hue is not decreased by one);
// white when the number names no hue.
M_WORD LineColour(int hue) {
    const M_WORD* colours = HueColours(hue);
    return colours ? colours[30] : kFallbackColour;
}

}  // namespace

CInputGump::CInputGump(const void* text, int hue, int font, BOOL unicode)
    : CGump(0, GraphicManager::getGameplayWindowPixelHeight(), nullptr, nullptr, 1, 0, 0) {
    name = "input gump";
    PutInGump(nullptr);
    if (unicode)
        RedrawUnicode(static_cast<const M_WORD*>(text), hue);
    else
        Redraw(static_cast<const char*>(text), hue, font);
}

M_WORD* CInputGump::Prepare(int w, int h, const char* who) {
    width = w;
    height = h;
    pitch = FramePitch(w);
    x = 0;
    y = GraphicManager::getGameplayWindowPixelHeight() - h;
    const size_t needed = static_cast<size_t>(pitch) * h * sizeof(M_WORD) + 4;
    if (needed > capacity_ || !frames[0].block) {
        if (!NewFrameBlock(0, w, h)) return nullptr;
        capacity_ = needed;
    }
    TWReport::message("%s: %zu bytes of pixelFrameMemory\n", who, capacity_);
    M_WORD* block = frames[0].block;
    block[0] = static_cast<M_WORD>(w);
    block[1] = static_cast<M_WORD>(h);
    std::fill_n(block + 2, static_cast<size_t>(pitch) * h, 0);
    return block + 2;
}

void CInputGump::Redraw(const char* text, int hue, int font) {
    BringToFront(this, 1);
    std::string shown = text ? text : "";
    if (FrameCounter) {
        const M_DWORD now = GetTimeMs();
        const M_DWORD elapsed = now - lastRedraw_;
        lastRedraw_ = now;
        char rate[16];
        snprintf(rate, sizeof rate, "%3u", elapsed ? 1000u / elapsed : 0u);
        shown = std::string(rate) + " fps " + shown;
    }
    int w = 0, h = 0, baseline = 0;
    FontManager::GetStringSize(font, shown.c_str(), &w, &h, &baseline);
    M_WORD* pixels = Prepare(std::max(w, 2), std::max(h, 1), "CInputGump::Redraw");
    if (!pixels) return;
    FontManager::DrawString(0, baseline, font, hue, shown.c_str(),
                            BlitTarget(pixels, pitch, width, height));
}

void CInputGump::RedrawUnicode(const M_WORD* text, int hue) {
    BringToFront(this, 1);
    static const M_WORD kEmpty[] = {0};
    const M_WORD* line = text ? text : kEmpty;
    const int saved = UnicodeGetCurrentFont();
    UnicodeSetCurrentFont(BarkFontNumber);
    int w = 0, h = 0, baseline = 0;
    UnicodeCalcInfoLine(line, &w, &h, &baseline);
    M_WORD* pixels = Prepare(std::max(w + 2, 2), std::max(h + 2, 1), "CInputGump::RedrawUnicode");
    if (pixels) {
        std::vector<M_WORD> scratch(static_cast<size_t>(pitch) * height, 0);
        UnicodeDrawString(BlitTarget(scratch.data(), pitch, width, height), line, 1, 1,
                          LineColour(hue));
        OutlinePixels(scratch.data(), pitch, height, kOutlineColour);
        const bool widen = resource_settings::Display565();
        for (size_t i = 0; i < scratch.size(); ++i)
            pixels[i] = widen && scratch[i] ? To565(scratch[i]) : scratch[i];
    }
    UnicodeSetCurrentFont(saved);
}

void CInputGump::HandleLButtonDown(int, int) {
    MouseManager::SetCapture(nullptr);
}
void CInputGump::HandleLButtonUp(int, int) {
    MouseManager::SetCapture(nullptr);
}
void CInputGump::HandleRButtonDown(int, int) {
    MouseManager::SetCapture(nullptr);
}
void CInputGump::HandleRButtonUp(int, int) {
    MouseManager::SetCapture(nullptr);
}

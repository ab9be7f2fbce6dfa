// Unicode barks: 16-bit text in the configured bark font, outlined.
#include "comm/UnicodeBarkGump.h"

#include <algorithm>
#include <cstring>

#include "config/Config.h"
#include "gumps/TextManager.h"
#include "resources/BlitTarget.h"
#include "resources/ResourceSettings.h"
#include "resources/SpanHandlers.h"
#include "resources/UnicodeFont.h"
#include "world/Obj.h"

namespace {

constexpr int kSystemFootGap = 48;
constexpr M_WORD kOutlineColour = 1;
// Drawn in this colour when the hue names no entry of the hue table.
constexpr M_WORD kFallbackColour = 0x7FFF;

// Selects the bark font for the lifetime of the object and restores the
// current Unicode font afterwards.
class BarkFont {
public:
    BarkFont() : saved_(UnicodeGetCurrentFont()) { UnicodeSetCurrentFont(BarkFontNumber); }
    ~BarkFont() { UnicodeSetCurrentFont(saved_); }

private:
    int saved_;
};

// Colour 30 of hue entry hue - 1; hue 0 and numbers outside the table fall
// back to white.
M_WORD BarkTextColour(int hue) {
    const M_WORD* colours = hue >= 1 ? HueColours(hue - 1) : nullptr;
    return colours ? colours[30] : kFallbackColour;
}

}  // namespace

CUnicodeBarkGump::CUnicodeBarkGump(CDynamicObj* object, const M_WORD* text, int hueIn, int fontIn,
                                   const char* languageIn, CGump* gump)
    : CBarkGump(object, hueIn, fontIn, gump, 0, 0) {
    name = "unicode bark gump";
    for (const M_WORD* u = text; u && *u; ++u) wide_.push_back(*u);
    for (M_WORD u : wide_) text_.push_back(u < 128 ? static_cast<char>(u) : '?');
    wide_.push_back(0);
    if (languageIn) {
        strncpy(language, languageIn, 3);
        language[3] = 0;
    } else {
        strcpy(language, "enu");
    }

    std::string prefix;
    JournalPrefix(&prefix, &label_);
    std::vector<M_WORD> line(prefix.begin(), prefix.end());
    for (M_WORD& u : line) u &= 0xFF;
    line.insert(line.end(), wide_.begin(), wide_.end());
    TextManager::AddJournalText(line.data(), hue);
    Place(Measure(WrapWidth()), kSystemFootGap);
}

void CUnicodeBarkGump::Create(CDynamicObj* object, const M_WORD* text, int hue, int font,
                              const char* language, CGump* gump) {
    auto* bark = new CUnicodeBarkGump(object, text, hue, font, language, gump);
    if (bark->Dead()) delete bark;
}

CBarkGump::Size CUnicodeBarkGump::Measure(int wrapWidth) {
    BarkFont selected;
    int w = 0, h = 0, baseline = 0;
    UnicodeCalcInfo(wide_.data(), wrapWidth, &w, &h, &baseline);
    return {w + 2, h + 2};
}

void CUnicodeBarkGump::RenderText(int textHue) {
    M_WORD* pixels = FramePixels(0);
    if (!pixels || width <= 2 || height <= 2) return;
    std::vector<M_WORD> scratch(static_cast<size_t>(pitch) * height, 0);
    {
        BarkFont selected;
        UnicodeDrawStringBuf(BlitTarget(scratch.data(), pitch, width, height)
                                 .Clipped(RECT{1, 1, width - 1, height - 1}),
                             width - 2, wide_.data(), 1, 1, BarkTextColour(textHue), FALSE);
    }
    OutlinePixels(scratch.data(), pitch, height, kOutlineColour);
    const bool widen = resource_settings::Display565();
    for (size_t i = 0; i < scratch.size(); ++i)
        pixels[i] = widen && scratch[i] ? To565(scratch[i]) : scratch[i];
}

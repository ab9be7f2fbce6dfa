// The input field's picture: background, text and caret painted into its
// bitmap (frame 0) by RedrawText.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "gumps/InputControlGump.h"
#include "gumps/TiledDraw.h"
#include "resources/FontManager.h"
#include "resources/GumpArt.h"

namespace {

// The list fields' own backgrounds, which carry their drop-down mark at a
// place of their own.
constexpr int kListArt = 2445, kWideListArt = 2446;

struct Line {
    int height = 0;
    int baseline = 0;
};

Line rowOf(int font) {
    Line line;
    int w = 0;
    FontManager::GetStringSize(font, "Aq", &w, &line.height, &line.baseline);
    return line;
}

int textWidth(int font, const char* s) {
    int w = 0, h = 0, b = 0;
    FontManager::GetStringSize(font, s, &w, &h, &b);
    return w;
}

}  // namespace

void CInputControlGump::RedrawText() {
    Paint(hue);
}

void CInputControlGump::Paint(int textHue) {
    M_WORD* pixels = FramePixels(0);
    if (!pixels) return;
    const int w = FrameWidth(0), h = FrameHeight(0);
    const BlitTarget whole(pixels, pitch, w, h);

    // 1-2: the background.
    int background = art;
    if (selected && selectedArt)
        background = selectedArt;
    else if (hovered && hoverArt)
        background = hoverArt;
    else if (text[0] == 0 && emptyArt)
        background = emptyArt;
    else if (readOnly)
        background = alternativeArt;
    std::fill_n(pixels, static_cast<size_t>(pitch) * h, 0);
    if (!clearBackground) {
        if (tiledBar)
            DrawTiledBar(background, pixels - 2);
        else if (background > 0)
            DrawGumpArt(CopySpanTransparent, background, 0, 0, whole);
    }

    // 3: the text area inside the margins.
    const BlitTarget area =
        whole.Clipped(RECT{leftMargin, topMargin, w - leftMargin, h - topMargin});
    const Line line = rowOf(font);
    const int baseY = topMargin + line.baseline;
    char buffer[TEXT_SIZE];
    const char* shown = Shown(buffer);
    const int length = static_cast<int>(strlen(shown));
    const int from = std::clamp(scroll, 0, length);
    const int caretAt = std::clamp(caret, from, length);
    const int wrapWidth = w - 2 * leftMargin;

    if (Focused()) {
        // 4-5: the text from the scroll position and the caret after it.
        int caretX = leftMargin, caretY = baseY + 2;
        if (wrap && mode != NUMBER && !masked) {
            FontManager::DrawstringBuf(leftMargin, topMargin, font, textHue, shown + from,
                                       wrapWidth, area, 0, 0, FALSE);
            int cx = 0, cy = 0;
            FontManager::GetStringWrapEndXY(font, caretAt - from, shown + from, wrapWidth, &cx,
                                            &cy);
            caretX += cx;
            caretY += cy;
        } else {
            FontManager::DrawString(leftMargin, baseY, font, textHue, shown + from, area);
            caretX += FontManager::GetStringWidth(font, caretAt - from, shown + from);
        }
        FontManager::DrawString(caretX, caretY, font, CARET_HUE, "_", whole);
        return;
    }

    // 6: not focused.
    if (mode == NUMBER) {
        const int x = centred ? (w - textWidth(font, shown)) / 2 : leftMargin;
        FontManager::DrawString(x, baseY, font, textHue, shown, area);
        return;
    }
    if (masked) {
        FontManager::DrawString(leftMargin, baseY, font, textHue, shown + from, area);
        return;
    }
    if (centred) {
        const int tw = textWidth(font, shown);
        const bool narrow = readOnly ? tw < w - 2 * leftMargin : tw + 2 * leftMargin < w;
        if (narrow)
            FontManager::DrawString((w - tw) / 2, baseY, font, textHue, shown, area);
        else
            FontManager::DrawStringBufEllips(leftMargin, baseY, font, textHue, shown, area);
        if (!readOnly) {
            // A list field: the drop-down mark.
            if (art == kListArt)
                DrawGumpArt(CopySpanTransparent, DROP_MARK_ART, w - leftMargin - 11, topMargin + 2,
                            whole);
            else if (art == kWideListArt)
                DrawGumpArt(CopySpanTransparent, DROP_MARK_ART, w - leftMargin - 15, topMargin + 2,
                            whole);
            else
                DrawGumpArt(CopySpanTransparent, PLAIN_DROP_MARK_ART, w - leftMargin - 9, 1, whole);
        }
        return;
    }
    if (wrap) {
        FontManager::DrawstringBuf(leftMargin, topMargin, font, textHue, shown + from, wrapWidth,
                                   area, 0, 0, FALSE);
        return;
    }
    FontManager::DrawString(leftMargin, baseY, font, textHue, shown + from, area);
}

// ---- CInputLineGump -------------------------------------------------------------

CInputLineGump::CInputLineGump(int xIn, int yIn, CGump* owner, int widthIn, int heightIn,
                               int modeIn, int maxIn, int fontIn, int hueIn, BOOL editableIn,
                               BOOL centredIn, int tiledWidth)
    : CInputControlGump(xIn, yIn, owner, widthIn, heightIn, modeIn, maxIn, fontIn, hueIn,
                        editableIn, centredIn, tiledWidth) {
    // The base constructor painted the field before this part existed.
    RedrawText();
}

void CInputLineGump::RedrawText() {
    int textHue = hue;
    if (selected && selectedHue)
        textHue = selectedHue;
    else if (hovered && hoverHue)
        textHue = hoverHue;
    Paint(textHue);
    if (iconArt != -1) {
        M_WORD* pixels = FramePixels(0);
        if (!pixels) return;
        int iconWidth = 0;
        GetGumpArtSize(iconArt, &iconWidth, nullptr);
        DrawGumpArt(CopySpanTransparent, iconArt, FrameWidth(0) - iconWidth - 3, 2,
                    BlitTarget(pixels, pitch, FrameWidth(0), FrameHeight(0)));
    }
}

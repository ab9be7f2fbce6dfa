// Drawing 8-bit text in the bitmap fonts.
#include <algorithm>
#include <cstring>

#include "ErrorMessage.h"
#include "config/Config.h"
#include "resources/FontManager.h"
#include "resources/FontText.h"
#include "resources/SpanHandlers.h"

namespace {

inline int Char(const char* text, int i) {
    return static_cast<unsigned char>(text[i]);
}

BOOL MissingFont() {
    ErrorMessage("Missing Font!", "Error", FALSE);
    return FALSE;
}

// Darkens a row of a glyph for the shaded look: each channel of each opaque
// pixel loses k, but stays at least 1.
void ShadeRow(const M_WORD* src, M_WORD* out, int count, int k) {
    for (int i = 0; i < count; ++i) {
        const int p = src[i];
        if (p == 0) {
            out[i] = 0;
            continue;
        }
        const int r = std::max(((p >> 10) & 31) - k, 1);
        const int g = std::max(((p >> 5) & 31) - k, 1);
        const int b = std::max((p & 31) - k, 1);
        out[i] = static_cast<M_WORD>(r << 10 | g << 5 | b);
    }
}

// Draws glyph c with its left edge at pen x and its baseline on row y; the
// advance, or 0 when there is no glyph or it would cross the clip's left or
// right edge (then nothing is drawn).
int DrawGlyph(const CFont& font, int c, int x, int y, int hue, const BlitTarget& target) {
    const RECT& clip = target.clip;
    if (c < 32 || c > 255) return 0;
    const M_WORD* glyph = font.glyphs[c - 32];
    if (!glyph || glyph[0] == 0) return 0;
    const int w = glyph[0], h = glyph[1];
    const int descent = static_cast<int>(font.descent[c - 32]);
    const long top = static_cast<long>(y) + 1 - (h - descent);
    if (x < clip.left || static_cast<long>(x) + w - 1 >= clip.right) return 0;

    const long firstRow = std::max<long>(0, clip.top - top);
    const long lastRow = std::min<long>(h - 1, clip.bottom - top - 1);

    SpanHandler handler = CopySpanTransparent;
    if (hue > 0) {
        DrawHue = hue - 1;
        handler = font.partialHue ? HueGraySpanTransparent : HueSpanTransparent;
    }
    M_WORD shaded[256];  // a glyph row: glyphs are at most 255 pixels wide
    if (firstRow > lastRow) return w;
    // Kept in registers: the handler is an opaque call.
    const long pitch = target.pitch;
    M_WORD* dst = target.At(x, top + firstRow);
    for (long row = firstRow; row <= lastRow; ++row, dst += pitch) {
        const M_WORD* src = glyph + 2 + row * w;
        if (ShadedFonts) {
            ShadeRow(src, shaded, w, static_cast<int>((row - firstRow + 1) >> 1));
            handler(dst, shaded, w);
        } else {
            handler(dst, src, w);
        }
        if (Display565)
            for (int i = 0; i < w; ++i)
                if (src[i]) dst[i] = To565(dst[i]);
    }
    return w;
}

// Draws a line of text from pen x on baseline y; with stopAtGap the first
// glyph that returns 0 ends it.
void DrawLineOfText(const CFont& font, const char* text, int x, int y, int hue,
                    const BlitTarget& target, bool stopAtGap) {
    int pen = x;
    for (int i = 0; text[i]; ++i) {
        const int advance = DrawGlyph(font, Char(text, i), pen, y, hue, target);
        if (advance == 0 && stopAtGap) return;
        pen += advance;
    }
}

BOOL DrawEllipsis(int x, int y, int font, int hue, FontText text, const BlitTarget& target) {
    const CFont* f = FontManager::GetFont(font);
    if (!f) return MissingFont();
    if (!target.pixels) return FALSE;
    const RECT& c = target.clip;
    int width = 0;
    FontManager::GetStringSize(font, text.c_str(), &width, nullptr, nullptr);
    bool marked = false;
    if (static_cast<long>(x) + width > c.right) {
        marked = true;
        const int dots = 3 * FontManager::GetCharWidth(font, '.');
        while (!text.empty() && static_cast<long>(x) + width + dots > c.right) {
            text.pop_back();
            FontManager::GetStringSize(font, text.c_str(), &width, nullptr, nullptr);
        }
    }
    DrawLineOfText(*f, text.c_str(), x, y, hue, target, false);
    if (marked) DrawLineOfText(*f, "...", x + width, y, hue, target, false);
    return TRUE;
}

}  // namespace

BOOL FontManager::DrawString(int x, int y, int font, int hue, const char* text,
                             const BlitTarget& target) {
    const CFont* f = GetFont(font);
    if (!f) return MissingFont();
    if (!text || !target.pixels) return FALSE;
    DrawLineOfText(*f, text, x, y, hue, target, true);
    return TRUE;
}

BOOL FontManager::DrawstringBuf(int x, int y, int font, int hue, const char* text, int wrapWidth,
                                const BlitTarget& target, int indent, int lineSpacing,
                                BOOL centre) {
    const CFont* f = GetFont(font);
    if (!f) return MissingFont();
    if (!text || !target.pixels) return FALSE;
    FontLineWrapper lines(font, FontWorkingCopy(text, "FontManager::DrawstringBuf"), wrapWidth,
                          indent);
    FontText line;
    int end;
    long lineTop = y;
    while (lines.Next(&line, &end)) {
        int w, h, b;
        GetStringSize(font, line.c_str(), &w, &h, &b);
        const int pen = centre ? x + (wrapWidth - w) / 2 : x;
        DrawLineOfText(*f, line.c_str(), pen, static_cast<int>(lineTop + b), hue, target, true);
        lineTop += lineSpacing != 0 ? lineSpacing : h;
    }
    return TRUE;
}

BOOL FontManager::DrawStringBufEllips(int x, int y, int font, int hue, const char* text,
                                      const BlitTarget& target) {
    if (!ValidFont(font)) return MissingFont();
    if (!text) return FALSE;
    return DrawEllipsis(x, y, font, hue, FontWorkingCopy(text, "FontManager::DrawStringBufEllips"),
                        target);
}

BOOL FontManager::DrawWideStringEllips(int x, int y, int font, int hue, const M_WORD* text,
                                       const BlitTarget& target) {
    if (!ValidFont(font)) return MissingFont();
    if (!text) return FALSE;
    // At most 255 characters; a unit above 255 has no glyph, like a control
    // character.
    FontText bytes;
    for (int i = 0; text[i] && i < TEXT_BUFFER_SIZE - 1; ++i)
        bytes.push_back(static_cast<char>(text[i] > 255 ? 1 : text[i]));
    return DrawEllipsis(x, y, font, hue, bytes, target);
}

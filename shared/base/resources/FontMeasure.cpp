// Measuring and wrapping of 8-bit text in the bitmap fonts.
#include <algorithm>
#include <cstring>

#include "TWReport.h"
#include "resources/FontManager.h"
#include "resources/FontText.h"

namespace {

inline int Char(const char* text, int i) {
    return static_cast<unsigned char>(text[i]);
}

}  // namespace

FontText FontWorkingCopy(const char* text, const char* routine) {
    const size_t length = strlen(text);
    const size_t limit = FontManager::TEXT_BUFFER_SIZE - 1;
    if (length >= limit) {
        TWReport::message("%s - OVERFLOW: msg is %d bytes\n", routine,
                          static_cast<int>(length + 1));
        return FontText(text, limit);
    }
    return FontText(text, length);
}

// An indent wider than the working buffer could never have fitted beside the
// text; it counts as the buffer's width, not as a huge allocation per line.
FontLineWrapper::FontLineWrapper(int font, FontText text, int wrapWidth, int indent)
    : font_(font),
      rest_(std::move(text)),
      wrapWidth_(wrapWidth),
      indent_(std::clamp(indent, 0, FontManager::TEXT_BUFFER_SIZE - 1)) {}

bool FontLineWrapper::Next(FontText* line, int* consumedEnd) {
    if (done_) return false;
    lineStart_ = consumed_;
    const int b = FontManager::FindLineBreak(font_, rest_.c_str(), wrapWidth_);
    if (b < 0) {
        *line = rest_;
        consumed_ += static_cast<int>(rest_.size()) - prefixed_;
        *consumedEnd = consumed_;
        done_ = true;
        return true;
    }
    const size_t take = static_cast<size_t>(b) + 1;
    *line = rest_.prefix(take);
    const size_t drop = take + (take < rest_.size() && rest_[take] == ' ' ? 1 : 0);
    const int original = std::max(0, static_cast<int>(drop) - prefixed_);
    consumed_ += original;
    prefixed_ = std::max(0, prefixed_ - static_cast<int>(drop));
    rest_.dropFront(drop);
    // A line made of indent alone took no text: indenting further would
    // never end, so the remaining lines go without it.
    if (original == 0) indent_ = 0;
    if (indent_ > 0) {
        rest_.insertFront(static_cast<size_t>(indent_), ' ');
        prefixed_ += indent_;
    }
    *consumedEnd = consumed_;
    return true;
}

int FontManager::GetStringWidth(int font, int n, const char* text) {
    if (!ValidFont(font) || !text || n <= 0) return 0;
    int width = 0;
    for (int i = 0; i < n && text[i]; ++i) width += GetCharWidth(font, Char(text, i));
    return width;
}

BOOL FontManager::GetStringSize(int font, const char* text, int* width, int* height,
                                int* baseline) {
    const CFont* f = GetFont(font);
    int w = 0, ascent = 0, descent = 0;
    if (f && text) {
        for (int i = 0; text[i]; ++i) {
            const int c = Char(text, i);
            if (c < 32) continue;
            const M_WORD* glyph = f->glyphs[c - 32];
            if (!glyph) continue;
            const int d = static_cast<int>(f->descent[c - 32]);
            w += glyph[0];
            ascent = std::max(ascent, glyph[1] - d);
            descent = std::max(descent, d);
        }
    }
    if (width) *width = w;
    if (height) *height = ascent + descent;
    if (baseline) *baseline = ascent - 1;
    return f != nullptr;
}

int FontManager::CountCharsInWidth(int font, const char* text, int width) {
    if (!ValidFont(font) || !text) return 0;
    int left = width, n = 0;
    for (; text[n]; ++n) {
        const int w = GetCharWidth(font, Char(text, n));
        if (left <= w) break;
        left -= w;
    }
    return n;
}

int FontManager::FindLineBreak(int font, const char* text, int width) {
    if (!text) return -1;
    int total = 0, candidate = -1;
    for (int i = 0; text[i]; ++i) {
        const int c = Char(text, i);
        // Recorded before the width test: a space that overflows still counts.
        if (c == ' ' && i >= 2) candidate = i - 1;
        total += GetCharWidth(font, c);
        if (total > width) return candidate >= 0 ? candidate : i - 1;
    }
    return -1;
}

void FontManager::CalcInfoWrap(int font, const char* text, int wrapWidth, int* width, int* height,
                               int* baseline, int indent) {
    int maxWidth = 0, total = 0, firstBaseline = 0;
    if (ValidFont(font) && text) {
        FontLineWrapper lines(font, FontWorkingCopy(text, "FontManager::CalcInfoWrap"), wrapWidth,
                              indent);
        FontText line;
        int end;
        while (lines.Next(&line, &end)) {
            int w, h, b;
            GetStringSize(font, line.c_str(), &w, &h, &b);
            maxWidth = std::max(maxWidth, w);
            total += h;
            if (firstBaseline == 0) firstBaseline = b;
        }
    }
    if (width) *width = maxWidth;
    if (height) *height = total;
    if (baseline) *baseline = firstBaseline;
}

void FontManager::GetStringWrapEndXY(int font, int n, const char* text, int wrapWidth, int* x,
                                     int* y) {
    int px = 0, py = 0;
    if (ValidFont(font) && text) {
        TWReport::message("FontManager::GetStringWrapEndXY - msg is %d bytes\n",
                          static_cast<int>(strlen(text) + 1));
        const FontText copy = FontWorkingCopy(text, "FontManager::GetStringWrapEndXY");
        n = std::clamp(n, 0, static_cast<int>(copy.size()));
        FontLineWrapper lines(font, copy, wrapWidth, 0);
        FontText line;
        int end;
        while (lines.Next(&line, &end)) {
            int w, h, b;
            GetStringSize(font, line.c_str(), &w, &h, &b);
            // A dropped space belongs to the end of the line before it.
            if (n < end || end >= static_cast<int>(copy.size())) {
                px = GetStringWidth(font, n - lines.LineStart(), line.c_str());
                break;
            }
            py += h;
        }
    }
    if (x) *x = px;
    if (y) *y = py;
}

int FontManager::FitStringToRect(int font, const char* text, int wrapWidth, int maxWidth,
                                 int maxHeight) {
    if (!text) return 0;
    const int length = static_cast<int>(std::min<size_t>(strlen(text), TEXT_BUFFER_SIZE - 1));
    for (int n = length; n > 0; --n) {
        int x, y;
        GetStringWrapEndXY(font, n, text, wrapWidth, &x, &y);
        if (x <= maxWidth && y <= maxHeight) return n;
    }
    return 0;
}

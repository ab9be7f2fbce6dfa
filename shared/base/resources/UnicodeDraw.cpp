// Drawing Unicode text in one colour.
#include <algorithm>
#include <vector>

#include "resources/UnicodeFont.h"
#include "resources/UnicodeFontStore.h"
#include "resources/UnicodeLines.h"

namespace {

void Put(const BlitTarget& target, long x, long y, M_WORD colour) {
    if (target.Contains(x, y)) *target.At(x, y) = colour;
}

// The selection: characters drawn with a glyph count from 0; those whose
// index lies in [first, last] take the selected colour.  The count runs on
// across the lines of wrapped text.
struct Selection {
    int colour;
    int selectedColour = 0;
    int first = 0;
    int last = -1;
    int index = 0;

    M_WORD Current() const {
        return static_cast<M_WORD>(index >= first && index <= last ? selectedColour : colour);
    }
};

// Clipped once: a space may be as wide as its setter asked.
void Underline(const BlitTarget& target, long from, long to, long row, M_WORD colour) {
    const RECT& clip = target.clip;
    if (row < clip.top || row >= clip.bottom) return;
    from = std::max<long>(from, clip.left);
    to = std::min<long>(to, clip.right);
    for (long x = from; x < to; ++x) *target.At(x, row) = colour;
}

void DrawLine(const BlitTarget& target, const M_WORD* text, int x, int y, Selection& sel) {
    if (!UnicodeFontsLoaded()) LoadUnicodeFont();
    if (!UnicodeFontsLoaded() || !text) return;
    const bool underline = UnicodeStyleHasMaskA();
    const bool thick = UnicodeStyleHasMaskB();
    const bool slant = UnicodeStyleHasMaskC();
    const bool option = UnicodeGetDrawOption() != 0;
    const long underlineRow = static_cast<long>(y) + UNICODE_UNDERLINE_ROW;
    long pen = x;
    for (; *text; ++text) {
        const M_WORD colour = sel.Current();
        if (*text == ' ') {
            const long next = pen + UnicodeGetSpaceWidth();
            if (underline) Underline(target, pen, next, underlineRow, colour);
            pen = next;
            continue;
        }
        UnicodeGlyph g;
        if (!FindUnicodeGlyph(*text, &g)) continue;
        const M_WORD dim = static_cast<M_WORD>((colour & 0x7BDE) >> 1);
        for (int row = 0; row < g.height; ++row) {
            const long py = static_cast<long>(y) + g.yOffset + row;
            if (py < target.clip.top || py >= target.clip.bottom) continue;
            // Slanted rows move right, more at the top; the clip is tested
            // after the move.
            const long shift = slant ? (g.height - row - 1) / 2 : 0;
            const M_BYTE* bits = g.rows + static_cast<long>(row) * g.rowBytes;
            bool firstInRow = true;
            for (int col = 0; col < g.width; ++col) {
                if (!(bits[col >> 3] & (0x80 >> (col & 7)))) continue;
                const long px = pen + g.xOffset + col + shift;
                if (!target.Contains(px, py)) continue;
                const M_WORD ink = option && firstInRow ? dim : colour;
                firstInRow = false;
                *target.At(px, py) = ink;
                if (thick) Put(target, px + 1, py, ink);
            }
        }
        const long next =
            pen + g.xOffset + g.width + (option ? 0 : 1) + (thick ? 1 : 0) + (slant ? 1 : 0);
        if (underline) Underline(target, pen, next, underlineRow, colour);
        pen = next;
        ++sel.index;
    }
}

void DrawWrapped(const BlitTarget& target, int wrapWidth, const M_WORD* text, int x, int y,
                 BOOL centre, Selection& sel) {
    if (!target.pixels || !text) return;
    UnicodeLineWrapper lines(text, wrapWidth);
    std::vector<M_WORD> line;
    long top = y;
    while (lines.Next(&line)) {
        int w;
        UnicodeCalcInfoLine(line.data(), &w, nullptr, nullptr);
        const int pen = centre ? x + (wrapWidth - w) / 2 : x;
        DrawLine(target, line.data(), pen, static_cast<int>(top), sel);
        top += UNICODE_LINE_HEIGHT;
    }
}

}  // namespace

void UnicodeDrawString(const BlitTarget& target, const M_WORD* text, int x, int y, int colour) {
    if (!target.pixels) return;
    Selection sel{colour};
    DrawLine(target, text, x, y, sel);
}

void UnicodeDrawStringSelected(const BlitTarget& target, const M_WORD* text, int x, int y,
                               int colour, int selectedColour, int first, int last) {
    if (!target.pixels) return;
    Selection sel{colour, selectedColour, first, last};
    DrawLine(target, text, x, y, sel);
}

void UnicodeDrawStringBuf(const BlitTarget& target, int wrapWidth, const M_WORD* text, int x, int y,
                          int colour, BOOL centre) {
    Selection sel{colour};
    DrawWrapped(target, wrapWidth, text, x, y, centre, sel);
}

void UnicodeDrawStringBufSelected(const BlitTarget& target, int wrapWidth, const M_WORD* text,
                                  int x, int y, int colour, int selectedColour, int first,
                                  int last) {
    Selection sel{colour, selectedColour, first, last};
    DrawWrapped(target, wrapWidth, text, x, y, FALSE, sel);
}

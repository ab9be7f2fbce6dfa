// Drawing Unicode text in one colour.
#include <algorithm>
#include <vector>

#include "resources/UnicodeFont.h"
#include "resources/UnicodeFontStore.h"
#include "resources/UnicodeLines.h"

namespace {

// Where and how one call draws: the clip already cut to the buffer.
struct Canvas {
    M_WORD* pixels;
    int pitch;
    RECT clip;

    bool Inside(long x, long y) const {
        return x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
    }
    void Put(long x, long y, M_WORD colour) const {
        if (Inside(x, y)) pixels[y * pitch + x] = colour;
    }
};

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
void Underline(const Canvas& canvas, long from, long to, long row, M_WORD colour) {
    if (row < canvas.clip.top || row >= canvas.clip.bottom) return;
    from = std::max<long>(from, canvas.clip.left);
    to = std::min<long>(to, canvas.clip.right);
    for (long x = from; x < to; ++x) canvas.pixels[row * canvas.pitch + x] = colour;
}

void DrawLine(const Canvas& canvas, const M_WORD* text, int x, int y, Selection& sel) {
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
            if (underline) Underline(canvas, pen, next, underlineRow, colour);
            pen = next;
            continue;
        }
        UnicodeGlyph g;
        if (!FindUnicodeGlyph(*text, &g)) continue;
        const M_WORD dim = static_cast<M_WORD>((colour & 0x7BDE) >> 1);
        for (int row = 0; row < g.height; ++row) {
            const long py = static_cast<long>(y) + g.yOffset + row;
            if (py < canvas.clip.top || py >= canvas.clip.bottom) continue;
            // Slanted rows move right, more at the top; the clip is tested
            // after the move.
            const long shift = slant ? (g.height - row - 1) / 2 : 0;
            const M_BYTE* bits = g.rows + static_cast<long>(row) * g.rowBytes;
            bool firstInRow = true;
            for (int col = 0; col < g.width; ++col) {
                if (!(bits[col >> 3] & (0x80 >> (col & 7)))) continue;
                const long px = pen + g.xOffset + col + shift;
                if (!canvas.Inside(px, py)) continue;
                const M_WORD ink = option && firstInRow ? dim : colour;
                firstInRow = false;
                canvas.Put(px, py, ink);
                if (thick) canvas.Put(px + 1, py, ink);
            }
        }
        const long next =
            pen + g.xOffset + g.width + (option ? 0 : 1) + (thick ? 1 : 0) + (slant ? 1 : 0);
        if (underline) Underline(canvas, pen, next, underlineRow, colour);
        pen = next;
        ++sel.index;
    }
}

Canvas MakeCanvas(M_WORD* pixels, int pitch, const RECT& clip) {
    return Canvas{pixels, pitch,
                  RECT{std::max(clip.left, 0), std::max(clip.top, 0), std::min(clip.right, pitch),
                       clip.bottom}};
}

void DrawWrapped(M_WORD* pixels, int wrapWidth, int pitch, const M_WORD* text, int x, int y,
                 const RECT& clip, BOOL centre, Selection& sel) {
    if (!pixels || !text) return;
    const Canvas canvas = MakeCanvas(pixels, pitch, clip);
    UnicodeLineWrapper lines(text, wrapWidth);
    std::vector<M_WORD> line;
    long top = y;
    while (lines.Next(&line)) {
        int w;
        UnicodeCalcInfoLine(line.data(), &w, nullptr, nullptr);
        const int pen = centre ? x + (wrapWidth - w) / 2 : x;
        DrawLine(canvas, line.data(), pen, static_cast<int>(top), sel);
        top += UNICODE_LINE_HEIGHT;
    }
}

}  // namespace

void UnicodeDrawString(M_WORD* pixels, int pitch, const M_WORD* text, int x, int y, int colour,
                       const RECT& clip) {
    if (!pixels) return;
    Selection sel{colour};
    DrawLine(MakeCanvas(pixels, pitch, clip), text, x, y, sel);
}

void UnicodeDrawStringSelected(M_WORD* pixels, int pitch, const M_WORD* text, int x, int y,
                               int colour, const RECT& clip, int selectedColour, int first,
                               int last) {
    if (!pixels) return;
    Selection sel{colour, selectedColour, first, last};
    DrawLine(MakeCanvas(pixels, pitch, clip), text, x, y, sel);
}

void UnicodeDrawStringBuf(M_WORD* pixels, int wrapWidth, int pitch, const M_WORD* text, int x,
                          int y, int colour, const RECT& clip, BOOL centre) {
    Selection sel{colour};
    DrawWrapped(pixels, wrapWidth, pitch, text, x, y, clip, centre, sel);
}

void UnicodeDrawStringBufSelected(M_WORD* pixels, int wrapWidth, int pitch, const M_WORD* text,
                                  int x, int y, int colour, const RECT& clip, int selectedColour,
                                  int first, int last) {
    Selection sel{colour, selectedColour, first, last};
    DrawWrapped(pixels, wrapWidth, pitch, text, x, y, clip, FALSE, sel);
}

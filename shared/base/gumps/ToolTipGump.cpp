#include "gumps/ToolTipGump.h"

#include <algorithm>
#include <vector>

#include "TWReport.h"
#include "config/Config.h"
#include "resources/GumpArt.h"
#include "resources/ResourceSettings.h"
#include "resources/SpanHandlers.h"
#include "resources/UnicodeFont.h"

namespace {

struct PieceSize {
    int width;
    int height;
};
// 3000 top-left, 3001 top, 3002 top-right, 3003 left, 3004 centre, 3005 right,
// 3006 bottom-left, 3007 bottom, 3008 bottom-right.
constexpr PieceSize kPieceSizes[ToolTipGump::FRAME_PIECES] = {
    {4, 4}, {245, 4}, {4, 4}, {4, 244}, {240, 240}, {4, 244}, {4, 4}, {245, 4}, {4, 4},
};
constexpr int kWidthStep = 16;
// No tool-tip grows wider than this, whatever its text.
constexpr int kMaxWrapWidth = 4096;
constexpr M_WORD kOutlineColour = 1;

int art(int piece) {
    return ToolTipGump::FRAME_ART_FIRST + piece;
}

}  // namespace

BOOL ToolTipGump::HasFrameArt() {
    for (int i = 0; i < FRAME_PIECES; ++i) {
        int w = 0, h = 0;
        GetGumpArtSize(art(i), &w, &h);
        if (w != kPieceSizes[i].width || h != kPieceSizes[i].height) return FALSE;
    }
    return TRUE;
}

int ToolTipGump::GetFont() {
    return ToolTipFont;
}

void ToolTipGump::SetFont(int font) {
    ToolTipFont = std::clamp(font, 0, 2);
}

void ToolTipGump::MeasureText(const M_WORD* text, int* wrapWidth, int* wrappedHeight) {
    int width = 0;
    for (const M_WORD* p = text; *p; ++p) width = std::max(width, UnicodeGetWordWidth(p));
    int measuredWidth = 0, height = 0, baseline = 0;
    for (;;) {
        UnicodeCalcInfo(text, width, &measuredWidth, &height, &baseline);
        // An empty text has no height: nothing to weigh the width against.
        if (height <= 0) break;
        // The ratio is taken in whole numbers, so the box stops at twice as
        // wide as it is tall.
        if (static_cast<double>(width / height) > 1.6 || width >= kMaxWrapWidth) break;
        width += kWidthStep;
    }
    *wrapWidth = width;
    *wrappedHeight = height;
}

ToolTipGump::ToolTipGump(int xIn, int yIn, const M_WORD* text)
    : CGump(xIn, yIn, nullptr, nullptr, 1, 0, 0) {
    if (!HasFrameArt()) {
        // A data file never ends the program: the tip stays empty.
        TWReport::error("ToolTipGump::ToolTipGump: Gump Tooltip art is wrong size!\n");
        visible = FALSE;
        PutInGump(nullptr);
        return;
    }
    const int savedFont = UnicodeGetCurrentFont();
    UnicodeSetCurrentFont(GetFont());
    int wrapWidth = 0, wrappedHeight = 0;
    static const M_WORD kEmpty[1] = {0};
    MeasureText(text ? text : kEmpty, &wrapWidth, &wrappedHeight);
    textWidth = wrapWidth + 2;
    textHeight = wrappedHeight + 2;
    innerLeft = innerTop = textX = textY = INSET;
    width = textWidth + 2 * INSET;
    height = textHeight + 2 * INSET;
    pitch = FramePitch(width);
    DrawFrame();
    if (text) DrawText(text);
    UnicodeSetCurrentFont(savedFont);
    PutInGump(nullptr);
}

void ToolTipGump::DrawFrame() {
    M_WORD* pixels = NewFrameBlock(0, width, height);
    if (!pixels) return;
    const int W = textWidth;
    const int H = textHeight;
    auto draw = [&](int piece, int px, int py, const RECT& clip) {
        DrawGumpPixels(CopySpanTransparent, art(piece), px, py,
                       BlitTarget(pixels, pitch, width, height).Clipped(clip));
    };
    const RECT whole{0, 0, width, height};
    const RECT inner{INSET, INSET, INSET + W, INSET + H};
    for (int oy = 0; oy < H; oy += kPieceSizes[4].height)
        for (int ox = 0; ox < W; ox += kPieceSizes[4].width) draw(4, INSET + ox, INSET + oy, inner);
    for (int ox = 0; ox < W; ox += kPieceSizes[1].width) {
        draw(1, INSET + ox, 0, whole);
        draw(7, INSET + ox, INSET + H, whole);
    }
    for (int oy = 0; oy < H; oy += kPieceSizes[3].height) {
        draw(3, 0, INSET + oy, whole);
        draw(5, INSET + W, INSET + oy, whole);
    }
    draw(0, 0, 0, whole);
    draw(2, INSET + W, 0, whole);
    draw(6, 0, INSET + H, whole);
    draw(8, INSET + W, INSET + H, whole);
}

void ToolTipGump::DrawText(const M_WORD* text) {
    M_WORD* pixels = FramePixels(0);
    if (!pixels) return;
    const int W = textWidth;
    const int H = textHeight;
    const M_DWORD savedStyle = UnicodeGetStyle();
    UnicodeSetStyle(0);
    std::vector<M_WORD> scratch(static_cast<size_t>(W) * H, 0);
    UnicodeDrawStringBuf(BlitTarget(scratch.data(), W, W, H).Clipped(RECT{1, 1, W - 1, H - 1}),
                         W - 2, text, 1, 1, static_cast<M_WORD>(ToolTipTextColor), FALSE);
    OutlinePixels(scratch.data(), W, H, kOutlineColour);
    const bool widen = resource_settings::Display565();
    for (int row = 0; row < H; ++row) {
        for (int col = 0; col < W; ++col) {
            const M_WORD p = scratch[static_cast<size_t>(row) * W + col];
            if (p)
                pixels[static_cast<size_t>(textY + row) * pitch + textX + col] =
                    widen ? To565(p) : p;
        }
    }
    UnicodeSetStyle(savedStyle);
}

void ToolTipGump::HandleLButtonDown(int, int) {
    BringToFront(this, 1);
}

void ToolTipGump::HandleRButtonUp(int, int) {
    delete this;
}

void ToolTipGump::HandleMouseMoveAway() {
    delete this;
}

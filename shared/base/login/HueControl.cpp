// The hue grid control (HueControl.h).
#include "login/HueControl.h"

#include <algorithm>
#include <cstdlib>

#include "config/Config.h"
#include "gumps/MouseManager.h"
#include "gumps/TiledDraw.h"
#include "resources/HueManager.h"

namespace {

// Colour 16 of a hue's ramp; a number outside the table draws black.
M_WORD SwatchColour(int number) {
    const Hue* h = HueManager::GetHue(number);
    return h ? h->colors[16] : 0;
}

M_WORD ToDisplay(M_WORD p) {
    return use565 ? static_cast<M_WORD>((p & 0x1F) | ((p & 0x7FE0) << 1)) : p;
}

}  // namespace

CHueControl::CHueControl(int xIn, int yIn, int widthIn, int heightIn, int modeIn, CGump* owner,
                         int backgroundArtIn, BOOL randomize)
    : CGump(xIn, yIn, owner, nullptr, 1, widthIn, heightIn),
      mode(modeIn),
      backgroundArt(backgroundArtIn) {
    name = "hue control";
    switch (mode) {
        case 1:
        case 2:
            rows = 8, columns = 6, firstHue = 1101, lastHue = 1148;
            break;
        case 3:
        case 4:
        case 5:
            rows = 50, columns = 20, firstHue = 1, lastHue = 1001;
            break;
        default:
            mode = 0;
            rows = 8, columns = 8, firstHue = 1001, lastHue = 1057;
            break;
    }
    int band = 100, base = 1;
    for (int r = 0; r < rows; ++r) {
        int start = 0;
        if (rows == 50) {
            band *= 2;
            start = base + band;
            if (start > 1001) {
                ++base;
                band = 100;
                start = base + 100;
            }
        }
        for (int c = 0; c < columns; ++c) {
            const int v = rows == 50 ? start + 5 * c : firstHue + r + 8 * c;
            cells[r][c] = static_cast<M_DWORD>(std::min(v, lastHue));
        }
    }
    // A control narrower or lower than its grid still has cells of one
    // pixel, so that no division by a zero cell size follows.
    cellWidth = std::max(1, width / columns);
    cellHeight = std::max(1, height / rows);
    leftMargin = std::max(0, (width % columns) / 2);
    topMargin = std::max(0, (height - rows * cellHeight) / 2);
    gridRight = leftMargin + columns * cellWidth;
    gridBottom = topMargin + rows * cellHeight;
    if (randomize) {
        selectedRow = rand() % rows;
        selectedColumn = rand() % columns;
    }
    hue = static_cast<M_WORD>(cells[selectedRow][selectedColumn]);
    NewFrameBlock(0, width, height);
    Render();
}

void CHueControl::CellAt(int px, int py, int* row, int* column) const {
    *column = std::clamp((px - leftMargin) / cellWidth, 0, columns - 1);
    *row = std::clamp((py - topMargin) / cellHeight, 0, rows - 1);
}

void CHueControl::Render() {
    M_WORD* pixels = FramePixels(0);
    if (!pixels) return;
    const int w = FrameWidth(0), h = FrameHeight(0);
    std::fill_n(pixels, static_cast<size_t>(pitch) * h, 0);
    DrawTiledArt(backgroundArt, pixels - 2);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const M_WORD colour = ToDisplay(SwatchColour(static_cast<int>(cells[r][c])));
            const int x0 = leftMargin + c * cellWidth, y0 = topMargin + r * cellHeight;
            for (int yy = y0; yy < std::min(y0 + cellHeight, h); ++yy)
                std::fill_n(pixels + static_cast<size_t>(yy) * pitch + x0,
                            std::max(0, std::min(cellWidth, w - x0)), colour);
        }
    }
    const int cx = leftMargin + selectedColumn * cellWidth + cellWidth / 2;
    const int cy = topMargin + selectedRow * cellHeight + cellHeight / 2;
    if (cx < w && cy < h) pixels[static_cast<size_t>(cy) * pitch + cx] = ToDisplay(0x7FFF);
}

void CHueControl::DrawContents(const RECT& dirty) {
    if (visible) CGump::DrawContents(dirty);
}

BOOL CHueControl::HitTest(int px, int py) {
    return visible && px >= 0 && py >= 0 && px < width && py < height;
}

void CHueControl::Pick(int px, int py) {
    CellAt(px, py, &selectedRow, &selectedColumn);
    hue = static_cast<M_WORD>(cells[selectedRow][selectedColumn]);
    Render();
    // The owner is the parent; it may hide or re-render this control.
    if (parent) parent->HandleButton(this);
}

void CHueControl::HandleMouseMove(int px, int py) {
    Pick(px, py);
}

void CHueControl::HandleLButtonDown(int px, int py) {
    Pick(px, py);
    visible = FALSE;
    Render();
}

void CHueControl::HandleLButtonUp(int, int) {
    if (MouseManager::GetCapture() == this) MouseManager::SetCapture(nullptr);
}

void CHueControl::HandleRButtonUp(int, int) {
    if (MouseManager::GetCapture() == this) MouseManager::SetCapture(nullptr);
}

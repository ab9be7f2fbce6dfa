// CHueControl: a grid of hue swatches that a gump embeds to pick a colour
// (the appearance gump has one per colour choice).  Each cell stands for a
// hue number and shows colour 16 of that hue's ramp; moving over a cell
// picks it and tells the owner (HandleButton), a press picks it and hides
// the grid.
//
// Modes (any other counts as 0):
//   0        8 x 8   cell (r, c) = min(1001 + r + 8c, 1057)     (skin)
//   1, 2     8 x 6   min(1101 + r + 8c, 1148)                   (hair)
//   3, 4, 5  50 x 20 min(s + 5c, 1001), s from the row rule     (clothes)
#pragma once

#include "TWTypes.h"
#include "gumps/Gump.h"

class CHueControl : public CGump {
public:
    static constexpr int kMaxRows = 50;
    static constexpr int kMaxColumns = 100;

    CHueControl(int x, int y, int width, int height, int mode, CGump* owner, int backgroundArt,
                BOOL randomize);

    // The hue number of a cell.
    int CellValue(int row, int column) const { return cells[row][column]; }
    // The cell under a point of the control, clamped into the grid.
    void CellAt(int px, int py, int* row, int* column) const;
    void Render();

    void DrawContents(const RECT& dirty) override;
    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    void HandleMouseMove(int x, int y) override;
    BOOL IsHueGump() override { return TRUE; }

    int leftMargin = 0, topMargin = 0, gridRight = 0, gridBottom = 0;
    int selectedRow = 0, selectedColumn = 0;
    M_WORD hue = 0;
    int rows = 8, columns = 8, cellWidth = 1, cellHeight = 1;
    int firstHue = 0, lastHue = 0;
    int mode = 0;
    int backgroundArt = 0;
    M_DWORD cells[kMaxRows][kMaxColumns] = {};

private:
    void Pick(int px, int py);
};

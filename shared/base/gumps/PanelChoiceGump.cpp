// The choice panel: a small framed panel of choices without a scroll bar,
// lit as a whole while the pointer is over it.
#include <algorithm>

#include "gumps/ChoiceGump.h"
#include "gumps/GumpHandle.h"
#include "gumps/MouseManager.h"
#include "gumps/TiledDraw.h"

CPanelChoiceGump::CPanelChoiceGump(int xIn, int yIn, int widthIn, int heightIn, CGump* owner,
                                   CInputControlGump* field, int frameArtIn, BOOL wideIn)
    : CChoiceListGump(xIn, yIn, widthIn, heightIn, owner, field, frameArtIn, wideIn) {
    name = "CPanelChoiceGump";
    listRect = RECT{0, 0, width, height};
    RedrawFrame();
}

void CPanelChoiceGump::RedrawFrame() {
    M_WORD* pixels = FramePixels(0);
    if (!pixels) return;
    std::fill_n(pixels, static_cast<size_t>(pitch) * FrameHeight(0), 0);
    DrawTiledFrame(frameArt, pixels - 2, FALSE);
    PaintRows(PANEL_FONT, HOVER_HUE, pointerOver, TRUE);
}

void CPanelChoiceGump::HandleLButtonDown(int px, int py) {
    CChoiceListGump::HandleLButtonDown(px, py);
    if (ownerGump) ownerGump->HandleButton(this);
}

void CPanelChoiceGump::HandleRButtonUp(int, int) {
    MouseManager::SetCapture(nullptr);
    cancelled = TRUE;
}

void CPanelChoiceGump::HandleMouseMove(int px, int py) {
    if (!pointerOver) {
        pointerOver = TRUE;
        RedrawFrame();
    }
    CChoiceListGump::HandleMouseMove(px, py);
}

void CPanelChoiceGump::HandleMouseMoveAway() {
    if (pointerOver) {
        pointerOver = FALSE;
        RedrawFrame();
    }
    CChoiceListGump::HandleMouseMoveAway();
}

void CPanelChoiceGump::TakeChoiceAt(int px, int py) {
    const int row = RowAt(px, py);
    if (row < 0) return;
    GumpHandle self(this);
    FillField(row);
    if (self && ownerGump) ownerGump->HandleButton(this);
}

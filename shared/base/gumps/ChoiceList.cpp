// The choice table and mouse bookkeeping shared by the scrolling choice
// list and the choice panel.
#include <algorithm>
#include <cstdio>

#include "Clock.h"
#include "TWReport.h"
#include "gumps/ChoiceGump.h"
#include "gumps/GumpHandle.h"
#include "gumps/MouseManager.h"
#include "resources/FontManager.h"
#include "resources/GumpArt.h"

namespace {

constexpr int kTitleX = 28, kTitleBottomOffset = 88, kTitleFont = 6, kTitleHue = 0;
constexpr int kMarkerY = 10;
constexpr int kMarkerX[3] = {26, 40, 54};

struct Row {
    int height = 0;
    int baseline = 0;
};

Row rowOf(int font) {
    Row row;
    int w = 0;
    FontManager::GetStringSize(font, "Aq", &w, &row.height, &row.baseline);
    return row;
}

}  // namespace

CChoiceListGump::CChoiceListGump(int xIn, int yIn, int widthIn, int heightIn, CGump* owner,
                                 CInputControlGump* field, int frameArtIn, BOOL wideIn)
    : CGump(xIn, yIn, nullptr, nullptr, 1, widthIn, heightIn), wide(wideIn), frameArt(frameArtIn) {
    ownerGump = owner;
    inputControl.set(field);
    NewFrameBlock(0, width, height);
}

CChoiceListGump::CChoiceListGump() = default;

CChoiceListGump::~CChoiceListGump() {
    // The manager clears its modal gump and the base frees the bitmap.
    if (ownerGump && inputControl) ownerGump->Reveal();
}

void CChoiceListGump::AddChoice(int id, const char* text, int hue) {
    if (count >= MAX_CHOICES) {
        TWReport::warning("CChoiceListGump::AddChoice: the list is full; '%s' is left out.\n",
                          text ? text : "");
        return;
    }
    ids[count] = id;
    hues[count] = static_cast<M_WORD>(hue);
    snprintf(texts[count], TEXT_SIZE, "%s", text ? text : "");
    wideTexts[count][0] = 0;
    ++count;
}

void CChoiceListGump::ClearChoices() {
    for (int i = 0; i < MAX_CHOICES; ++i) {
        texts[i][0] = 0;
        wideTexts[i][0] = 0;
    }
}

int CChoiceListGump::RowHeight() const {
    return rowOf(mappingFont).height;
}

int CChoiceListGump::RowAt(int px, int py) const {
    if (px < listRect.left || px > listRect.right || py < listRect.top || py > listRect.bottom)
        return -1;
    // A missing font has rows of no height: no row can be told.
    const int rowHeight = RowHeight();
    if (rowHeight <= 0) return -1;
    const int row = (py - listRect.top) / rowHeight + firstVisible;
    return row >= 0 && row < count ? row : -1;
}

BOOL CChoiceListGump::HitTest(int px, int py) {
    return px >= 0 && py >= 0 && px < FrameWidth(0) && py < FrameHeight(0);
}

void CChoiceListGump::HandleLButtonDown(int px, int py) {
    pressX = px;
    pressY = py;
    held = TRUE;
    tickCounter = 1;
    BringToFront(this, 0);
    if (clickState != 1) {
        clickState = 1;
        firstClickTime = GetTimeMs();
    } else {
        clickState = 2;
    }
    // The second press of a double click adds nothing of its own.
    pressUntaken = clickState == 1;
}

void CChoiceListGump::HandleLButtonUp(int, int) {
    held = FALSE;
    if (longPress) {
        longPress = 0;
        clickState = 0;
    } else if (clickState == 2) {
        // The double click does nothing more than its two presses did.
        clickState = 0;
    }
    MouseManager::SetCapture(nullptr);
    // A click quicker than a frame is still a choice.  Taking it may close
    // this gump: it comes last.
    if (pressUntaken) {
        pressUntaken = FALSE;
        TakeChoiceAt(pressX, pressY);
    }
}

void CChoiceListGump::HandleMouseMove(int px, int py) {
    const int row = RowAt(px, py);
    if (row == hovered) return;
    hovered = row;
    Render();
}

void CChoiceListGump::HandleMouseMoveAway() {
    if (hovered == -1) return;
    hovered = -1;
    Render();
}

void CChoiceListGump::Tick() {
    if (clickState == 1 &&
        GetTimeMs() - firstClickTime > static_cast<M_DWORD>(GetDoubleClickTime())) {
        clickState = 0;
        if (held) longPress = 1;
    }
    if (!held) return;
    if (tickCounter++ == 1) {
        tickCounter = 0;
        pressUntaken = FALSE;
        TakeChoiceAt(pressX, pressY);
    }
}

void CChoiceListGump::HandleScroll(int value, int range, CGump*) {
    const int first =
        range > 0 ? static_cast<int>(static_cast<long long>(count) * value / range) : 0;
    firstVisible = std::clamp(first, 0, std::max(0, count - 1));
    Render();
}

BOOL CChoiceListGump::FillField(int row) {
    CInputControlGump* field = inputControl.get();
    if (!field) return FALSE;
    field->value = ids[row];
    field->SetText(texts[row]);
    field->RedrawText();
    if (ownerGump) ownerGump->HandleButton(field);
    return TRUE;
}

void CChoiceListGump::PaintRows(int font, int hoverHue, BOOL allHovered, BOOL markersOnEveryRow) {
    M_WORD* pixels = FramePixels(0);
    if (!pixels) return;
    const BlitTarget whole(pixels, pitch, FrameWidth(0), FrameHeight(0));
    if (title[0])
        FontManager::DrawstringBuf(kTitleX, height - kTitleBottomOffset, kTitleFont, kTitleHue,
                                   title, width - 40, whole, 0, 0, FALSE);
    const Row row = rowOf(font);
    if (row.height <= 0) {
        TWReport::warning("CChoiceListGump: font %d is missing; the rows are not drawn.\n", font);
        return;
    }
    const BlitTarget list = whole.Clipped(listRect);
    int y = listRect.top;
    for (int i = std::max(0, firstVisible); i < count && y <= listRect.bottom; ++i) {
        if (markersOnEveryRow)
            for (int m = 0; m < 3; ++m)
                if (ids[i] == markers[m])
                    DrawGumpArt(CopySpanTransparent, CScrollChoiceGump::FIRST_MARKER_ART + m,
                                kMarkerX[m], y + kMarkerY, whole);
        const int rowHue = i == hovered || allHovered ? hoverHue : hues[i] ? hues[i] : DEFAULT_HUE;
        if (wide)
            FontManager::DrawWideStringEllips(listRect.left, y + row.baseline, font, rowHue,
                                              wideTexts[i], list);
        else
            FontManager::DrawStringBufEllips(listRect.left, y + row.baseline, font, rowHue,
                                             texts[i], list);
        y += row.height;
    }
}

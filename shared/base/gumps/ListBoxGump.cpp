// The list box over an art column: items, placement on the screen, hover,
// choosing, scrolling by hovering, and its picture.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "FrameBuf.h"
#include "TWReport.h"
#include "gumps/ArtColumn.h"
#include "gumps/GumpHandle.h"
#include "gumps/ListBoxGump.h"
#include "gumps/MouseManager.h"
#include "gumps/TiledDraw.h"
#include "resources/FontManager.h"
#include "resources/GumpArt.h"

namespace {

constexpr int kMiddlePieces = 3;
// Text inset from the column's middle pieces.
constexpr int kTextInset = 6;

int artWidth(int art) {
    int w = 0;
    GetGumpArtSize(art, &w, nullptr);
    return w;
}

int artHeight(int art) {
    int h = 0;
    GetGumpArtSize(art, nullptr, &h);
    return h;
}

}  // namespace

CListBoxControlGump::CListBoxControlGump(int xIn, int yIn, int artIn, int, int, int fontIn,
                                         int hueIn, int visibleRowsIn)
    : CGump(xIn, yIn, nullptr, nullptr, 1, artWidth(artIn),
            artHeight(artIn) + artHeight(artIn + 4)),
      autoScroll(visibleRowsIn != 0),
      visibleRows(visibleRowsIn),
      font(static_cast<M_WORD>(fontIn)),
      hue(static_cast<M_WORD>(hueIn)),
      art(artIn),
      top(artHeight(artIn)),
      bottom(artHeight(artIn + 4)) {
    name = "ListBoxControl gump";
    visible = FALSE;
}

CListBoxControlGump::CListBoxControlGump(int xIn, int yIn, int artIn, int widthIn, int heightIn,
                                         int fontIn, int hueIn, int visibleRowsIn, BOOL)
    : CGump(xIn, yIn, nullptr, nullptr, 1, widthIn, heightIn),
      autoScroll(visibleRowsIn != 0),
      visibleRows(visibleRowsIn),
      font(static_cast<M_WORD>(fontIn)),
      hue(static_cast<M_WORD>(hueIn)),
      art(artIn) {
    name = "ListBoxControl gump";
    visible = FALSE;
}

void CListBoxControlGump::AddItem(int id, const char* text) {
    if (count >= MAX_ITEMS) {
        TWReport::warning("CListBoxControlGump::AddItem: the list is full; '%s' is left out.\n",
                          text ? text : "");
        return;
    }
    ids[count] = id;
    snprintf(texts[count], sizeof texts[count], "%s", text ? text : "");
    ++count;
    if (!autoScroll || count <= visibleRows) height += ROW_HEIGHT;

    // Keep the box on the screen, with room below it to hover while it
    // scrolls.
    const int screenHeight = g_displayHeight > 0 ? g_displayHeight : 480;
    if (y + height > screenHeight) y = screenHeight - height;
    if (autoScroll && y + height > screenHeight - SCROLL_MARGIN)
        y = screenHeight - SCROLL_MARGIN - height;
    y = std::max(0, y);

    // A long text widens the box around its centre.
    int w = 0, h = 0, b = 0;
    FontManager::GetStringSize(font, texts[count - 1], &w, &h, &b);
    if (w > width - 2 * kTextInset) {
        const int growth = w - (width - 2 * kTextInset);
        width = w + 2 * kTextInset;
        x -= growth / 2;
    }
}

BOOL CListBoxControlGump::EnsureBitmap() {
    if (FramePixels(0) && FrameWidth(0) == width && FrameHeight(0) == height) return FALSE;
    pitch = FramePitch(width);
    return NewFrameBlock(0, width, height) != nullptr;
}

int CListBoxControlGump::Baseline() const {
    int w = 0, h = 0, b = 0;
    FontManager::GetStringSize(font, "Aq", &w, &h, &b);
    return b;
}

int CListBoxControlGump::ShownRows() const {
    return autoScroll ? std::clamp(count - first, 0, visibleRows) : count;
}

void CListBoxControlGump::DrawContents(const RECT& dirty) {
    if (!visible) return;
    if (EnsureBitmap()) DrawItem(-1);
    CGump::DrawContents(dirty);
}

BOOL CListBoxControlGump::HitTest(int px, int py) {
    return px >= 0 && py >= 0 && px < FrameWidth(0) && py < FrameHeight(0);
}

void CListBoxControlGump::DrawMarks(M_WORD* pixels) {
    if (!autoScroll) return;
    const BlitTarget whole(pixels, pitch, width, height);
    if (first > 0) DrawGumpArt(CopySpanTransparent, MORE_ABOVE_ART, width - 18, top, whole);
    if (first + visibleRows < count)
        DrawGumpArt(CopySpanTransparent, MORE_BELOW_ART, width - 18,
                    height - bottom - artHeight(MORE_BELOW_ART), whole);
}

void CListBoxControlGump::DrawItem(int index) {
    // The whole box when the bitmap is new (or was made again after the box
    // grew).
    if (EnsureBitmap()) index = -1;
    M_WORD* pixels = FramePixels(0);
    if (!pixels) return;
    const BlitTarget whole(pixels, pitch, width, height);
    const int middleWidth = artWidth(art + 1);
    const int offset = middleWidth < width ? (width - middleWidth) / 2 : 0;
    const int textX = offset + kTextInset;
    const int baseline = Baseline();

    if (index == -1) {
        std::fill_n(pixels, static_cast<size_t>(pitch) * height, 0);
        DrawArtColumn(art, kMiddlePieces, pixels - 2, 0, 0);
        // A row scrolled out of sight keeps its hover but shows no bar.
        if (hovered >= first && hovered < count && hovered - first < ShownRows())
            DrawTiledRow(textX, top + (hovered - first) * ROW_HEIGHT, width - 2 * textX,
                         HIGHLIGHT_ART, pixels - 2);
        const int rows = ShownRows();
        const int from = autoScroll ? first : 0;
        for (int k = 0; k < rows; ++k)
            FontManager::DrawStringBufEllips(textX, top + 1 + ROW_HEIGHT * k + baseline, font, hue,
                                             texts[from + k], whole);
        DrawMarks(pixels);
        return;
    }
    if (index < first || index >= count || index - first >= ShownRows()) return;

    // One row: its band of the column, its highlight and its text.
    const int k = index - first;
    const int bandTop = top + k * ROW_HEIGHT;
    const int bandBottom = std::min(bandTop + ROW_HEIGHT + 1, height - bottom);
    const BlitTarget band = whole.Clipped(RECT{0, bandTop, width, bandBottom});
    if (band.Empty()) return;
    for (int row = bandTop; row < bandBottom; ++row)
        std::fill_n(pixels + static_cast<long>(row) * pitch, width, 0);
    const int columnX = ArtColumnMiddleX(art);
    for (int y = top, piece = 0; y < bandBottom; ++piece) {
        const int id = art + 1 + piece % kMiddlePieces;
        const int h = artHeight(id);
        if (h <= 0) break;
        if (y + h > bandTop) {
            const int w = artWidth(id);
            const int x = columnX + (w < artWidth(art + 1) ? (artWidth(art + 1) - w) / 2 : 0);
            DrawGumpArt(CopySpanTransparent, id, x, y, band);
        }
        y += h;
    }
    if (index == hovered)
        DrawTiledRow(textX, bandTop, width - 2 * textX, HIGHLIGHT_ART, pixels - 2);
    FontManager::DrawStringBufEllips(textX, top + 1 + ROW_HEIGHT * k + baseline, font, hue,
                                     texts[index], band);
    DrawMarks(pixels);
}

void CListBoxControlGump::HandleMouseDrag(int px, int py) {
    const int old = hovered;
    if (px >= 0 && px < width && py >= top && py < height - bottom) {
        // Rows past the last item (a box taller than its items) are none.
        int row = (py - top) / ROW_HEIGHT + first;
        if (row >= count) row = -1;
        if (row == old) return;
        hovered = row;
        if (old >= 0) DrawItem(old);
        if (row >= 0) DrawItem(row);
        return;
    }
    if (old == -1) return;
    hovered = -1;
    DrawItem(old);
}

void CListBoxControlGump::Choose() {
    MouseManager::SetCapture(nullptr);
    GumpHandle self(this);
    CInputControlGump* field = inputField.get();
    if (hovered >= 0 && hovered < count && field) {
        field->value = ids[hovered];
        field->SetText(texts[hovered]);
        field->RedrawText();
        if (field->parent) field->parent->HandleButton(field);
    }
    // The owner may have closed the list already.
    if (self) delete this;
}

void CListBoxControlGump::HandleLButtonUp(int, int) {
    Choose();
}

void CListBoxControlGump::Tick() {
    if (!autoScroll) return;
    int px = 0, py = 0;
    MouseManager::GetMousePos(&px, &py);
    ScreenToGumpCoords(this, &px, &py);
    if (py < 0 && first > 0) {
        --first;
        DrawItem(-1);
    } else if (py > height && first + visibleRows < count) {
        ++first;
        DrawItem(-1);
    }
}

// ---- The framed list ------------------------------------------------------------

CScrollListBoxGump::CScrollListBoxGump(int xIn, int yIn, int artIn, int widthIn, int heightIn,
                                       CGump*, int fontIn, int hueIn, int visibleRowsIn)
    : CListBoxControlGump(xIn, yIn, artIn, widthIn, heightIn, fontIn, hueIn, visibleRowsIn, TRUE) {}

void CScrollListBoxGump::DrawItem(int index) {
    if (EnsureBitmap()) index = -1;
    M_WORD* pixels = FramePixels(0);
    if (!pixels) return;
    const BlitTarget whole(pixels, pitch, width, height);
    const int baseline = Baseline();
    if (index == -1) {
        std::fill_n(pixels, static_cast<size_t>(pitch) * height, 0);
        DrawTiledFrame(art, pixels - 2, FALSE);
        for (int k = 0; k < count; ++k)
            FontManager::DrawString(0, 1 + ROW_HEIGHT * k + baseline, font, hue, texts[k], whole);
        return;
    }
    if (index < 0 || index >= count) return;
    const int bandTop = (index - first) * ROW_HEIGHT;
    const BlitTarget band = whole.Clipped(RECT{0, bandTop, width, bandTop + ROW_HEIGHT});
    FontManager::DrawString(0, bandTop + 1 + baseline, font, index == hovered ? CHOSEN_HUE : hue,
                            texts[index], band);
}

void CScrollListBoxGump::HandleMouseDrag(int, int py) {
    // A pointer above the box takes the first row, below it the last.
    int row = (py < 0 ? 0 : py / ROW_HEIGHT) + first;
    row = std::min(row, count - 1);
    const int old = hovered;
    if (row == old) return;
    hovered = row;
    if (old >= 0) DrawItem(old);
    if (row >= 0) DrawItem(row);
}

void CScrollListBoxGump::HandleLButtonDown(int px, int py) {
    // The press takes the row under it, not the one a drag left hovered.
    HandleMouseDrag(px, py);
    CInputControlGump* field = inputField.get();
    if (field && hovered >= 0 && ids[hovered] == field->value) return;
    Choose();
}

void CScrollListBoxGump::HandleLButtonUp(int, int) {}

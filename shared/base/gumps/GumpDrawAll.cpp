// Drawing every gump over the world picture for one dirty rectangle.
//
// The back buffer holds the world alone.  For a frame the pixels under the
// gumps are saved, the gumps are drawn back to front, the frame is presented
// once, and the saved pixels are put back, so the world view can repaint and
// scroll the back buffer on its own.  The back buffer is a ring: screen pixel
// (x, y) lives at ring index (y * width + x + offset) modulo width * height,
// so a screen rectangle may wrap around the buffer's end; it is drawn in up
// to four pieces that do not.
#include <algorithm>

#include "FrameBuf.h"
#include "Platform.h"
#include "TWReport.h"
#include "gumps/Gump.h"
#include "gumps/GumpHandle.h"
#include "gumps/GumpHooks.h"
#include "gumps/GumpManager.h"

namespace {

// The ring offset of screen pixel (0, 0), in 0 .. total - 1.
long ringOffset(int width, long total) {
    long offset =
        (static_cast<long>(g_ringStart) - g_viewX - static_cast<long>(width) * g_viewY) % total;
    return offset < 0 ? offset + total : offset;
}

// Runs one pass over the top-level gumps, back to front.  The walk steps past
// a gump that closes meanwhile.
template <typename Step>
void backToFront(const char* loop, Step step) {
    GumpHandle walk(CGumpManager::tail, GumpHandle::OnClose::StepPrevious);
    while (CGump* gump = walk.get()) {
        if (!TW_VALIDATE_OBJECT(gump)) {
            TWReport::error(
                "CGumpManager::DrawAllGumps: either pointer 'pGump' is not valid, or the data it "
                "points to is not valid. breaking out of %s loop.\n",
                loop);
            return;
        }
        walk.set(gump->prev);
        step(gump);
    }
}

// Saves and draws one piece that does not wrap around the ring.
void drawPiece(const RECT& piece, int width, int height, long offset) {
    if (RectIsEmpty(piece)) return;
    const long total = static_cast<long>(width) * height;
    const long first = static_cast<long>(piece.top) * width + piece.left;
    CGumpManager::drawTarget =
        GumpDrawTarget{g_backBuffer, CGumpManager::saveBuffer.data(), width, height,
                       first >= total - offset ? offset - total : offset};
    backToFront("pre-draw", [&](CGump* g) { g->Draw(piece); });
    backToFront("draw", [&](CGump* g) { g->DrawContents(piece); });
    CGumpManager::drawTarget = GumpDrawTarget{};
}

// Splits the rectangle where it crosses the ring's end: into two pieces at a
// row, or four around the wrap point when that lies inside its columns.
void drawPieces(const RECT& r, int width, int height) {
    const long total = static_cast<long>(width) * height;
    const long offset = ringOffset(width, total);
    const long first = static_cast<long>(r.top) * width + r.left;
    const long last = static_cast<long>(r.bottom - 1) * width + r.right - 1;
    const long wrap = total - offset;
    if (!(first < wrap && wrap <= last)) {
        drawPiece(r, width, height, offset);
        return;
    }
    int wrapRow = static_cast<int>(wrap / width);
    const int wrapColumn = static_cast<int>(wrap % width);
    if (r.left < wrapColumn && wrapColumn < r.right) {
        drawPiece(RECT{r.left, r.top, wrapColumn, wrapRow + 1}, width, height, offset);
        drawPiece(RECT{wrapColumn, r.top, r.right, wrapRow}, width, height, offset);
        drawPiece(RECT{wrapColumn, wrapRow, r.right, r.bottom}, width, height, offset);
        drawPiece(RECT{r.left, wrapRow + 1, wrapColumn, r.bottom}, width, height, offset);
        return;
    }
    if (wrapColumn >= r.right) ++wrapRow;
    drawPiece(RECT{r.left, r.top, r.right, wrapRow}, width, height, offset);
    drawPiece(RECT{r.left, wrapRow, r.right, r.bottom}, width, height, offset);
}

// Puts the saved world pixels back, the last record first.
void restoreSavedPixels() {
    const int width = g_displayWidth;
    if (CGumpManager::saveBuffer.size() != static_cast<size_t>(width) * g_displayHeight) {
        // The screen changed size since the records were made.
        CGumpManager::saveRecords.clear();
        return;
    }
    const M_WORD* save = CGumpManager::saveBuffer.data();
    for (auto it = CGumpManager::saveRecords.rbegin(); it != CGumpManager::saveRecords.rend();
         ++it) {
        const int count = it->rect.right - it->rect.left;
        long index = it->index;
        for (int row = it->rect.top; row < it->rect.bottom; ++row, index += width)
            std::copy_n(save + index, count, g_backBuffer + index);
    }
    CGumpManager::saveRecords.clear();
}

}  // namespace

void CGumpManager::DrawAllGumps(const RECT& rect, int present) {
    const int width = g_displayWidth;
    const int height = g_displayHeight;
    // Only the real screen is drawn; the rectangle's parts beyond it would
    // land elsewhere in the ring.
    const RECT r{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, width),
                 std::min(rect.bottom, height)};
    if (!RectIsEmpty(r) && g_backBuffer && width > 0 && height > 0) {
        // The save buffer follows the back buffer's size; records of another
        // size would not fit it.
        if (saveBuffer.size() != static_cast<size_t>(width) * height) {
            saveRecords.clear();
            SizeSaveBuffer(width, height);
        }
        UpdateToolTip();
        drawPieces(r, width, height);
        delete toolTipGump;  // closing it clears toolTipGump
    }
    if (!present) return;
    if (!mainBitmapReleased) {
        presentRect = r;
        tw::Service<GumpScreen>::Get().StepMobileAnimations();
        // The frame is presented once, whole, after every piece is drawn.
        PresentBackBuffer();
    }
    if (g_backBuffer) restoreSavedPixels();
    saveRecords.clear();
    if (saveRecordsOverflowed) {
        // Gump pixels that no record kept stay in the back buffer: the world
        // is repainted next frame.
        saveRecordsOverflowed = FALSE;
        tw::Service<GumpScreen>::Get().InvalidateScreen();
    }
}

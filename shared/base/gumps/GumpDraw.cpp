// The two drawing passes of one gump (CGumpManager::DrawAllGumps runs them
// over every top-level gump): the save pass keeps the world pixels under
// the gump, the draw pass blits the gump's frame and its children.
#include <algorithm>

#include "TWReport.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"

// The state of the piece being drawn; see GumpDrawAll.cpp.
GumpDrawTarget CGumpManager::drawTarget;
std::vector<GumpSaveRecord> CGumpManager::saveRecords;
BOOL CGumpManager::saveRecordsOverflowed = FALSE;
int CGumpManager::saveRecordLimit = CGumpManager::MAX_SAVE_RECORDS;

namespace {

// The frame copies of the draw pass: whole rows, or rows whose pixels of 0
// are transparent.  Kept apart from the resources' span handlers so that the
// gump base links without the hue tables those carry.
void copyOpaque(M_WORD* dst, const M_WORD* src, int count) {
    std::copy_n(src, count, dst);
}
void copyTransparent(M_WORD* dst, const M_WORD* src, int count) {
    // A select rather than a branch, so that the loop vectorises.
    for (int i = 0; i < count; ++i) dst[i] = src[i] ? src[i] : dst[i];
}

// The ring index of a run of count pixels from screen (x, y), or -1 when the
// run would leave the ring (never for a piece the ring split made).
long runIndex(const GumpDrawTarget& target, int x, int y, int count) {
    const long index = target.Index(x, y);
    const long total = static_cast<long>(target.width) * target.height;
    if (index < 0 || count < 0 || index + count > total) {
        TWReport::error("CGump: a run of %d pixels at (%d, %d) leaves the back buffer.\n", count, x,
                        y);
        return -1;
    }
    return index;
}

// The part of rect that lies on the screen and inside clip; empty when none.
RECT clipped(const RECT& rect, const RECT& clip, const GumpDrawTarget& target) {
    return RECT{std::max({rect.left, clip.left, 0}), std::max({rect.top, clip.top, 0}),
                std::min({rect.right, clip.right, target.width}),
                std::min({rect.bottom, clip.bottom, target.height})};
}

}  // namespace

void CGump::Draw(const RECT& dirty) {
    GumpDrawTarget& target = CGumpManager::drawTarget;
    if (!visible || !target.active()) return;
    const RECT r = clipped(ScreenRect(), dirty, target);
    if (RectIsEmpty(r)) return;
    drawn = TRUE;
    if (static_cast<int>(CGumpManager::saveRecords.size()) >= CGumpManager::saveRecordLimit) {
        // Pixels that no record restores would stay in the world picture:
        // save nothing more, and have the world repainted after the present.
        CGumpManager::saveRecordsOverflowed = TRUE;
        return;
    }
    const int count = r.right - r.left;
    const long first = runIndex(target, r.left, r.top, count);
    if (first < 0 || runIndex(target, r.left, r.bottom - 1, count) < 0) return;
    CGumpManager::saveRecords.push_back(GumpSaveRecord{first, r});
    long index = first;
    for (int row = r.top; row < r.bottom; ++row, index += target.width)
        std::copy_n(target.pixels + index, count, target.save + index);
}

void CGump::DrawContents(const RECT& dirty) {
    GumpDrawTarget& target = CGumpManager::drawTarget;
    if (!visible || !target.active()) return;
    const RECT screen = ScreenRect();
    const RECT inside = clipped(screen, dirty, target);
    if (RectIsEmpty(inside)) return;

    const M_WORD* pixels = FramePixels(currentFrame);
    if (pixels) {
        // Only the block's own pixels: it may be smaller than the gump.
        const int blockWidth = FrameWidth(currentFrame);
        const int blockPitch = FramePitch(blockWidth);
        RECT r = inside;
        r.right = std::min(r.right, screen.left + blockWidth);
        r.bottom = std::min(r.bottom, screen.top + FrameHeight(currentFrame));
        void (*copy)(M_WORD*, const M_WORD*, int) =
            UsesPixelHitTest() ? copyTransparent : copyOpaque;
        const int count = r.right - r.left;
        for (int row = r.top; count > 0 && row < r.bottom; ++row) {
            const long index = runIndex(target, r.left, row, count);
            if (index < 0) break;
            copy(target.pixels + index,
                 pixels + static_cast<long>(row - screen.top) * blockPitch + (r.left - screen.left),
                 count);
        }
    }

    // Children are drawn back to front, clipped to this gump: the save pass
    // kept only the pixels under the top-level gump.
    for (CGump* c = lastChild; c; c = c->prev) c->DrawContents(inside);
}

// Gump art drawn straight onto the screen during a drawing pass, for the
// controls that show an art id rather than a frame of their own.  Apart from
// GumpDraw.cpp so that the gump base links without the art decoder.
#include <algorithm>
#include <vector>

#include "gumps/Gump.h"
#include "gumps/GumpManager.h"
#include "resources/GumpArt.h"

void DrawArtOnScreen(void (*copy)(M_WORD*, const void*, int), int art, int x, int y,
                     const RECT& clip) {
    const GumpDrawTarget& target = CGumpManager::drawTarget;
    int artWidth = 0, artHeight = 0;
    GetGumpArtSize(art, &artWidth, &artHeight);
    if (!target.active() || artWidth <= 0 || artHeight <= 0) return;
    const RECT r{std::max({x, clip.left, 0}), std::max({y, clip.top, 0}),
                 std::min({x + artWidth, clip.right, target.width}),
                 std::min({y + artHeight, clip.bottom, target.height})};
    if (RectIsEmpty(r)) return;
    // The art is drawn over a copy of the screen's pixels there: the ring is
    // reached by index only, row by row, and only inside it.
    const int w = r.right - r.left, h = r.bottom - r.top;
    const long total = static_cast<long>(target.width) * target.height;
    const long first = target.Index(r.left, r.top), last = target.Index(r.left, r.bottom - 1);
    if (first < 0 || last + w > total) return;
    std::vector<M_WORD> area(static_cast<size_t>(w) * h);
    for (int row = 0; row < h; ++row)
        std::copy_n(target.pixels + target.Index(r.left, r.top + row), w,
                    area.data() + static_cast<size_t>(row) * w);
    DrawGumpPixels(copy, art, x - r.left, y - r.top, BlitTarget(area.data(), w, w, h));
    for (int row = 0; row < h; ++row)
        std::copy_n(area.data() + static_cast<size_t>(row) * w, w,
                    target.pixels + target.Index(r.left, r.top + row));
}

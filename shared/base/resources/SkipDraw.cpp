#include "resources/SkipDraw.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "TWReport.h"

namespace {

M_WORD* g_blitBuffer = nullptr;
int g_blitPitch = 0;
int g_blitHeight = 0;

inline int U16(const M_BYTE* p) {
    return p[0] | p[1] << 8;
}

// The runs of one row, each bounded by the item's end.
class RowRuns {
public:
    RowRuns(const M_BYTE* p, const M_BYTE* end) : p_(p), end_(end) {}

    // The next run; false at a run of count 0 or at the item's end.  A run
    // whose pixels pass the item's end is cut there and ends the row.
    bool Next(int* skip, int* count, const M_WORD** pixels) {
        if (end_ - p_ < 4) return false;
        *skip = U16(p_);
        int n = U16(p_ + 2);
        p_ += 4;
        if (n == 0) return false;
        const std::ptrdiff_t room = (end_ - p_) / 2;
        if (n > room) {
            n = static_cast<int>(room);
            end_ = p_;  // nothing after a cut run
        }
        *count = n;
        *pixels = reinterpret_cast<const M_WORD*>(p_);
        p_ += 2 * static_cast<std::ptrdiff_t>(n);
        return n > 0;
    }

private:
    const M_BYTE* p_;
    const M_BYTE* end_;
};

// The parsed header of an item: null begin when the item cannot hold its own
// row table.
struct Layout {
    int width = 0;
    int height = 0;
    const M_BYTE* table = nullptr;
    const M_BYTE* rows = nullptr;
    const M_BYTE* end = nullptr;

    explicit Layout(const SkipImage& image) {
        if (!image.data || image.size < 8) return;
        const int w = U16(image.data + 4), h = U16(image.data + 6);
        if (8 + 2L * h > image.size) return;
        width = w;
        height = h;
        table = image.data + 8;
        rows = table + 2 * h;
        end = image.data + image.size;
    }
    bool ok() const { return table != nullptr; }
    RowRuns Row(int r) const {
        const long offset = 2L * U16(table + 2 * r);
        if (offset >= end - rows) return RowRuns(end, end);
        return RowRuns(rows + offset, end);
    }
};

// Draws rows [firstRow, endRow) and columns [first, end) of the image placed
// at (x, y); the bounds are already clipped to the destination.
void DrawRuns(SpanHandler handler, const Layout& img, int x, int y, int first, int end,
              int firstRow, int endRow) {
    for (int r = firstRow; r < endRow; ++r) {
        // Index arithmetic: with x < 0 the row's column 0 lies outside the buffer.
        const std::ptrdiff_t row = static_cast<std::ptrdiff_t>(y + r) * g_blitPitch + x;
        RowRuns runs = img.Row(r);
        int skip, count;
        const M_WORD* pixels;
        long c = 0;
        while (runs.Next(&skip, &count, &pixels)) {
            c += skip;
            if (c >= end) break;  // nothing further in the row is visible
            if (c >= first) {
                const long n = std::min<long>(count, end - c);
                handler(g_blitBuffer + (row + c), pixels, static_cast<int>(n));
            } else if (c + count > first) {
                const long n = std::min<long>(c + count, end) - first;
                handler(g_blitBuffer + (row + first), pixels + (first - c), static_cast<int>(n));
            }
            c += count;
        }
    }
}

}  // namespace

int SkipImage::Width() const {
    return data && size >= 8 ? U16(data + 4) : 0;
}
int SkipImage::Height() const {
    return data && size >= 8 ? U16(data + 6) : 0;
}

void SkipDrawHandler::startup() {
    TWReport::message("SkipDrawHandler::startup: begin.\n");
}

void SkipDrawHandler::shutdown() {}

void SkipDrawHandler::reset() {
    SetBlitDestination(nullptr, 0, 0);
    DrawHue = 0;
    SelectBlendTable(0);
    memset(ChannelScaleTable, 0, sizeof ChannelScaleTable);
}

void SetBlitDestination(M_WORD* buffer, int pitch, int height) {
    g_blitBuffer = buffer;
    g_blitPitch = std::max(pitch, 0);
    g_blitHeight = std::max(height, 0);
}

void SkipDrawClipped(SpanHandler handler, const SkipImage& image, const RECT& rect, int x, int y) {
    const Layout img(image);
    if (!img.ok() || !g_blitBuffer) return;
    // The caller's rectangle, cut to the destination.
    const long left = std::max<long>(rect.left, 0);
    const long top = std::max<long>(rect.top, 0);
    const long right = std::min<long>(rect.right, g_blitPitch);
    const long bottom = std::min<long>(rect.bottom, g_blitHeight);
    const long w = img.width, h = img.height;

    const long first = left > x ? left - x : 0;
    const long end = right < x + w ? right - x : w;
    if (first >= end) return;
    const long firstRow = top > y ? top - y : 0;
    const long endRow = bottom < y + h ? bottom - y : h - 1;
    if (firstRow >= endRow) return;
    DrawRuns(handler, img, x, y, static_cast<int>(first), static_cast<int>(end),
             static_cast<int>(firstRow), static_cast<int>(endRow));
}

void SkipDrawNoClip(SpanHandler handler, const SkipImage& image, int x, int y) {
    const Layout img(image);
    if (!img.ok() || !g_blitBuffer) return;
    const long first = std::max<long>(0, -static_cast<long>(x));
    const long end = std::min<long>(img.width, static_cast<long>(g_blitPitch) - x);
    const long firstRow = std::max<long>(0, -static_cast<long>(y));
    const long endRow = std::min<long>(img.height, static_cast<long>(g_blitHeight) - y);
    if (first >= end || firstRow >= endRow) return;
    DrawRuns(handler, img, x, y, static_cast<int>(first), static_cast<int>(end),
             static_cast<int>(firstRow), static_cast<int>(endRow));
}

M_WORD GetArtPixel(const SkipImage& image, int x, int row) {
    const Layout img(image);
    if (!img.ok() || row < 0 || row >= img.height || x < 0 || x >= img.width) return 0;
    RowRuns runs = img.Row(row);
    int skip, count;
    const M_WORD* pixels;
    long remainder = x;
    while (runs.Next(&skip, &count, &pixels)) {
        remainder -= skip;
        if (remainder < 0) return 0;
        if (remainder < count) {
            M_WORD p;
            memcpy(&p, pixels + remainder, sizeof p);
            return p;
        }
        remainder -= count;
    }
    return 0;
}

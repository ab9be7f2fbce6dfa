// Drawing, hit-testing and copying gump-art items and pixel blocks.
#include "resources/GumpArt.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "config/Config.h"

namespace {

// Most gump art fits this row buffer; wider items decode into the heap.
constexpr int ROW_BUFFER_PIXELS = 1016;

inline M_DWORD U32(const M_BYTE* p) {
    return static_cast<M_DWORD>(p[0]) | static_cast<M_DWORD>(p[1]) << 8 |
           static_cast<M_DWORD>(p[2]) << 16 | static_cast<M_DWORD>(p[3]) << 24;
}

// The visible part of a w x h block placed at (x, y): columns [first, end)
// and rows [firstRow, lastRow], clipped to clip and to the destination.
struct Visible {
    long first = 0, end = 0, firstRow = 0, lastRow = -1;
    bool any = false;
};

Visible Clip(const RECT& clip, long x, long y, long w, long h, int pitch, int height) {
    Visible v;
    const long left = std::max<long>(clip.left, 0), top = std::max<long>(clip.top, 0);
    const long right = std::min<long>(clip.right, pitch);
    const long bottom = std::min<long>(clip.bottom, height);
    if (x >= right || y >= bottom || x + w < left || y + h < top) return v;
    v.first = left > x ? left - x : 0;
    v.end = right < x + w ? right - x : w;
    if (v.first >= v.end) return v;
    v.firstRow = top > y ? top - y : 0;
    v.lastRow = bottom < y + h ? bottom - y - 1 : h - 1;
    v.any = v.firstRow <= v.lastRow;
    return v;
}

// The runs of one row, bounded by the item's size.
class RowRuns {
public:
    RowRuns(const GumpArtItem& item, long row) : item_(item) {
        const std::uint64_t entry = 4 * static_cast<std::uint64_t>(row);
        if (row < 0 || entry + 4 > static_cast<std::uint64_t>(item.size)) return;
        pos_ = 4 * static_cast<std::uint64_t>(U32(item.data + entry));
    }
    // The next run; false at the item's end or at a run of count 0.
    bool Next(M_WORD* colour, long* count) {
        if (pos_ + 4 > static_cast<std::uint64_t>(item_.size)) return false;
        const M_DWORD run = U32(item_.data + pos_);
        pos_ += 4;
        *colour = static_cast<M_WORD>(run & 0xFFFF);
        *count = static_cast<long>(run >> 16);
        return *count != 0;
    }

private:
    const GumpArtItem& item_;
    std::uint64_t pos_ = UINT64_MAX - 4;  // no runs
};

// Decodes the first n pixels of a row; what the runs leave out is 0.
void DecodeRow(const GumpArtItem& item, long row, M_WORD* out, long n) {
    RowRuns runs(item, row);
    long written = 0;
    M_WORD colour;
    long count;
    while (written < n && runs.Next(&colour, &count)) {
        const long k = std::min(count, n - written);
        std::fill(out + written, out + written + k, colour);
        written += k;
    }
    std::fill(out + written, out + n, M_WORD{0});
}

}  // namespace

void DrawGumpArtItem(SpanHandler handler, const GumpArtItem& item, const RECT& clip, int x, int y,
                     M_WORD* pixels, int pitch, int height) {
    if (!item || !pixels) return;
    const Visible v = Clip(clip, x, y, item.width, item.height, pitch, height);
    if (!v.any) return;
    M_WORD stackRow[ROW_BUFFER_PIXELS];
    std::vector<M_WORD> heapRow;
    M_WORD* rowBuffer = stackRow;
    if (v.end > ROW_BUFFER_PIXELS) {
        heapRow.resize(static_cast<size_t>(v.end));
        rowBuffer = heapRow.data();
    }
    const int count = static_cast<int>(v.end - v.first);
    for (long row = v.firstRow; row <= v.lastRow; ++row) {
        DecodeRow(item, row, rowBuffer, v.end);
        M_WORD* dst = pixels + ((y + row) * static_cast<long>(pitch) + x + v.first);
        handler(dst, rowBuffer + v.first, count);
        if (Display565) {
            for (int i = 0; i < count; ++i)
                if (rowBuffer[v.first + i]) dst[i] = To565(dst[i]);
        }
    }
}

M_WORD GumpArtItemPixel(const GumpArtItem& item, int x, int y) {
    if (!item || x < 0 || y < 0 || x >= item.width || y >= item.height) return 0;
    RowRuns runs(item, y);
    long reached = 0;
    M_WORD colour;
    long count;
    while (runs.Next(&colour, &count)) {
        reached += count;
        if (reached > x) return Display565 ? To565(colour) : colour;
    }
    return 0;
}

void BlitClipped(SpanHandler handler, const M_WORD* source, const RECT& clip, int sourceWidth,
                 int sourceHeight, int x, int y, M_WORD* pixels, int pitch, int height) {
    if (!source || !pixels || sourceWidth <= 0 || sourceHeight <= 0) return;
    const Visible v = Clip(clip, x, y, sourceWidth, sourceHeight, pitch, height);
    if (!v.any) return;
    const int count = static_cast<int>(v.end - v.first);
    for (long row = v.firstRow; row <= v.lastRow; ++row)
        handler(pixels + ((y + row) * static_cast<long>(pitch) + x + v.first),
                source + (row * sourceWidth + v.first), count);
}

void BlitRowsWithHandler(SpanHandler handler, const M_WORD* source, int sourceWidth,
                         int sourceHeight, int x, int y, M_WORD* pixels, int pitch, int height) {
    BlitClipped(handler, source, RECT{0, 0, pitch, height}, sourceWidth, sourceHeight, x, y, pixels,
                pitch, height);
}

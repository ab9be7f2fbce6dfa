// Drawing, hit-testing and copying gump-art items and pixel blocks.
#include "resources/GumpArt.h"

#include <algorithm>
#include <vector>

#include "ByteReader.h"
#include "config/Config.h"

namespace {

// Most gump art fits this row buffer; wider items decode into the heap.
constexpr int ROW_BUFFER_PIXELS = 1016;

// The visible part of a w x h block placed at (x, y): columns [first, end)
// and rows [firstRow, lastRow], clipped to the target's clip.
struct Visible {
    long first = 0, end = 0, firstRow = 0, lastRow = -1;
    bool any = false;
};

Visible Clip(const BlitTarget& target, long x, long y, long w, long h) {
    Visible v;
    if (target.Empty()) return v;
    const long left = target.clip.left, top = target.clip.top;
    const long right = target.clip.right, bottom = target.clip.bottom;
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
    RowRuns(const GumpArtItem& item, long row)
        : runs_(item.data, item.size > 0 ? static_cast<size_t>(item.size) : 0) {
        if (row < 0) {
            runs_.fail();
            return;
        }
        runs_.seek(4 * static_cast<size_t>(row));
        runs_.seek(4 * static_cast<size_t>(runs_.u32le()));
    }
    // The next run; false at the item's end or at a run of count 0.
    bool Next(M_WORD* colour, long* count) {
        const M_DWORD run = runs_.u32le();
        *colour = static_cast<M_WORD>(run & 0xFFFF);
        *count = static_cast<long>(run >> 16);
        return *count != 0;
    }

private:
    // Failed (so every run reads as count 0) once the row table or the runs
    // end before the item does.
    ByteReader runs_;
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

void DrawGumpArtItem(SpanHandler handler, const GumpArtItem& item, int x, int y,
                     const BlitTarget& target) {
    if (!item) return;
    const Visible v = Clip(target, x, y, item.width, item.height);
    if (!v.any) return;
    M_WORD stackRow[ROW_BUFFER_PIXELS];
    std::vector<M_WORD> heapRow;
    M_WORD* rowBuffer = stackRow;
    if (v.end > ROW_BUFFER_PIXELS) {
        heapRow.resize(static_cast<size_t>(v.end));
        rowBuffer = heapRow.data();
    }
    const int count = static_cast<int>(v.end - v.first);
    // Kept in registers: the handler is an opaque call.
    const long pitch = target.pitch;
    M_WORD* dst = target.At(x + v.first, y + v.firstRow);
    for (long row = v.firstRow; row <= v.lastRow; ++row, dst += pitch) {
        DecodeRow(item, row, rowBuffer, v.end);
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

void BlitClipped(SpanHandler handler, const M_WORD* source, int sourceWidth, int sourceHeight,
                 int x, int y, const BlitTarget& target) {
    if (!source || sourceWidth <= 0 || sourceHeight <= 0) return;
    const Visible v = Clip(target, x, y, sourceWidth, sourceHeight);
    if (!v.any) return;
    const int count = static_cast<int>(v.end - v.first);
    const long pitch = target.pitch;
    M_WORD* dst = target.At(x + v.first, y + v.firstRow);
    for (long row = v.firstRow; row <= v.lastRow; ++row, dst += pitch)
        handler(dst, source + (row * sourceWidth + v.first), count);
}

void BlitRowsWithHandler(SpanHandler handler, const M_WORD* source, int sourceWidth,
                         int sourceHeight, int x, int y, const BlitTarget& target) {
    BlitClipped(handler, source, sourceWidth, sourceHeight, x, y, target);
}

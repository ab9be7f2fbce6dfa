#include "resources/SkipDraw.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "ByteReader.h"
#include "TWReport.h"

namespace {

// The runs of one row, read up to the item's end.
class RowRuns {
public:
    explicit RowRuns(ByteReader runs) : runs_(runs) {}

    // The next run; false at a run of count 0 or at the item's end.  A run
    // whose pixels pass the item's end is cut there and ends the row.  The
    // pixels stay where they lie: little-endian 16-bit values at any address.
    bool Next(int* skip, int* count, const M_BYTE** pixels) {
        const M_BYTE* head = runs_.view(4);
        if (!head) return false;
        ByteReader fields(head, 4);
        *skip = fields.u16le();
        size_t n = fields.u16le();
        if (n == 0) return false;
        if (const M_BYTE* run = runs_.view(2 * n)) {
            *pixels = run;
            *count = static_cast<int>(n);
            return true;
        }
        // Cut at the item's end: nothing follows this run.
        n = runs_.remaining() / 2;
        *pixels = runs_.here();
        *count = static_cast<int>(n);
        runs_ = ByteReader();
        return n > 0;
    }

private:
    ByteReader runs_;
};

// The parsed header of an item: not ok when the item cannot hold its own row
// table.
struct Layout {
    int width = 0;
    int height = 0;
    const M_BYTE* table = nullptr;  // height u16 row offsets, inside the item
    ByteReader rows;                // from the end of the table to the item's end

    explicit Layout(const SkipImage& image) {
        if (!image.data || image.size < 8) return;
        ByteReader item(image.data, static_cast<size_t>(image.size));
        item.skip(4);
        const int w = item.u16le(), h = item.u16le();
        table = item.view(2 * static_cast<size_t>(h));
        if (!table) return;
        rows = item.sub(item.remaining());
        width = w;
        height = h;
    }
    bool ok() const { return table != nullptr; }
    // The runs of row r, 0 <= r < height.
    RowRuns Row(int r) const {
        ByteReader offset(table + 2 * r, 2);
        // Offsets count 16-bit words; one at or past the end leaves no runs.
        ByteReader runs = rows;
        if (!runs.seek(2 * static_cast<size_t>(offset.u16le()))) return RowRuns(ByteReader());
        return RowRuns(runs);
    }
};

// Hands a run of count pixels, little-endian as the file stores them, to the
// handler.  On a little-endian host they are host order already and the
// handler reads them where they lie; elsewhere they are converted in pieces.
inline void Span(SpanHandler handler, M_WORD* dst, const M_BYTE* pixels, int count) {
    if constexpr (std::endian::native == std::endian::little) {
        handler(dst, pixels, count);
    } else {
        constexpr int kPiece = 64;
        M_WORD piece[kPiece];
        ByteReader run(pixels, 2 * static_cast<size_t>(count));
        for (int done = 0; done < count; done += kPiece) {
            const int k = std::min(count - done, kPiece);
            run.u16leArray(piece, static_cast<size_t>(k));
            handler(dst + done, piece, k);
        }
    }
}

// Draws rows [firstRow, endRow) and columns [first, end) of the image placed
// at (x, y) of the buffer; the bounds are already clipped to the target.
void DrawRuns(SpanHandler handler, const Layout& img, M_WORD* buffer, long pitch, int x, int y,
              int first, int end, int firstRow, int endRow) {
    for (int r = firstRow; r < endRow; ++r) {
        // Index arithmetic: with x < 0 the row's column 0 lies outside the buffer.
        const std::ptrdiff_t row = static_cast<std::ptrdiff_t>(y + r) * pitch + x;
        RowRuns runs = img.Row(r);
        int skip, count;
        const M_BYTE* pixels;
        long c = 0;
        while (runs.Next(&skip, &count, &pixels)) {
            c += skip;
            if (c >= end) break;  // nothing further in the row is visible
            if (c >= first) {
                const long n = std::min<long>(count, end - c);
                Span(handler, buffer + (row + c), pixels, static_cast<int>(n));
            } else if (c + count > first) {
                const long n = std::min<long>(c + count, end) - first;
                Span(handler, buffer + (row + first), pixels + 2 * (first - c),
                     static_cast<int>(n));
            }
            c += count;
        }
    }
}

}  // namespace

int SkipImage::Width() const {
    if (!data || size < 8) return 0;
    ByteReader header(data + 4, 2);
    return header.u16le();
}
int SkipImage::Height() const {
    if (!data || size < 8) return 0;
    ByteReader header(data + 6, 2);
    return header.u16le();
}

void SkipDrawHandler::startup() {
    TWReport::message("SkipDrawHandler::startup: begin.\n");
}

void SkipDrawHandler::shutdown() {}

void SkipDrawHandler::reset() {
    DrawHue = 0;
    SelectBlendTable(0);
    memset(ChannelScaleTable, 0, sizeof ChannelScaleTable);
}

void SkipDrawClipped(SpanHandler handler, const SkipImage& image, const BlitTarget& target, int x,
                     int y) {
    const Layout img(image);
    if (!img.ok() || target.Empty()) return;
    const RECT& clip = target.clip;
    const long w = img.width, h = img.height;
    const long first = clip.left > x ? clip.left - static_cast<long>(x) : 0;
    const long end = clip.right < x + w ? clip.right - static_cast<long>(x) : w;
    if (first >= end) return;
    const long firstRow = clip.top > y ? clip.top - static_cast<long>(y) : 0;
    const long endRow = clip.bottom < y + h ? clip.bottom - static_cast<long>(y) : h - 1;
    if (firstRow >= endRow) return;
    DrawRuns(handler, img, target.pixels, target.pitch, x, y, static_cast<int>(first),
             static_cast<int>(end), static_cast<int>(firstRow), static_cast<int>(endRow));
}

void SkipDrawNoClip(SpanHandler handler, const SkipImage& image, const BlitTarget& target, int x,
                    int y) {
    const Layout img(image);
    if (!img.ok() || target.Empty()) return;
    const RECT& clip = target.clip;
    const long first = std::max<long>(0, clip.left - static_cast<long>(x));
    const long end = std::min<long>(img.width, clip.right - static_cast<long>(x));
    const long firstRow = std::max<long>(0, clip.top - static_cast<long>(y));
    const long endRow = std::min<long>(img.height, clip.bottom - static_cast<long>(y));
    if (first >= end || firstRow >= endRow) return;
    DrawRuns(handler, img, target.pixels, target.pitch, x, y, static_cast<int>(first),
             static_cast<int>(end), static_cast<int>(firstRow), static_cast<int>(endRow));
}

M_WORD GetArtPixel(const SkipImage& image, int x, int row) {
    const Layout img(image);
    if (!img.ok() || row < 0 || row >= img.height || x < 0 || x >= img.width) return 0;
    RowRuns runs = img.Row(row);
    int skip, count;
    const M_BYTE* pixels;
    long remainder = x;
    while (runs.Next(&skip, &count, &pixels)) {
        remainder -= skip;
        if (remainder < 0) return 0;
        if (remainder < count) {
            ByteReader pixel(pixels + 2 * remainder, 2);
            return pixel.u16le();
        }
        remainder -= count;
    }
    return 0;
}

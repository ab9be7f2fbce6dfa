// The transparent copy of pixel rows that gumps use to put one bitmap into
// another.
#include "gumps/Gump.h"
#include "resources/SpanHandlers.h"

void CopyPixelRows(int rows, int count, M_WORD* destination, const M_WORD* source,
                   int destinationPitch, int sourcePitch) {
    if (rows <= 0 || count <= 0) return;
    // Four rows a step, then the rows that are left over.
    int row = 0;
    for (; row + 4 <= rows; row += 4) {
        for (int k = 0; k < 4; ++k)
            CopySpanTransparent(destination + static_cast<long>(row + k) * destinationPitch,
                                source + static_cast<long>(row + k) * sourcePitch, count);
    }
    for (; row < rows; ++row)
        CopySpanTransparent(destination + static_cast<long>(row) * destinationPitch,
                            source + static_cast<long>(row) * sourcePitch, count);
}

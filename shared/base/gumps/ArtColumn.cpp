#include "gumps/ArtColumn.h"

#include "gumps/Gump.h"
#include "resources/GumpArt.h"

namespace {

struct Size {
    int width = 0;
    int height = 0;
};

Size sizeOf(int art) {
    Size s;
    GetGumpArtSize(art, &s.width, &s.height);
    return s;
}

}  // namespace

int ArtColumnMiddleX(int art) {
    const Size topPiece = sizeOf(art), middle = sizeOf(art + 1);
    return middle.width < topPiece.width ? (topPiece.width - middle.width) / 2 : 0;
}

void DrawArtColumn(int art, int middleCount, M_WORD* bitmap, int topMargin, int bottomMargin) {
    if (!bitmap) return;
    const int width = bitmap[0], height = bitmap[1];
    const BlitTarget whole(bitmap + 2, FramePitch(width), width, height);
    const Size topPiece = sizeOf(art), bottomPiece = sizeOf(art + middleCount + 1);
    const int bottomY = height - bottomMargin - bottomPiece.height;
    DrawGumpArt(CopySpanTransparent, art, 0, topMargin, whole);
    const BlitTarget middleArea = whole.Clipped(RECT{0, 0, width, bottomY});
    int y = topMargin + topPiece.height;
    for (int k = 0; middleCount > 0 && y < bottomY; ++k) {
        const int piece = art + 1 + k % middleCount;
        const Size s = sizeOf(piece);
        if (s.height <= 0) break;
        const int x = s.width < topPiece.width ? (topPiece.width - s.width) / 2 : 0;
        DrawGumpArt(CopySpanTransparent, piece, x, y, middleArea);
        y += s.height;
    }
    DrawGumpArt(CopySpanTransparent, art + middleCount + 1, 0, bottomY, whole);
}

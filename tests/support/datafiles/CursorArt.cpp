#include "support/datafiles/CursorArt.h"

#include <algorithm>
#include <cstdlib>

namespace tw::datafiles {

namespace {

constexpr int kSide = 25;  // odd: the client keeps an even width
constexpr int kCentre = 12;

bool isTarget(int index) {
    return index == 12 || index == 35;
}
bool isBusy(int index) {
    return index == 13 || index == 36;
}
bool isArrow(int index) {
    return index < 8 || (index >= 23 && index < 31);
}

// The arrow tips of directions 0 (up) to 7, clockwise.
constexpr int kTipX[8] = {12, 22, 22, 22, 12, 1, 1, 1};
constexpr int kTipY[8] = {1, 1, 12, 22, 22, 22, 12, 1};

// The distance, doubled, of (x, y) from the segment (ax, ay)-(bx, by),
// measured across the eight directions the arrows take.
bool nearSegment(int x, int y, int ax, int ay, int bx, int by, int width) {
    const int steps = std::max(std::abs(bx - ax), std::abs(by - ay));
    for (int i = 0; i <= steps; ++i) {
        const int px = ax + (bx - ax) * i / steps, py = ay + (by - ay) * i / steps;
        if (std::abs(x - px) <= width && std::abs(y - py) <= width) return true;
    }
    return false;
}

// 1 for the body, 0 outside; the outline is drawn round the body.
bool inBody(int index, int x, int y) {
    if (x < 1 || y < 1 || x > kSide - 2 || y > kSide - 2) return false;
    if (isTarget(index)) return std::abs(x - kCentre) <= 1 || std::abs(y - kCentre) <= 1;
    if (isBusy(index))
        return std::abs(x - kCentre) <= 6 && std::abs(y - kCentre) <= 8 &&
               std::abs(y - kCentre) >= std::abs(x - kCentre) - 2;
    if (isArrow(index)) {
        const int d = index % 23;
        return nearSegment(x, y, kTipX[d], kTipY[d], kCentre, kCentre, 1);
    }
    return x <= y && x + y < 24 && (x - 1 < 3 || y - x < 2 || x + y > 20);
}

}  // namespace

void CursorHotSpot(int index, int* x, int* y) {
    if (isTarget(index) || isBusy(index)) {
        *x = *y = kCentre;
    } else if (isArrow(index)) {
        *x = kTipX[index % 23];
        *y = kTipY[index % 23];
    } else {
        *x = *y = 1;
    }
}

Image CursorArt(int index) {
    Image img(kSide, kSide);
    const M_WORD body = index < 23 ? Rgb555(224, 64, 40) : Rgb555(240, 200, 60);
    const M_WORD outline = Rgb555(24, 24, 24);
    for (int y = 1; y < kSide - 1; ++y)
        for (int x = 1; x < kSide - 1; ++x) {
            if (inBody(index, x, y)) {
                img.set(x, y, body);
                continue;
            }
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (inBody(index, x + dx, y + dy)) img.set(x, y, outline);
        }
    int hx = 0, hy = 0;
    CursorHotSpot(index, &hx, &hy);
    img.set(hx, hy, Rgb555(255, 255, 255));
    img.set(hx, 0, kHotSpotMarker);
    img.set(0, hy, kHotSpotMarker);
    return img;
}

void AddCursorArt(IndexedPair& art) {
    for (int i = 0; i < kCursorArtCount; ++i)
        art.add(kFirstCursorArt + i, EncodeStaticArt(CursorArt(i)));
}

}  // namespace tw::datafiles

// The dirty rectangles of the play area and the back-buffer ring.
//
// The back buffer (FrameBuf.h) is S x R pixels, the size of the game
// window; it is a ring.  The play area, W x H pixels, lies in the game
// window at the platform's view position (g_viewX, g_viewY), and its pixel
// (x, y) lives at ring index O + y * S + x, reduced once by S * R, where O
// is the ring start (g_ringStart).  Window pixel (X, Y) so lives at
// O + (Y - g_viewY) * S + (X - g_viewX): scrolling moves O and nothing
// else, moving the play window moves the view position (and repaints all).
// The ring's pixels outside the play area stay black: the strips that leave
// the play area are cleared before O moves, and an invalidation clears all.
//
// The dirty list holds rectangles of the play area that do not overlap and
// do not straddle the ring's wrap point P = S * R - O, so that each is one
// contiguous piece of the ring.  While a full repaint is pending it already
// holds the whole play area, and marks and scrolls do nothing.
#pragma once

#include "TWTypes.h"

class DirtyList {
public:
    static constexpr int CAPACITY = 256;
    // While the multi placement preview is taken away.
    static constexpr int LARGE_CAPACITY = 1024;

    static RECT rects[LARGE_CAPACITY];
    static int count;
    static BOOL largeList;
    static BOOL fullRepaintPending;
};

// Marks a rectangle of the play area for repaint (clamped to it, split at
// the wrap point).  A null rectangle is reported and ignored.
void DirtyRect(const RECT* r);
// Adds one clamped rectangle that does not straddle the wrap point, keeping
// the list free of overlaps; a full list turns into a full repaint.
void DirtyRect_Internal(const RECT* r);

// The play area's size: the gameplay window, clamped to what fits into the
// back buffer at the play window's position.
int PlayAreaWidth();
int PlayAreaHeight();
// The ring start's column and row (O mod S, O div S).
int RingColumn();
int RingRow();

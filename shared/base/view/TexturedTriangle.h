// The textured triangle fillers of land with a texture.  A land cell's
// diamond is cut into two triangles; each is filled with the cell's
// texture mapped linearly onto it in screen space, with a darkness level
// per corner interpolated across it, in 20.12 fixed point with one division
// per row.  The fillers keep no state between calls.
//
// A texture is size x size texels, row by row, each a 5-5-5 colour; size
// is 64 (size code 0) or 128 (size code 1).  The whole texture covers the
// whole cell: a corner's texture coordinates follow from which corner of the
// diamond it is (top (0, 0), east (m, 0), south (m, m), west (0, m), with
// m = size - 1).
#pragma once

#include "TWTypes.h"

struct TriangleCorner {
    int x;  // play-area pixels of the draw target
    int y;
    signed char corner;  // 1 top, 2 east, 3 south, 4 west
};

// Fills the triangle (a, b, c) with the texture, darkened at each corner by
// lightA, lightB, lightC (0..15), into `target` (play-area pixel (0, 0);
// rows lie thelightthingie::target.pitch pixels apart), writing only inside
// clip.  The texels are read as little-endian words from `texels`, which
// must hold size x size of them for the size code (0 or 1).
void DrawTexturedTriangle(M_WORD* target, const M_BYTE* texels, int sizeCode,
                          const TriangleCorner* a, const TriangleCorner* b, const TriangleCorner* c,
                          int lightA, int lightB, int lightC, const RECT* clip);
// The same through the ghost view's grey table.  Its rows reach one column
// further to the right in the triangle's upper part.
void DrawTexturedTriangleGrey(M_WORD* target, const M_BYTE* texels, int sizeCode,
                              const TriangleCorner* a, const TriangleCorner* b,
                              const TriangleCorner* c, int lightA, int lightB, int lightC,
                              const RECT* clip);

// Directions of walking: 0 north, then clockwise; odd directions are
// diagonal and d ^ 4 is the opposite of d.
#pragma once

// Cell offsets per direction.  Entries 8 and 9 repeat directions 0 and 1, so
// that d + 1 may index the tables without a mask.
inline constexpr int DIR_DX[10] = {0, 1, 1, 1, 0, -1, -1, -1, 0, 1};
inline constexpr int DIR_DY[10] = {-1, -1, 0, 1, 1, 1, 0, -1, -1, -1};

// Below x 5120 the map is a torus of 5120 x 4096 cells: a cell one step
// past an edge comes back in at the other.  Beyond x 5120 nothing wraps.
inline constexpr int WRAP_X = 5120;
inline constexpr int WRAP_Y = 4096;

inline void WrapCell(int* x, int* y) {
    if (*x < 0)
        *x += WRAP_X;
    else if (*x >= WRAP_X)
        *x -= WRAP_X;
    if (*y < 0)
        *y += WRAP_Y;
    else if (*y >= WRAP_Y)
        *y -= WRAP_Y;
}

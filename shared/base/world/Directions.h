// Directions of walking: 0 north, then clockwise; odd directions are
// diagonal and d ^ 4 is the opposite of d.
#pragma once

// Cell offsets per direction.  Entries 8 and 9 repeat directions 0 and 1, so
// that d + 1 may index the tables without a mask.
inline constexpr int DIR_DX[10] = {0, 1, 1, 1, 0, -1, -1, -1, 0, 1};
inline constexpr int DIR_DY[10] = {-1, -1, 0, 1, 1, 1, 0, -1, -1, -1};

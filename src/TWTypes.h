// Fixed-width types of the file formats and the wire.  The client was written
// for a 32-bit machine; on our 64-bit build every field whose size a file or a
// message fixes uses these, never int or long.
#pragma once

#include <cstdint>

using M_BYTE = std::uint8_t;
using M_WORD = std::uint16_t;  // also one UTF-16 code unit; never wchar_t (32-bit here)
using M_DWORD = std::uint32_t;

using BOOL = int;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// A rectangle of signed 32-bit edges; right and bottom are exclusive.  The
// clip rectangles of the drawers and the screen rectangles of draw items.
struct RECT {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

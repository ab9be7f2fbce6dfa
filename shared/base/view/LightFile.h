// The light maps of "lightidx.mul" and "light.mul".
//
//   "lightidx.mul": one 12-byte record per light number, little-endian:
//     0  u32 offset of the map in "light.mul"
//     4  u32 length in bytes
//     8  u16 width
//     10 u16 height
//   "light.mul": each map is width x height signed bytes, row by row: how
//     much the light lowers the darkness level at that pixel.
//
// Both files come from the installation, so nothing is trusted: a record
// that the index does not hold, a map that does not lie inside the data
// file, or one whose width x height exceeds its length gives no light (one
// log line per light number).
#pragma once

#include <cstddef>

#include "TWTypes.h"

// Light numbers above this give no light.
constexpr int MAX_LIGHT_NUMBER = 99;

struct LightMap {
    int width = 0;
    int height = 0;
    const signed char* values = nullptr;  // width x height, row by row
};

class LightFiles {
public:
    // The two files' whole contents (not copied; they must outlive their
    // use).  Null or empty files hold no light.
    void Set(const M_BYTE* index, size_t indexSize, const M_BYTE* data, size_t dataSize);
    // The map of a light number; FALSE when it gives no light.
    BOOL Get(int number, LightMap* out) const;
    // Test support: refusals are logged again.
    static void ForgetReports();

private:
    const M_BYTE* index_ = nullptr;
    size_t indexSize_ = 0;
    const M_BYTE* data_ = nullptr;
    size_t dataSize_ = 0;
};

// The light files that thelightthingie::startup mapped.
LightFiles& TheLightFiles();

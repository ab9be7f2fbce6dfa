// "lightidx.mul" and "light.mul" over arbitrary bytes: the first two bytes
// give the index's length, the index follows, the rest is the data file.
// Every light the files give is read whole, as the light pass reads it.
#include <cstdint>

#include "view/LightFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    size_t indexSize = static_cast<size_t>(data[0] | data[1] << 8);
    data += 2;
    size -= 2;
    if (indexSize > size) indexSize = size;
    LightFiles files;
    files.Set(data, indexSize, data + indexSize, size - indexSize);
    int sum = 0;
    for (int n = -1; n <= MAX_LIGHT_NUMBER + 1; ++n) {
        LightMap map;
        if (!files.Get(n, &map)) continue;
        for (long i = 0; i < static_cast<long>(map.width) * map.height; ++i) sum += map.values[i];
    }
    return sum == 0x7FFFFFFF;
}

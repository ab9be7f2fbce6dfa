// A Unicode font file over arbitrary bytes (its offset table cut wherever the
// input ends), mapped as all three fonts, then text measured, wrapped and
// drawn into a small clipped buffer.  The first four bytes: x, y, the wrap
// width and the style (low bits and bits 8-12 of the style word).
#include <cstdint>
#include <cstdio>
#include <vector>

#include "FileManager.h"
#include "fuzz/FuzzSupport.h"
#include "resources/UnicodeFont.h"

namespace {
constexpr int kWidth = 40, kHeight = 40;
// Characters whose offset entries lie in the first bytes of the file, a
// space, a line end and ideographs.
const M_WORD kText[] = {1,  2,  3,   ' ', 4,  5,  6,  7,  10, 8,  9,  0x3042, 0x3002, 0x300C,
                        11, 12, ' ', ' ', 13, 14, 15, 16, 17, 18, 19, 20,     0};

void Write(const char* name, const uint8_t* data, size_t size) {
    FILE* f = fopen(name, "wb");
    if (!f) return;
    if (size) fwrite(data, 1, size, f);
    fclose(f);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    if (size < 4) return 0;
    ResetUnicodeFontsForTests();
    for (const char* name : {"unifont.mul", "unifont1.mul", "unifont2.mul"})
        Write(name, data + 4, size - 4);
    LoadUnicodeFont();
    const int x = static_cast<int8_t>(data[0]), y = static_cast<int8_t>(data[1]);
    const int wrap = data[2];
    UnicodeSetStyle(static_cast<M_DWORD>(data[3] & 0x7E) | static_cast<M_DWORD>(data[3] & 0x1F)
                                                               << 8);
    UnicodeSetDrawOption(data[3] & 1);

    std::vector<M_WORD> buffer(kWidth * kHeight, 0x1111);
    const BlitTarget target =
        BlitTarget(buffer.data(), kWidth, kHeight).Clipped(RECT{1, 1, kWidth - 1, kHeight - 1});
    int w = 0, h = 0, b = 0;
    UnicodeCalcInfo(kText, wrap, &w, &h, &b);
    UnicodeFitStringToRect(kText, wrap, 30, 20);
    UnicodeDrawString(target, kText, x, y, 0x7FFF);
    UnicodeDrawStringBuf(target, wrap, kText, x, y, 0x7FFF, data[2] & 1);
    UnicodeDrawStringBufSelected(target, wrap, kText, x, y, 0x7FFF, 0x1F, 2, 5);
    UnicodeRestoreStyle();
    return w < 0;
}

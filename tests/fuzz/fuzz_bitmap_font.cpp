// Bitmap font glyph records over arbitrary bytes (a version patch of font 0,
// and, when the first byte's top bit is set, the same bytes as "fonts.mul"),
// then text measured, wrapped and drawn into a small clipped buffer.  The
// first four bytes: x, y, the wrap width and the hue.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "config/Config.h"
#include "fuzz/FuzzSupport.h"
#include "resources/FontManager.h"

namespace {
constexpr int kWidth = 40, kHeight = 30;
const char kText[] = "Ab cd\xC8\xFF efghij k\x01l mnopqrstuvwxyz 0123456789 ...!";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    if (size < 4) return 0;
    const int x = static_cast<int8_t>(data[0]), y = static_cast<int8_t>(data[1]);
    const int wrap = data[2], hue = data[3] % 4;
    const M_BYTE* glyphs = data + 4;
    const int length = static_cast<int>(size - 4);
    FontManager::reset();
    if (data[0] & 0x80) {
        FILE* f = fopen("fonts.mul", "wb");
        if (f) {
            fwrite(glyphs, 1, length, f);
            fclose(f);
            FontManager::LoadFonts();
        }
    }
    FontManager::PatchFont(0, glyphs, length);
    ShadedFonts = (data[1] & 1) ? TRUE : FALSE;
    Display565 = (data[1] & 2) ? TRUE : FALSE;

    std::vector<M_WORD> buffer(kWidth * kHeight, 0x1111);
    const BlitTarget target =
        BlitTarget(buffer.data(), kWidth, kHeight).Clipped(RECT{2, 2, kWidth - 2, kHeight - 2});
    int w, h, b;
    FontManager::CalcInfoWrap(0, kText, wrap, &w, &h, &b, data[2] & 3);
    FontManager::FitStringToRect(0, kText, wrap, 30, 20);
    FontManager::DrawString(x, y, 0, hue, kText, target);
    FontManager::DrawstringBuf(x, y, 0, hue, kText, wrap, target, 2, 0, data[3] & 4);
    FontManager::DrawStringBufEllips(x, y, 0, hue, kText, target);
    return w < 0;
}

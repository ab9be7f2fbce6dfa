// The hued pixel-row copy of gump-art drawing.
#include "config/Config.h"
#include "resources/GumpArt.h"
#include "resources/HueManager.h"

void CopyPixelRowHued(unsigned short* dst, const unsigned short* src, unsigned int count, int hue) {
    const Hue* record = HueManager::GetHue(hue);
    for (unsigned int i = 0; i < count; ++i) {
        const unsigned short pixel = src[i];
        if (pixel == 0) continue;
        if (record == nullptr) {
            dst[i] = pixel;
            continue;
        }
        unsigned red, green, blue;
        if (use565) {
            red = (pixel >> 11) & 0x1F;
            green = (pixel >> 6) & 0x1F;  // the top five of six green bits
            blue = pixel & 0x1F;
        } else {
            red = (pixel >> 10) & 0x1F;
            green = (pixel >> 5) & 0x1F;
            blue = pixel & 0x1F;
        }
        dst[i] = (red == green && green == blue) ? record->colors[red] : pixel;
    }
}

#include "support/datafiles/ColourFormats.h"

#include <cstdio>

#include "ByteWriter.h"

namespace tw::datafiles {

HueRecord RampHue(M_WORD start, M_WORD end, const std::string& name) {
    HueRecord hue;
    hue.start = start;
    hue.end = end;
    hue.name = name;
    for (int i = 0; i < 32; ++i) {
        M_WORD c = 0;
        for (int shift : {10, 5, 0}) {
            int a = start >> shift & 31;
            int b = end >> shift & 31;
            c |= static_cast<M_WORD>((a + (b - a) * i / 31) << shift);
        }
        hue.colours[i] = c;
    }
    return hue;
}

Bytes EncodeHueRecord(const HueRecord& hue) {
    Bytes out;
    ByteWriter w(out);
    for (M_WORD c : hue.colours) w.u16le(c);
    w.u16le(hue.start).u16le(hue.end).fixedString(hue.name, 20);
    return out;
}

Bytes EncodeHueGroup(const std::vector<HueRecord>& eight, M_DWORD header) {
    Bytes out;
    ByteWriter w(out);
    w.u32le(header);
    for (size_t i = 0; i < 8; ++i) {
        Bytes one = EncodeHueRecord(i < eight.size() ? eight[i] : HueRecord{});
        w.raw(one.data(), one.size());
    }
    return out;
}

Bytes EncodeHues(const std::vector<HueRecord>& hues, int groups) {
    Bytes out;
    for (int g = 0; g < groups; ++g) {
        std::vector<HueRecord> eight;
        for (size_t n = size_t(g) * 8; n < size_t(g) * 8 + 8; ++n)
            eight.push_back(n < hues.size() ? hues[n] : HueRecord{});
        Bytes group = EncodeHueGroup(eight);
        out.insert(out.end(), group.begin(), group.end());
    }
    return out;
}

Bytes EncodePalette(const std::array<M_BYTE, 768>& rgb) {
    return Bytes(rgb.begin(), rgb.end());
}

Bytes GreyPalette() {
    std::array<M_BYTE, 768> rgb{};
    for (int i = 0; i < 256; ++i) rgb[3 * i] = rgb[3 * i + 1] = rgb[3 * i + 2] = M_BYTE(i);
    return EncodePalette(rgb);
}

std::string EncodeHueList(const std::vector<std::array<int, 3>>& colours) {
    std::string text;
    char line[64];
    for (const auto& c : colours) {
        snprintf(line, sizeof line, "(%d,%d,%d)\n", c[0], c[1], c[2]);
        text += line;
    }
    return text;
}

Bytes EncodeRadarColours(const std::vector<M_WORD>& colours) {
    Bytes out;
    ByteWriter w(out);
    for (size_t i = 0; i < 65536; ++i) w.u16le(i < colours.size() ? colours[i] : 0);
    return out;
}

}  // namespace tw::datafiles

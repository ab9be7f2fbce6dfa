#include "support/datafiles/AnimFormats.h"

#include "ByteWriter.h"

namespace tw::datafiles {

Bytes EncodeAnimInfo(const std::map<int, std::pair<M_BYTE, M_BYTE>>& bodies) {
    Bytes out;
    ByteWriter w(out);
    for (int body = 0; body < 1000; ++body) {
        auto it = bodies.find(body);
        auto entry = it == bodies.end() ? std::pair<M_BYTE, M_BYTE>{4, 2} : it->second;
        w.u8(entry.first).u8(entry.second);
    }
    return out;
}

Bytes EncodeAnimDataGroup(const std::array<AnimDataRecord, 8>& eight, M_DWORD header) {
    Bytes out;
    ByteWriter w(out);
    w.u32le(header);
    for (const AnimDataRecord& r : eight) {
        for (std::int8_t f : r.frames) w.u8(static_cast<M_BYTE>(f));
        w.u8(r.current).u8(r.frameCount).u8(r.interval).u8(r.start);
    }
    return out;
}

Bytes EncodeAnimData(const std::map<int, AnimDataRecord>& records, int groups) {
    Bytes out;
    for (int g = 0; g < groups; ++g) {
        std::array<AnimDataRecord, 8> eight{};
        for (int i = 0; i < 8; ++i) {
            auto it = records.find(g * 8 + i);
            if (it != records.end()) eight[i] = it->second;
        }
        Bytes group = EncodeAnimDataGroup(eight);
        out.insert(out.end(), group.begin(), group.end());
    }
    return out;
}

Bytes EncodeAnimation(const std::array<M_WORD, 256>& colours,
                      const std::vector<AnimFrame>& frames) {
    std::vector<Bytes> encoded;
    for (const AnimFrame& f : frames) {
        Bytes bytes;
        ByteWriter w(bytes);
        // The header's centre y places the frame's top at the anchor less
        // centre y less the height: the anchor row less the height.
        w.u16le(f.anchorX).u16le(static_cast<unsigned>(f.anchorY - f.height) & 0xFFFF);
        w.u16le(f.width).u16le(f.height);
        for (int y = 0; y < f.height; ++y) {
            int x = 0;
            while (x < f.width) {
                if (f.indexes[size_t(y) * f.width + x] == 0) {
                    ++x;
                    continue;
                }
                int start = x;
                while (x < f.width && x - start < 4095 && f.indexes[size_t(y) * f.width + x] != 0)
                    ++x;
                M_DWORD dx = static_cast<M_DWORD>(start - f.anchorX) & 0x3FF;
                M_DWORD dy = static_cast<M_DWORD>(y - f.anchorY) & 0x3FF;
                w.u32le(dx << 22 | dy << 12 | static_cast<M_DWORD>(x - start));
                w.raw(&f.indexes[size_t(y) * f.width + start], size_t(x - start));
            }
        }
        w.u32le(0x7FFF7FFF);
        encoded.push_back(std::move(bytes));
    }
    Bytes out;
    ByteWriter w(out);
    for (M_WORD c : colours) w.u16le(c);
    w.u32le(static_cast<M_DWORD>(frames.size()));
    M_DWORD offset = 4 + 4 * static_cast<M_DWORD>(frames.size());
    for (const Bytes& b : encoded) {
        w.u32le(offset);
        offset += static_cast<M_DWORD>(b.size());
    }
    for (const Bytes& b : encoded) w.raw(b.data(), b.size());
    return out;
}

}  // namespace tw::datafiles

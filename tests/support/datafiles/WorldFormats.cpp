#include "support/datafiles/WorldFormats.h"

#include <stdexcept>

#include "ByteWriter.h"

namespace tw::datafiles {

namespace {

void writeLand(ByteWriter& w, const LandTile& t) {
    w.u32le(t.flags).u16le(t.texture).fixedString(t.name, 20);
}

void writeItem(ByteWriter& w, const ItemTile& t) {
    w.u32le(t.flags).u8(t.fieldA).u8(t.fieldB).u32le(t.field32);
    w.u16le(t.fieldC).u16le(t.fieldD).u16le(t.light).u8(t.height).fixedString(t.name, 20);
}

constexpr int kMapRows = 4096;

}  // namespace

Bytes TileData::landGroup(int group, M_DWORD header) const {
    Bytes out;
    ByteWriter w(out);
    w.u32le(header);
    for (int i = 0; i < 32; ++i) writeLand(w, land.at(size_t(group) * 32 + i));
    return out;
}

Bytes TileData::itemGroup(int group, M_DWORD header) const {
    Bytes out;
    ByteWriter w(out);
    w.u32le(header);
    for (int i = 0; i < 32; ++i) writeItem(w, items.at(size_t(group) * 32 + i));
    return out;
}

Bytes TileData::bytes() const {
    Bytes out;
    for (int g = 0; g < kTileCount / 32; ++g) {
        Bytes group = landGroup(g);
        out.insert(out.end(), group.begin(), group.end());
    }
    for (int g = 0; g < kTileCount / 32; ++g) {
        Bytes group = itemGroup(g);
        out.insert(out.end(), group.begin(), group.end());
    }
    return out;
}

MapBuilder::MapBuilder(int xBlocks, M_WORD tile, std::int8_t z)
    : xBlocks_(xBlocks), cells_(size_t(xBlocks) * 8 * kMapRows, Cell{tile, z}) {}

void MapBuilder::setCell(int x, int y, M_WORD tile, std::int8_t z) {
    if (x < 0 || x >= width() || y < 0 || y >= kMapRows)
        throw std::out_of_range("MapBuilder::setCell: cell outside the map");
    cells_[size_t(x) * kMapRows + y] = Cell{tile, z};
}

void MapBuilder::addStatic(const StaticTile& s) {
    if (s.x < 0 || s.x >= width() || s.y < 0 || s.y >= kMapRows)
        throw std::out_of_range("MapBuilder::addStatic: cell outside the map");
    statics_[BlockNumber(s.x, s.y)].push_back(s);
}

Bytes MapBuilder::mapBytes() const {
    Bytes out;
    ByteWriter w(out);
    for (int bx = 0; bx < xBlocks_; ++bx)
        for (int by = 0; by < kMapBlocksPerColumn; ++by) {
            w.u32le(0);
            for (int cy = 0; cy < 8; ++cy)
                for (int cx = 0; cx < 8; ++cx) {
                    const Cell& c = cells_[size_t(bx * 8 + cx) * kMapRows + by * 8 + cy];
                    w.u16le(c.tile).u8(static_cast<M_BYTE>(c.z));
                }
        }
    return out;
}

IndexedPair MapBuilder::statics() const {
    IndexedPair pair;
    pair.reserve(xBlocks_ * kMapBlocksPerColumn);
    for (const auto& [block, list] : statics_) {
        Bytes item;
        ByteWriter w(item);
        for (const StaticTile& s : list)
            w.u16le(s.graphic).u8(s.x & 7).u8(s.y & 7).u8(static_cast<M_BYTE>(s.z)).u16le(s.hue);
        pair.add(block, item);
    }
    return pair;
}

Bytes EncodeMulti(const std::vector<MultiPart>& parts) {
    Bytes out;
    ByteWriter w(out);
    for (const MultiPart& p : parts)
        w.u16le(p.graphic)
            .u16le(static_cast<M_WORD>(p.x))
            .u16le(static_cast<M_WORD>(p.y))
            .u16le(static_cast<M_WORD>(p.z))
            .u32le(p.flags);
    return out;
}

Bytes EncodeRegions(const std::vector<Region>& regions, RegionLayout layout) {
    Bytes out;
    ByteWriter w(out);
    if (layout == RegionLayout::Padded112 || layout == RegionLayout::Packed)
        w.u16le(0xFACF);
    else if (layout == RegionLayout::Face103)
        w.u16le(0xFACE);
    for (const Region& r : regions) {
        w.fixedString(r.name, 40).u16le(r.slot);
        for (std::int16_t v : {r.x, r.y, r.width, r.height, r.lowZ, r.highZ})
            w.u16le(static_cast<M_WORD>(v));
        switch (layout) {
            case RegionLayout::Padded112:
                w.zeros(2).u32le(static_cast<M_DWORD>(r.word)).fixedString(r.secondName, 40);
                w.u16le(r.value1).u16le(r.value2).u16le(r.value3).u8(r.value4).zeros(1);
                w.u16le(r.value5).zeros(2);
                break;
            case RegionLayout::Packed:
                w.u32le(static_cast<M_DWORD>(r.word)).fixedString(r.secondName, 40);
                w.u16le(r.value1).u16le(r.value2).u16le(r.value3).u8(r.value4).u16le(r.value5);
                break;
            case RegionLayout::Face103:
                w.u32le(static_cast<M_DWORD>(r.word)).fixedString(r.secondName, 40);
                w.u16le(r.value1).u16le(r.value2).u8(r.value4);
                break;
            case RegionLayout::Unversioned58:
                w.u32le(static_cast<M_DWORD>(r.word));
                break;
        }
    }
    return out;
}

Bytes EncodeMultimap(int columns, int rows, const std::vector<bool>& land) {
    Bytes out;
    ByteWriter w(out);
    w.u32le(static_cast<M_DWORD>(columns)).u32le(static_cast<M_DWORD>(rows));
    size_t total = size_t(columns) * rows;
    size_t i = 0;
    while (i < total) {
        bool value = i < land.size() && land[i];
        size_t n = 0;
        while (i + n < total && n < 127 && (i + n < land.size() && land[i + n]) == value) ++n;
        w.u8(static_cast<unsigned>(n) | (value ? 0x80 : 0));
        i += n;
    }
    return out;
}

LightFiles EncodeLights(const std::map<int, LightMap>& lights, int count) {
    LightFiles files;
    ByteWriter index(files.index);
    for (int n = 0; n < count; ++n) {
        auto it = lights.find(n);
        if (it == lights.end()) {
            index.u32le(0).u32le(0).u16le(0).u16le(0);
            continue;
        }
        const LightMap& l = it->second;
        index.u32le(static_cast<M_DWORD>(files.data.size()))
            .u32le(static_cast<M_DWORD>(l.values.size()))
            .u16le(l.width)
            .u16le(l.height);
        for (std::int8_t v : l.values) files.data.push_back(static_cast<M_BYTE>(v));
    }
    return files;
}

}  // namespace tw::datafiles

// The world: a small map region with land and statics, the tile data that
// names them, a house multi, a town region, light maps, radar colours and the
// world map picture.
#include <cmath>

#include "Sample.h"

namespace mkinstall {

namespace {

using namespace tw::datafiles;

// The map covers x 0-31 and every y; the town lies round (16, 16).
constexpr int kMapBlockColumns = 4;

void buildMap(MapBuilder& map) {
    for (int x = 0; x < map.width(); ++x)
        for (int y = 0; y < 64; ++y) {
            M_WORD tile = tiles::kGrass;
            std::int8_t z = 0;
            if (x >= 24 && y >= 4 && y < 12) tile = tiles::kWater;
            if ((x == 16 || y == 16) && x < 24) tile = tiles::kDirt;
            if (x < 4 && y > 40) z = static_cast<std::int8_t>((40 - y) / 4 + 10);
            map.setCell(x, y, tile, z);
        }
    // A small walled house with a floor, trees and a lamp.
    for (int x = 10; x <= 14; ++x)
        for (int y = 10; y <= 13; ++y) {
            map.addStatic({tiles::kFloor, x, y, 0, 0});
            if (x == 10 || x == 14 || y == 10 || y == 13)
                if (!(x == 12 && y == 13)) map.addStatic({tiles::kWall, x, y, 0, 0});
        }
    for (auto [x, y] : {std::pair{18, 8}, {20, 12}, {7, 20}, {22, 22}, {5, 5}})
        map.addStatic({tiles::kTree, x, y, 0, 0});
    map.addStatic({tiles::kLamp, 17, 17, 0, 0});
    map.addStatic({tiles::kWaterFall, 26, 6, 0, 0});
}

TileData buildTileData() {
    TileData t;
    for (int id = 0; id < 256; ++id) t.land[id] = {0, 0, "grass"};
    t.land[tiles::kDirt] = {0, 2, "dirt"};
    for (int id = tiles::kWater; id < tiles::kWater + 4; ++id)
        t.land[id] = {0x40 | 0x80, 1, "water"};  // impassable, wet
    t.items[tiles::kWall] = {0x40 | 0x10, 0, 0, 0, 0, 0, 0, 20, "wall"};
    t.items[tiles::kFloor] = {0x200, 0, 0, 0, 0, 0, 0, 0, "floor"};
    t.items[tiles::kTree] = {0x40 | 0x20000, 0, 0, 0, 0, 0, 0, 20, "tree"};
    t.items[tiles::kLamp] = {0x40 | 0x800000, 0, 0, 0, 0, 0, 1, 20, "lamp post"};
    for (int i = 0; i < 4; ++i)
        t.items[tiles::kWaterFall + i] = {0x40 | 0x01000000, 0, 0, 0, 0, 0, 0, 10, "waterfall"};
    t.items[3701] = {0x200000, 0, 0, 0, 0, 0, 0, 2, "backpack"};
    t.items[3821] = {0x800, 0, 0, 0, 0, 0, 0, 1, "gold coin%s%"};
    return t;
}

LightMap roundLight(int size) {
    LightMap l;
    l.width = l.height = size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double d = std::hypot(x - size / 2.0, y - size / 2.0) / (size / 2.0);
            l.values.push_back(static_cast<std::int8_t>(d >= 1 ? 0 : (1 - d) * 24));
        }
    return l;
}

}  // namespace

void WriteWorld(Output& out) {
    MapBuilder map(kMapBlockColumns);
    buildMap(map);
    out.bytes("map0.mul", map.mapBytes());
    out.pair("staidx0.mul", "statics0.mul", map.statics());
    out.bytes("tiledata.mul", buildTileData().bytes());

    IndexedPair multis;
    std::vector<MultiPart> house = {{0x4064, 0, 0, 0, 0}};
    for (int x = -2; x <= 2; ++x)
        for (int y = -2; y <= 2; ++y)
            if (std::abs(x) == 2 || std::abs(y) == 2)
                house.push_back({tiles::kWall, std::int16_t(x), std::int16_t(y), 0, 1});
    multis.add(0, EncodeMulti(house));
    out.pair("multi.idx", "multi.mul", multis);

    Region town;
    town.name = "Sample_Town";
    town.slot = 0;
    town.x = 0;
    town.y = 0;
    town.width = 32;
    town.height = 64;
    town.lowZ = -128;
    town.highZ = 127;
    town.secondName = "Veldoria";
    out.bytes("regions.mul", EncodeRegions({town}, RegionLayout::Padded112));

    LightFiles lights = EncodeLights({{1, roundLight(64)}, {2, roundLight(128)}});
    out.bytes("lightidx.mul", lights.index);
    out.bytes("light.mul", lights.data);

    std::vector<M_WORD> radar(65536, Rgb555(60, 140, 50));
    for (int id = tiles::kWater; id < tiles::kWater + 4; ++id) radar[id] = Rgb555(40, 70, 200);
    radar[tiles::kDirt] = Rgb555(140, 100, 60);
    radar[16384 + tiles::kWall] = Rgb555(150, 150, 140);
    radar[16384 + tiles::kTree] = Rgb555(30, 100, 40);
    out.bytes("radarcol.mul", EncodeRadarColours(radar));

    // The world map picture: land in the region the map covers.
    const int columns = 160, rows = 128;
    std::vector<bool> land(size_t(columns) * rows, false);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < 2; ++x) land[size_t(y) * columns + x] = true;
    out.bytes("multimap.rle", EncodeMultimap(columns, rows, land));
}

}  // namespace mkinstall

// The world: the sample world's map, statics, tile data and light maps
// (tests/support/datafiles/SampleWorld.h), with a house multi, a town
// region, radar colours and the world map picture.
#include <cstdlib>

#include "Sample.h"

namespace mkinstall {

namespace {

using namespace tw::datafiles;
namespace world = tw::datafiles::sample;

// The items of the other samples: a backpack and gold.
void AddItemTiles(TileData& t) {
    t.items[3701] = {0x200000, 0, 0, 0, 0, 0, 0, 2, "backpack"};
    t.items[3821] = {0x800, 0, 0, 0, 0, 0, 0, 1, "gold coin%s%"};
}

}  // namespace

void WriteWorld(Output& out, const SampleWorld& sample) {
    out.bytes("map0.mul", sample.map.mapBytes());
    out.pair("staidx0.mul", "statics0.mul", sample.map.statics());
    TileData tiles = sample.tiles;
    AddItemTiles(tiles);
    out.bytes("tiledata.mul", tiles.bytes());
    out.bytes("lightidx.mul", sample.lights.index);
    out.bytes("light.mul", sample.lights.data);

    IndexedPair multis;
    std::vector<MultiPart> house = {{0x4064, 0, 0, 0, 0}};
    for (int x = -2; x <= 2; ++x)
        for (int y = -2; y <= 2; ++y)
            if (std::abs(x) == 2 || std::abs(y) == 2)
                house.push_back({world::kWallNorth, std::int16_t(x), std::int16_t(y), 0, 1});
    multis.add(0, EncodeMulti(house));
    out.pair("multi.idx", "multi.mul", multis);

    Region town;
    town.name = "Sample_Town";
    town.slot = 0;
    town.x = 0;
    town.y = 0;
    town.width = 64;
    town.height = 64;
    town.lowZ = -128;
    town.highZ = 127;
    town.secondName = "Veldoria";
    out.bytes("regions.mul", EncodeRegions({town}, RegionLayout::Padded112));

    std::vector<M_WORD> radar(65536, Rgb555(60, 140, 50));
    for (int id = world::kWater; id < world::kWater + 4; ++id) radar[id] = Rgb555(40, 70, 200);
    radar[world::kDirt] = Rgb555(140, 100, 60);
    radar[world::kSand] = Rgb555(220, 200, 120);
    radar[world::kRock] = Rgb555(120, 120, 128);
    radar[16384 + world::kWallNorth] = Rgb555(150, 150, 140);
    radar[16384 + world::kWallWest] = Rgb555(150, 150, 140);
    radar[16384 + world::kRoof] = Rgb555(170, 50, 40);
    radar[16384 + world::kTree] = Rgb555(30, 100, 40);
    out.bytes("radarcol.mul", EncodeRadarColours(radar));

    // The world map picture: land in the region the map covers.
    const int columns = 160, rows = 128;
    std::vector<bool> land(size_t(columns) * rows, false);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < 2; ++x) land[size_t(y) * columns + x] = true;
    out.bytes("multimap.rle", EncodeMultimap(columns, rows, land));
}

}  // namespace mkinstall

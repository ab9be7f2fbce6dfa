// The sample world: a region of the map worth looking at, with the art,
// textures, tile data, light maps and hues it is drawn from.  tools/mkinstall
// writes it into the sample installation; the world view's tests and
// benchmarks draw it.
//
// The region covers cells x 0..63 (every y; the map file holds the first
// eight block columns).  Round the crossroads at (28, 28) lie a walled house
// with floors and a roof, lamp posts, crates and a barrel; a grass hill
// rises at (46, 16) with a dirt road climbing it; rock rises to the east;
// a lake with sandy shores lies at (11, 47); a small wood and a campfire
// lie to the north-west; two chairs stand on the grass far to the south.  Plains are flat grass;
// the hill, the rock and the shores are textured and sloped.
#pragma once

#include <string>

#include "support/datafiles/AnimFormats.h"
#include "support/datafiles/ArtFormats.h"
#include "support/datafiles/ColourFormats.h"
#include "support/datafiles/DataFile.h"
#include "support/datafiles/WorldFormats.h"

namespace tw::datafiles::sample {

// Land tiles.
constexpr M_WORD kGrass = 3;  // texture 1, as every id below 256 not named here
constexpr M_WORD kHill = 4;   // texture 1
constexpr M_WORD kDirt = 6;   // texture 2
constexpr M_WORD kSand = 22;  // texture 4
constexpr M_WORD kWater = 168;
constexpr M_WORD kRock = 220;  // texture 3, 128 x 128 texels

// Item graphics.
constexpr M_WORD kWallNorth = 100;  // a wall on the cell's north-east edge
constexpr M_WORD kWallWest = 101;   // a wall on the cell's north-west edge
constexpr M_WORD kFloor = 1169;
constexpr M_WORD kRoof = 1414;
constexpr M_WORD kTree = 3240;
constexpr M_WORD kBush = 3215;
constexpr M_WORD kCrate = 3645;
constexpr M_WORD kBarrel = 3703;
constexpr M_WORD kLamp = 2848;       // light 1, white
constexpr M_WORD kCampfire = 3553;   // light 2, soft orange
constexpr M_WORD kBrazier = 6587;    // light 2, red
constexpr M_WORD kWaterfall = 6039;  // animated: 6039..6042

// Figures: bodies and the worn items drawn over them (their tile data's
// animation number, 400..999, names the animation of the figure).
constexpr int kMaleBody = 400;
constexpr int kFemaleBody = 401;
constexpr int kCreatureBody = 10;
constexpr M_WORD kHair = 8251;       // layer 11, animation 450
constexpr M_WORD kShirt = 5399;      // layer 5, animation 451; grey parts hued
constexpr M_WORD kPants = 5422;      // layer 4, animation 452
constexpr M_WORD kChair = 2895;      // seats a mobile facing south
constexpr M_WORD kChairWest = 2897;  // facing west, its back drawn over the sitter
constexpr int kHairAnimation = 450;
constexpr int kShirtAnimation = 451;
constexpr int kPantsAnimation = 452;

// The light numbers of the sample's lights.
constexpr int kLampLight = 1;
constexpr int kFireLight = 2;

// Places worth a view.
struct Place {
    int x;
    int y;
    const char* name;
};
constexpr Place kCrossroads{30, 31, "crossroads"};
constexpr Place kHillside{42, 20, "hill"};
constexpr Place kLakeShore{16, 44, "lake"};
constexpr Place kByTheFire{20, 21, "campfire"};
// Two chairs on the grass far south-east, at (46, 58) and (49, 58).
constexpr Place kChairs{47, 57, "chairs"};

// The map covers this many columns of blocks (x below 8 times it).
constexpr int kMapBlockColumns = 8;

// Every file of the sample world.
struct SampleWorld {
    MapBuilder map{kMapBlockColumns, kGrass, 0};
    // Land art (ids below 16384) and static art (16384 + graphic).
    IndexedPair art;
    IndexedPair textures;
    TileData tiles;
    LightFiles lights;
    std::vector<HueRecord> hues;
    // "anim.idx"/"anim.mul": the figures standing and falling dead.
    IndexedPair animations;
};

SampleWorld MakeSampleWorld();

// Writes "map0.mul", "staidx0.mul", "statics0.mul", "artidx.mul",
// "art.mul", "texidx.mul", "texmaps.mul", "tiledata.mul", "lightidx.mul",
// "light.mul", "hues.mul", "anim.idx" and "anim.mul" into dir; false when a
// write fails.
bool WriteSampleWorld(const SampleWorld& world, const std::string& dir);

}  // namespace tw::datafiles::sample

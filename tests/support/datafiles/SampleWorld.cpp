#include "support/datafiles/SampleWorld.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tw::datafiles::sample {

namespace {

// ---- small helpers -----------------------------------------------------------

// A repeatable value 0..255 for a point and a seed.
unsigned Noise(int x, int y, unsigned seed) {
    unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return (h ^ (h >> 16)) & 255;
}

int Clamp5(int v) {
    return std::clamp(v, 1, 31);
}

// A 5-5-5 colour from 5-bit channels, never 0 (a hole in static art).
M_WORD Colour(int r, int g, int b) {
    return static_cast<M_WORD>(Clamp5(r) << 10 | Clamp5(g) << 5 | Clamp5(b));
}

// Lightens (or darkens, with a negative amount) every channel.
M_WORD Shift(M_WORD c, int amount) {
    return Colour((c >> 10 & 31) + amount, (c >> 5 & 31) + amount, (c & 31) + amount);
}

// TRUE for a pixel of the 44 x 44 land diamond whose rows start at `top`.
bool InDiamond(int x, int y, int top) {
    const int row = y - top;
    if (row < 0 || row >= 44) return false;
    int first = 0, count = 0;
    LandTileRow(row, &first, &count);
    return x >= first && x < first + count;
}

// ---- land ------------------------------------------------------------------

// A land tile: a base colour with a grain and a faint edge, so that cells
// can be told apart without looking like a grid.
Bytes LandArt(M_WORD base, unsigned seed, int grain) {
    Image img(44, 44);
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 44; ++x) {
            int d = static_cast<int>(Noise(x, y, seed) % (2 * grain + 1)) - grain;
            if (std::abs(x - 21.5) + std::abs(y - 21.5) > 20.5) d -= 2;
            img.set(x, y, Shift(base, d));
        }
    return EncodeLandTile(img);
}

Bytes WaterArt() {
    Image img(44, 44);
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 44; ++x) {
            const double wave = std::sin((x + 2 * y) * 0.45) + 0.5 * std::sin((x - y) * 0.8);
            const int d = static_cast<int>(wave * 2);
            img.set(x, y, Colour(4 + d, 10 + d, 24 + d));
        }
    return EncodeLandTile(img);
}

// A texture of `size` texels: a base colour with grain, and features.
Image GrassTexture() {
    Image img(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int d = static_cast<int>(Noise(x, y, 11) % 7) - 3;
            const bool blade = Noise(x / 2, y, 12) > 236;
            img.set(x, y, blade ? Colour(12, 22, 6) : Colour(8 + d / 2, 17 + d, 6 + d / 2));
        }
    return img;
}

Image DirtTexture() {
    Image img(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int d = static_cast<int>(Noise(x, y, 21) % 5) - 2;
            const bool pebble = Noise(x / 3, y / 3, 22) > 240;
            img.set(x, y, pebble ? Colour(20, 19, 17) : Colour(17 + d, 12 + d, 7 + d));
        }
    return img;
}

Image RockTexture() {
    Image img(128, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const int d = static_cast<int>(Noise(x / 2, y / 2, 31) % 7) - 3;
            const bool crack = (Noise(x / 16, y / 16, 32) & 7) == 0 && ((x + y) % 16 == 0);
            img.set(x, y, crack ? Colour(7, 7, 8) : Colour(15 + d, 15 + d, 16 + d));
        }
    return img;
}

Image SandTexture() {
    Image img(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int d = static_cast<int>(Noise(x, y, 41) % 5) - 2;
            img.set(x, y, Colour(27 + d, 24 + d, 15 + d));
        }
    return img;
}

// ---- statics ---------------------------------------------------------------

constexpr int kWallHeight = 80;  // pixels: 20 height units

// A stone wall on the north-east (or north-west) edge of its cell: the
// edge runs from the diamond's top corner down to its east (west) corner.
Image Wall(bool north) {
    const int h = 44 + kWallHeight;
    Image img(44, h);
    for (int x = 0; x < 44; ++x) {
        const bool onEdge = north ? x >= 21 : x <= 22;
        if (!onEdge) continue;
        const int along = north ? x - 21 : 22 - x;
        const int base = (h - 44) + along;
        for (int y = base - kWallHeight; y <= base; ++y) {
            const int up = base - y;
            const bool mortar =
                up % 10 == 0 || (((up / 10) + along / 6) % 2 == 0 && along % 6 == 0);
            M_WORD c = north ? Colour(21, 20, 18) : Colour(16, 15, 14);
            if (mortar) c = Shift(c, -5);
            if (up >= kWallHeight - 2) c = Shift(c, 5);
            c = Shift(c, static_cast<int>(Noise(x, y, 51) % 3) - 1);
            img.set(x, y, c);
        }
    }
    return img;
}

// A wooden floor over the whole diamond of its cell.
Image Floor() {
    Image img(44, 44);
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 44; ++x) {
            if (!InDiamond(x, y, 0)) continue;
            const bool seam = (x + 2 * y) % 11 == 0;
            M_WORD c = Colour(19, 13, 8);
            if (seam) c = Shift(c, -5);
            img.set(x, y, Shift(c, static_cast<int>(Noise(x, y, 61) % 3) - 1));
        }
    return img;
}

// A roof tile: a diamond of red tiles with its eaves 4 rows thick.
Image Roof() {
    Image img(44, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 44; ++x) {
            if (InDiamond(x, y, 0)) {
                const bool row = (y + x / 2) % 6 == 0;
                img.set(x, y, row ? Colour(14, 4, 3) : Colour(22, 7, 5));
            } else if (InDiamond(x, y - 4, 0) && y >= 22) {
                img.set(x, y, Colour(11, 3, 2));
            }
        }
    return img;
}

Image Tree() {
    const int w = 64, h = 112;
    Image img(w, h);
    const int cx = w / 2, foot = h - 22;
    img.fillRect(cx - 3, foot - 40, 6, 42, Colour(12, 8, 4));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = (x - cx) / 28.0, dy = (y - (foot - 56)) / 34.0;
            if (dx * dx + dy * dy >= 1) continue;
            const int shade =
                static_cast<int>((dx - dy) * 4) + static_cast<int>(Noise(x, y, 71) % 5);
            img.set(x, y, Colour(4 + shade / 2, 13 + shade, 4));
        }
    return img;
}

Image Bush() {
    Image img(40, 36);
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 40; ++x) {
            const double dx = (x - 20) / 18.0, dy = (y - 14) / 12.0;
            if (dx * dx + dy * dy >= 1) continue;
            img.set(x, y, Colour(6, 15 + static_cast<int>(Noise(x, y, 81) % 5) - 2, 5));
        }
    return img;
}

// An isometric box of grey wood (hues recolour it): a lid diamond over two
// sides.
Image Crate() {
    const int w = 30, h = 34;
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int ax = std::abs(2 * x - 29) / 4;  // half the distance from the middle
            const int lidBottom = 15 - ax;
            int grey;
            if (y >= ax && y <= lidBottom)
                grey = 25;
            else if (y > lidBottom && y <= lidBottom + 18)
                grey = (x < 15 ? 15 : 20) - (x % 7 == 0 ? 4 : 0);
            else
                continue;
            img.set(x, y, Colour(grey, grey, grey));
        }
    return img;
}

Image Barrel() {
    const int w = 24, h = 34;
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = (x - 11.5) / 11.5;
            if (std::abs(dx) > 1) continue;
            const bool hoop = y == 6 || y == 16 || y == 27;
            const int shade = static_cast<int>(6 * (1 - dx * dx)) - 3;
            img.set(x, y, hoop ? Colour(8, 8, 9) : Colour(17 + shade, 11 + shade, 5 + shade));
        }
    return img;
}

// A wooden chair: a seat on four legs and a back on its north-east edge
// (backNorth: the sitter faces south) or its south-east edge (the sitter
// faces west, the back before it).
Image Chair(bool backNorth) {
    // Its feet stand in the middle of the cell, 22 rows over the bottom.
    const int w = 28, h = 66;
    Image img(w, h);
    const M_WORD wood = Colour(18, 11, 5), dark = Colour(11, 7, 3);
    // The seat: a flat diamond.
    for (int y = 26; y < 34; ++y)
        for (int x = 0; x < w; ++x)
            if (std::abs(x - 13.5) / 14 + std::abs(y - 29.5) / 4 <= 1) img.set(x, y, wood);
    for (int x : {2, 12, 15, 25}) img.fillRect(x, 32, 2, 12 + (x == 12 || x == 15 ? 2 : 0), dark);
    // The back: a panel rising from the seat's far edge.
    for (int x = 0; x < 14; ++x) {
        const int foot = backNorth ? 26 + x / 3 : 33 - x / 3;
        img.fillRect(14 + x, foot - 22, 1, 22, x % 5 == 0 ? dark : wood);
    }
    return img;
}

Image Lamp() {
    const int w = 16, h = 90;
    Image img(w, h);
    img.fillRect(6, 18, 4, h - 24, Colour(6, 6, 7));
    img.fillRect(4, h - 8, 8, 4, Colour(8, 8, 9));
    img.fillRect(3, 4, 10, 14, Colour(8, 8, 9));
    img.fillRect(4, 6, 8, 10, Colour(31, 29, 16));
    img.fillRect(5, 2, 6, 2, Colour(8, 8, 9));
    return img;
}

Image Fire(bool brazier) {
    const int w = 36, h = 44;
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = (x - 18) / 16.0;
            if (y >= h - 10) {
                if (std::abs(dx) < 1 && (y + x) % 5 != 0)
                    img.set(x, y, brazier ? Colour(8, 8, 9) : Colour(11, 7, 3));
                continue;
            }
            const double flame = (h - 10 - y) / 30.0;  // 0 at the base, 1 at the tip
            if (std::abs(dx) > 0.8 * (1 - flame) || flame > 1) continue;
            const int heat = static_cast<int>(flame * 20) + static_cast<int>(Noise(x, y, 91) % 4);
            img.set(x, y, Colour(31, 26 - heat, 6));
        }
    return img;
}

// One frame of the waterfall: falling water over the rock.
Image Waterfall(int frame) {
    const int w = 40, h = 90;
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 4; x < w - 4; ++x) {
            const int streak = static_cast<int>(Noise(x, (y + 6 * frame) / 5, 95) % 9);
            img.set(x, y, Colour(10 + streak, 16 + streak, 27));
        }
    return img;
}

// ---- light maps ------------------------------------------------------------

LightMap RoundLight(int size, double strength) {
    LightMap l;
    l.width = l.height = size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x + 0.5 - size / 2.0, y + 0.5 - size / 2.0) / (size / 2.0);
            l.values.push_back(
                static_cast<std::int8_t>(d >= 1 ? 0 : std::pow(1 - d, 0.7) * strength));
        }
    return l;
}

// 3000 hues: ramps from near black to colours round the colour circle.
std::vector<HueRecord> Hues() {
    std::vector<HueRecord> out(kHueCount);
    for (int n = 1; n < kHueCount; ++n) {
        const double angle = (n % 360) * 3.14159265358979 / 180;
        const double light = 0.45 + 0.5 * ((n / 360) % 8) / 8.0;
        auto channel = [&](double phase) {
            const double v = light * (0.6 + 0.4 * std::cos(angle + phase));
            return static_cast<unsigned>(v * 255);
        };
        const M_WORD end = Rgb555(channel(0), channel(2.094), channel(4.189));
        char name[24];
        snprintf(name, sizeof name, "Hue %d", n);
        out[n] = RampHue(0x0421, end | 1, name);
    }
    // Hue 995, the ghost view's grey: the drawers take hue h from entry
    // h - 1.
    out[994] = RampHue(0x0421, 0x7FFF, "Ghost");
    return out;
}

// ---- the map ---------------------------------------------------------------

double Distance(int x, int y, double cx, double cy) {
    return std::hypot(x - cx, y - cy);
}

// The land of one cell: its tile and height.
void Land(int x, int y, M_WORD* tile, int* z) {
    *tile = kGrass;
    *z = 0;
    const double hill = Distance(x, y, 46, 16);
    if (hill < 11) {
        *tile = kHill;
        *z = static_cast<int>(std::max(0.0, 28 - 2.8 * hill));
    }
    if (x >= 54 && y >= 30 && y <= 62) {
        *tile = kRock;
        *z = std::min(70,
                      (x - 54) * 9 + static_cast<int>(Noise(x, y, 5) % 5) + std::abs(y - 46) / 3);
    }
    const double lake = std::hypot((x - 11) / 8.0, (y - 47) / 6.0);
    if (lake < 1.0) {
        *tile = kWater;
        *z = -4;
    } else if (lake < 1.45) {
        *tile = kSand;
        *z = -static_cast<int>((1.45 - lake) * 8);
    }
    // The roads follow the land they cross.
    if ((x == 28 || y == 28) && *tile != kWater && *tile != kRock) *tile = kDirt;
    // A path climbs the hill from the road.
    if (y == 16 && x > 28 && x < 46) *tile = kDirt;
}

void BuildMap(MapBuilder& map) {
    for (int x = 0; x < map.width(); ++x)
        for (int y = 0; y < 64; ++y) {
            M_WORD tile;
            int z;
            Land(x, y, &tile, &z);
            if (tile == kWater) tile = static_cast<M_WORD>(kWater + (x + y) % 4);
            map.setCell(x, y, tile, static_cast<std::int8_t>(z));
        }

    // The house: walls round x 33..39, y 33..38, a door on the south side,
    // a floor inside and a gabled roof from z 20.
    const int x0 = 33, x1 = 39, y0 = 33, y1 = 38;
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) {
            map.addStatic({kFloor, x, y, 0, 0});
            const int ridge = std::min(y - y0, y1 - y);
            map.addStatic({kRoof, x, y, static_cast<std::int8_t>(20 + 4 * ridge), 0});
        }
    for (int x = x0; x <= x1; ++x) {
        map.addStatic({kWallNorth, x, y0, 0, 0});
        if (x != 36) map.addStatic({kWallNorth, x, y1 + 1, 0, 0});
    }
    for (int y = y0; y <= y1; ++y) {
        map.addStatic({kWallWest, x0, y, 0, 0});
        map.addStatic({kWallWest, x1 + 1, y, 0, 0});
    }

    // Lamp posts along the roads, a campfire by the wood, a brazier at the
    // door.
    for (auto [x, y] : {std::pair{27, 24}, {27, 32}, {24, 27}, {32, 27}, {27, 40}, {40, 27}})
        map.addStatic({kLamp, x, y, 0, 0});
    map.addStatic({kCampfire, 18, 19, 0, 0});
    map.addStatic({kBrazier, 37, 40, 0, 0});
    map.addStatic({kWaterfall, 53, 44, 0, 0});

    // Crates (two hued) and a barrel by the house.
    map.addStatic({kCrate, 41, 35, 0, 0});
    map.addStatic({kCrate, 41, 36, 0, 33});
    map.addStatic({kCrate, 41, 36, 5, 1100});
    map.addStatic({kBarrel, 32, 41, 0, 0});

    // Two chairs on the grass far to the south.
    map.addStatic({kChair, 46, 58, 0, 0});
    map.addStatic({kChairWest, 49, 58, 0, 0});

    // A small wood to the north-west, bushes along the shore.
    for (int y = 4; y < 26; ++y)
        for (int x = 4; x < 26; ++x) {
            if (x == 28 || y == 28 || Distance(x, y, 18, 19) < 3) continue;
            if (Noise(x, y, 3) < 34 && Distance(x, y, 12, 12) < 11)
                map.addStatic({kTree, x, y, 0, 0});
        }
    for (auto [x, y] : {std::pair{23, 20}, {30, 12}, {36, 24}, {20, 34}, {22, 45}, {4, 38}})
        map.addStatic({kTree, x, y, 0, 0});
    for (auto [x, y] : {std::pair{20, 42}, {19, 50}, {8, 39}, {14, 55}, {42, 30}, {31, 36}})
        map.addStatic({kBush, x, y, 0, 0});
}

TileData BuildTileData() {
    TileData t;
    // Grass has a texture too: where it slopes (by the hill and the shores)
    // it is drawn textured, so that it meets the slopes without gaps.
    for (int id = 0; id < 256; ++id) t.land[id] = {0, 1, "grass"};
    t.land[kDirt] = {0, 2, "dirt"};
    t.land[kRock] = {0x40, 3, "rock"};
    t.land[kSand] = {0, 4, "sand"};
    for (int id = kWater; id < kWater + 4; ++id) t.land[id] = {0x40 | 0x80, 0, "water"};
    constexpr M_DWORD kImpassable = 0x40, kSurface = 0x200, kLight = 0x800000,
                      kRoofFlag = 0x10000000;
    t.items[kWallNorth] = {kImpassable | 0x10, 0, 0, 0, 0, 0, 0, 20, "wall"};
    t.items[kWallWest] = {kImpassable | 0x10, 0, 0, 0, 0, 0, 0, 20, "wall"};
    t.items[kFloor] = {kSurface, 0, 0, 0, 0, 0, 0, 0, "floor"};
    t.items[kRoof] = {kRoofFlag, 0, 0, 0, 0, 0, 0, 2, "roof"};
    t.items[kTree] = {kImpassable, 0, 0, 0, 0, 0, 0, 20, "tree"};
    t.items[kBush] = {0, 0, 0, 0, 0, 0, 0, 6, "bush"};
    t.items[kCrate] = {kImpassable | kSurface, 0, 0, 0, 0, 0, 0, 5, "crate"};
    t.items[kBarrel] = {kImpassable | kSurface, 0, 0, 0, 0, 0, 0, 5, "barrel"};
    t.items[kLamp] = {kImpassable | kLight, 0, 0, 0, 0, 0, kLampLight, 20, "lamp post"};
    t.items[kCampfire] = {kLight, 0, 0, 0, 0, 0, kFireLight, 2, "campfire"};
    t.items[kBrazier] = {kImpassable | kLight, 0, 0, 0, 0, 0, kFireLight, 8, "brazier"};
    for (int i = 0; i < 4; ++i)
        t.items[kWaterfall + i] = {kImpassable | 0x01000000, 0, 0, 0, 0, 0, 0, 10, "waterfall"};
    constexpr M_DWORD kWearable = 0x400000, kPartialHue = 0x40000;
    t.items[kHair] = {kWearable, 0, 11, 0, 0, kHairAnimation, 0, 0, "hair"};
    t.items[kShirt] = {kWearable | kPartialHue, 0, 5, 0, 0, kShirtAnimation, 0, 0, "shirt"};
    t.items[kPants] = {kWearable, 0, 4, 0, 0, kPantsAnimation, 0, 0, "pants"};
    // A walker stands on the land under a chair, which is what seats it; a
    // chair lies in the background of its cell, under the sitter.
    t.items[kChair] = {0x1, 0, 0, 0, 0, 0, 0, 3, "chair"};
    t.items[kChairWest] = {0x1, 0, 0, 0, 0, 0, 0, 3, "chair"};
    return t;
}

// Figures.  Colour indexes 1..31 are a grey ramp (skin: hues recolour it),
// 32..63 a blue ramp, 64..95 a brown ramp, 96..127 a red ramp.
std::array<M_WORD, 256> FigureColours() {
    std::array<M_WORD, 256> c{};
    for (int i = 1; i < 32; ++i) {
        c[i] = static_cast<M_WORD>(i << 10 | i << 5 | i);
        c[32 + i] = static_cast<M_WORD>((i / 4) << 10 | (i / 2) << 5 | i);
        c[64 + i] = static_cast<M_WORD>((i * 3 / 4) << 10 | (i / 2) << 5 | (i / 4));
        c[96 + i] = static_cast<M_WORD>(i << 10 | (i / 4) << 5 | (i / 4));
    }
    return c;
}

enum class Part { Body, Hair, Shirt, Pants };

// A standing figure seen in direction group g (0: facing the viewer's
// left ... 4: facing away), 24 x 62 pixels, its feet on the anchor; or
// seated (as on a mount), its thighs forward, its hips 40 pixels over the
// anchor.  The part paints only its own pixels.
AnimFrame StandingFigure(Part part, bool female, int g, bool seated = false) {
    AnimFrame f;
    f.width = 24;
    f.height = 62;
    f.anchorX = 12;
    f.anchorY = seated ? 78 : 62;
    f.indexes.assign(static_cast<size_t>(f.width) * f.height, 0);
    auto set = [&](int x, int y, int index) {
        if (x >= 0 && x < f.width && y >= 0 && y < f.height)
            f.indexes[static_cast<size_t>(y) * f.width + x] = static_cast<M_BYTE>(index);
    };
    const int face = g < 4 ? 2 * (2 - g) : 0;  // where the face looks
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            const int dx = x - 12;
            const bool head = (dx - face / 2) * (dx - face / 2) + (y - 8) * (y - 8) <= 36;
            const int waist = female ? 4 : 5, hips = female ? 7 : 5;
            const int half = y < 24 ? 7 : (y < 34 ? waist : hips);
            const bool torso = y >= 15 && y < 38 && std::abs(dx) <= half;
            const bool arm = y >= 16 && y < 36 && (std::abs(dx) == 8 || std::abs(dx) == 9);
            // Seated, the thighs reach forward, the way the face looks.
            const int ahead = face < 0 ? -dx : dx;
            const bool leg = seated ? (y >= 38 && y < 44 && ahead >= -5 && ahead <= 10) ||
                                          (y >= 44 && y < 56 && ahead >= 6 && ahead <= 10)
                                    : y >= 38 && (std::abs(dx - 3) <= 2 || std::abs(dx + 3) <= 2);
            const int shade = 12 + (x * 3 + y) % 7 + (dx < 0 ? 4 : 0);
            switch (part) {
                case Part::Body:
                    if (head || torso || arm || leg) set(x, y, std::min(shade + 6, 31));
                    // The eyes show which way the figure looks.
                    if (g < 4 && y == 7 && (x == 12 + face - 2 || x == 12 + face + 1)) set(x, y, 2);
                    break;
                case Part::Hair:
                    if (head &&
                        (y < 5 || (g == 4 && y < 12) || (female && std::abs(dx) >= 4 && y < 20)))
                        set(x, y, 64 + std::min(shade / 2 + 2, 31));
                    if (female && y >= 12 && y < 22 && std::abs(dx - face / 2) >= 5 &&
                        std::abs(dx - face / 2) <= 6)
                        set(x, y, 64 + std::min(shade / 2 + 2, 31));
                    break;
                case Part::Shirt:
                    if ((torso && y < 34) || (arm && y < 26)) set(x, y, std::min(shade + 8, 31));
                    break;
                case Part::Pants:
                    if ((torso && y >= 32) || (leg && y < 58))
                        set(x, y, 32 + std::min(shade + 6, 31));
                    break;
            }
        }
    return f;
}

// A figure lying on the ground, frame k of its fall (the last lies flat).
AnimFrame FallenFigure(Part part, int k, int frames) {
    AnimFrame f;
    f.width = 64;
    f.height = 24;
    f.anchorX = 32;
    f.anchorY = 22;
    f.indexes.assign(static_cast<size_t>(f.width) * f.height, 0);
    const int lift = (frames - 1 - k) * 2;
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            const int along = x - 8, across = y - 14 + lift / 2;
            if (along < 0 || along >= 50 || std::abs(across) > 4) continue;
            const int shade = 14 + (x + y) % 6;
            int index = 0;
            switch (part) {
                case Part::Body:
                    index = std::min(shade + 6, 31);
                    break;
                case Part::Hair:
                    index = along < 6 ? 64 + shade / 2 + 2 : 0;
                    break;
                case Part::Shirt:
                    index = along >= 10 && along < 28 ? std::min(shade + 8, 31) : 0;
                    break;
                case Part::Pants:
                    index = along >= 26 && along < 46 ? 32 + std::min(shade + 6, 31) : 0;
                    break;
            }
            if (index) f.indexes[static_cast<size_t>(y) * f.width + x] = static_cast<M_BYTE>(index);
        }
    return f;
}

// A four-legged creature, red-brown, frame k.
AnimFrame Creature(int g, bool fallen, int k) {
    AnimFrame f;
    f.width = 40;
    f.height = 30;
    f.anchorX = 20;
    f.anchorY = 30;
    f.indexes.assign(static_cast<size_t>(f.width) * f.height, 0);
    const int turn = g < 4 ? 2 - g : 0;
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            const int dx = x - 20 - turn * 2, dy = y - (fallen ? 22 + k / 2 : 12);
            const bool body = dx * dx / 4 + dy * dy * 2 <= (fallen ? 90 : 120);
            const bool legs =
                !fallen && y >= 16 && (std::abs(dx - 10) <= 1 || std::abs(dx + 10) <= 1);
            const bool head = !fallen && g < 4 &&
                              (x - 20 + turn * 9) * (x - 20 + turn * 9) + (y - 6) * (y - 6) <= 16;
            if (body || legs || head)
                f.indexes[static_cast<size_t>(y) * f.width + x] =
                    static_cast<M_BYTE>(96 + 12 + (x * 5 + y * 3) % 9);
        }
    return f;
}

int FirstNumber(int body) {
    if (body < 200) return 110 * body;
    if (body < 400) return 22000 + 65 * (body - 200);
    return 35000 + 175 * (body - 400);
}

IndexedPair Animations() {
    IndexedPair a;
    const std::array<M_WORD, 256> colours = FigureColours();
    // (animation body, part, female)
    struct Figure {
        int body;
        Part part;
        bool female;
    } figures[] = {{kMaleBody, Part::Body, false},
                   {kFemaleBody, Part::Body, true},
                   {kHairAnimation, Part::Hair, false},
                   {kShirtAnimation, Part::Shirt, false},
                   {kPantsAnimation, Part::Pants, false}};
    for (const Figure& fig : figures)
        for (int g = 0; g < 5; ++g) {
            // Walking (action 0) in place, two frames; standing in peace
            // (action 4) and seated (25, what figures sitting facing north
            // or west are made from), one frame; falling dead (21, 22), six.
            const AnimFrame standing = StandingFigure(fig.part, fig.female, g);
            a.add(FirstNumber(fig.body) + g, EncodeAnimation(colours, {standing, standing}));
            a.add(FirstNumber(fig.body) + 5 * 4 + g, EncodeAnimation(colours, {standing}));
            a.add(FirstNumber(fig.body) + 5 * 25 + g,
                  EncodeAnimation(colours, {StandingFigure(fig.part, fig.female, g, true)}));
            std::vector<AnimFrame> fall;
            for (int k = 0; k < 6; ++k) fall.push_back(FallenFigure(fig.part, k, 6));
            a.add(FirstNumber(fig.body) + 5 * 21 + g, EncodeAnimation(colours, fall));
            a.add(FirstNumber(fig.body) + 5 * 22 + g, EncodeAnimation(colours, fall));
        }
    for (int g = 0; g < 5; ++g) {
        // Standing (action 1), one frame; falling dead (2, 3), four.
        a.add(FirstNumber(kCreatureBody) + 5 * 1 + g,
              EncodeAnimation(colours, {Creature(g, false, 0)}));
        std::vector<AnimFrame> fall;
        for (int k = 0; k < 4; ++k) fall.push_back(Creature(g, true, k));
        a.add(FirstNumber(kCreatureBody) + 5 * 2 + g, EncodeAnimation(colours, fall));
        a.add(FirstNumber(kCreatureBody) + 5 * 3 + g, EncodeAnimation(colours, fall));
    }
    return a;
}

}  // namespace

SampleWorld MakeSampleWorld() {
    SampleWorld w;
    BuildMap(w.map);

    // Land art for every land id the region uses (and every id below 256,
    // as grass).
    for (int id = 0; id < 256; ++id) {
        if (id >= kWater && id < kWater + 4) {
            w.art.add(id, WaterArt());
            continue;
        }
        M_WORD base = Colour(8, 17, 6);
        int grain = 2;
        if (id == kDirt) base = Colour(17, 12, 7);
        if (id == kSand) base = Colour(27, 24, 15);
        if (id == kRock) {
            base = Colour(15, 15, 16);
            grain = 3;
        }
        w.art.add(id, LandArt(base, static_cast<unsigned>(id), grain));
    }
    const std::pair<M_WORD, Image> statics[] = {
        {kWallNorth, Wall(true)},
        {kWallWest, Wall(false)},
        {kFloor, Floor()},
        {kRoof, Roof()},
        {kTree, Tree()},
        {kBush, Bush()},
        {kCrate, Crate()},
        {kBarrel, Barrel()},
        {kLamp, Lamp()},
        {kCampfire, Fire(false)},
        {kBrazier, Fire(true)},
        {kChair, Chair(true)},
        {kChairWest, Chair(false)},
    };
    for (const auto& [graphic, image] : statics) w.art.add(16384 + graphic, EncodeStaticArt(image));
    for (int i = 0; i < 4; ++i) w.art.add(16384 + kWaterfall + i, EncodeStaticArt(Waterfall(i)));

    const Image textures[] = {GrassTexture(), DirtTexture(), RockTexture(), SandTexture()};
    for (int i = 0; i < 4; ++i)
        w.textures.add(i + 1, EncodeTexture(textures[i]), TextureExtra(textures[i]));

    w.tiles = BuildTileData();
    w.lights = EncodeLights({{kLampLight, RoundLight(112, 22)}, {kFireLight, RoundLight(176, 26)}});
    w.hues = Hues();
    w.animations = Animations();
    return w;
}

bool WriteSampleWorld(const SampleWorld& world, const std::string& dir) {
    const std::string d = dir.empty() || dir.back() == '/' ? dir : dir + "/";
    bool ok = WriteBytes(d + "map0.mul", world.map.mapBytes());
    ok = world.map.statics().write(d + "staidx0.mul", d + "statics0.mul") && ok;
    ok = world.art.write(d + "artidx.mul", d + "art.mul") && ok;
    ok = world.textures.write(d + "texidx.mul", d + "texmaps.mul") && ok;
    ok = WriteBytes(d + "tiledata.mul", world.tiles.bytes()) && ok;
    ok = WriteBytes(d + "lightidx.mul", world.lights.index) && ok;
    ok = WriteBytes(d + "light.mul", world.lights.data) && ok;
    ok = WriteBytes(d + "hues.mul", EncodeHues(world.hues)) && ok;
    ok = world.animations.write(d + "anim.idx", d + "anim.mul") && ok;
    return ok;
}

}  // namespace tw::datafiles::sample

// Art: land tiles, statics, the cursor shapes and textures.
#include <cmath>

#include "Sample.h"

namespace mkinstall {

namespace {

using namespace tw::datafiles;

// A land tile with a darker border and a little noise, so that cells can be
// told apart.
Bytes landTile(M_WORD base) {
    Image img(44, 44, base);
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 44; ++x) {
            int r = base >> 10 & 31, g = base >> 5 & 31, b = base & 31;
            int d = ((x * 7 + y * 13) % 5) - 2;
            if (std::abs(x - 21.5) + std::abs(y - 21.5) > 19) d -= 4;
            auto clamp = [](int v) { return v < 1 ? 1 : v > 31 ? 31 : v; };
            img.set(x, y, M_WORD(clamp(r + d) << 10 | clamp(g + d) << 5 | clamp(b + d)));
        }
    return EncodeLandTile(img);
}

Image tree() {
    Image img(44, 80);
    img.fillRect(19, 45, 6, 35, Rgb555(110, 70, 30));
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 44; ++x)
            if ((x - 22) * (x - 22) + (y - 25) * (y - 25) < 20 * 20)
                img.set(x, y, Rgb555(30, 120 + (x * y) % 40, 40));
    return img;
}

// A cursor: the marker pixels (992) in row 0 and column 0 name the hot spot;
// the shape itself starts at (1, 1).
Image cursor(int shape) {
    Image img(17, 17);
    const int hot = shape < 8 ? 8 : 1;
    img.set(hot, 0, 992);
    img.set(0, hot, 992);
    const M_WORD colour = shape < 23 ? Rgb555(200, 200, 200) : Rgb555(240, 200, 60);
    for (int y = 1; y < 17; ++y)
        for (int x = 1; x < 17; ++x) {
            bool arrow = x <= y && x + y < 24 && (x - 1 < 3 || y - x < 2 || x + y > 20);
            if (arrow) img.set(x, y, colour);
        }
    img.set(1, 1, Rgb555(255, 255, 255));
    return img;
}

Image texture(M_WORD a, M_WORD b) {
    Image img(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) img.set(x, y, ((x / 8 + y / 8) % 2) ? a : b);
    return img;
}

}  // namespace

tw::datafiles::Image Framed(int w, int h, M_WORD fill, M_WORD edge) {
    tw::datafiles::Image img(w, h, fill);
    img.fillRect(0, 0, w, 1, edge);
    img.fillRect(0, h - 1, w, 1, edge);
    img.fillRect(0, 0, 1, h, edge);
    img.fillRect(w - 1, 0, 1, h, edge);
    return img;
}

void WriteArt(Output& out) {
    IndexedPair art;
    // Land art: every id up to 255 has a tile, coloured by its kind.
    for (int id = 0; id < 256; ++id) {
        M_WORD base = Rgb555(60, 140, 50);  // grass
        if (id == tiles::kDirt || (id >= 113 && id < 128)) base = Rgb555(140, 100, 60);
        art.add(id, landTile(base));
    }
    for (int id = tiles::kWater; id < tiles::kWater + 4; ++id)
        art.add(id, landTile(Rgb555(40, 70, 200)));
    // Statics.
    art.add(16384 + tiles::kWall,
            EncodeStaticArt(Framed(44, 70, Rgb555(150, 150, 140), Rgb555(90, 90, 80))));
    art.add(16384 + tiles::kFloor,
            EncodeStaticArt(Framed(44, 44, Rgb555(170, 130, 90), Rgb555(120, 90, 60))));
    art.add(16384 + tiles::kTree, EncodeStaticArt(tree()));
    art.add(16384 + tiles::kLamp,
            EncodeStaticArt(Framed(8, 60, Rgb555(60, 60, 60), Rgb555(250, 240, 120))));
    for (int i = 0; i < 4; ++i)
        art.add(
            16384 + tiles::kWaterFall + i,
            EncodeStaticArt(Framed(40, 60, Rgb555(60, 90 + 20 * i, 230), Rgb555(200, 220, 255))));
    // The cursor shapes: art numbers 24659 to 24697.
    for (int n = 24659; n <= 24697; ++n) art.add(n, EncodeStaticArt(cursor(n - 24659)));
    out.pair("artidx.mul", "art.mul", art);

    IndexedPair textures;
    textures.add(1, EncodeTexture(texture(Rgb555(60, 140, 50), Rgb555(50, 120, 40))), 0);
    textures.add(2, EncodeTexture(texture(Rgb555(140, 100, 60), Rgb555(120, 90, 50))), 0);
    out.pair("texidx.mul", "texmaps.mul", textures);
}

}  // namespace mkinstall

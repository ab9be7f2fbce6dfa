// Art: the sample world's land tiles, statics and textures, and the cursor
// shapes.
#include "Sample.h"

#include "support/datafiles/CursorArt.h"

namespace mkinstall {

namespace {

using namespace tw::datafiles;

// A ring of radius r in a square picture of side 2 * size + 1.
Image ring(int size, int r, M_WORD colour) {
    Image img(2 * size + 1, 2 * size + 1);
    for (int y = -size; y <= size; ++y)
        for (int x = -size; x <= size; ++x) {
            const int d2 = x * x + y * y;
            if (d2 <= r * r && d2 >= (r - 2) * (r - 2)) img.set(x + size, y + size, colour);
        }
    return img;
}

// A bolt flying left: a bright head at column 2 and a tail that fades.
Image bolt(int frame) {
    Image img(24, 9);
    for (int x = 0; x < 24; ++x) {
        const int half = x < 4 ? 4 : 4 - (x - 4) / 5;
        const unsigned heat = 255 - static_cast<unsigned>(x) * 8;
        for (int y = 4 - half; y <= 4 + half; ++y)
            if ((x + y + frame) % 5) img.set(x, y, Rgb555(heat, heat / 2 + 40, 30));
    }
    return img;
}

}  // namespace

void AddEffectArt(SampleWorld& world) {
    // The follow-on effects at a target position (13 frames) and at a
    // target object (9 frames), and a bolt of 4 frames, with their frame
    // counts in the tile data.
    struct {
        int first, frames;
    } const effects[] = {{14001, 13}, {14027, 9}, {14036, 4}};
    for (const auto& e : effects) {
        for (int k = 0; k < e.frames; ++k) {
            Image img = e.first == 14036   ? bolt(k)
                        : e.first == 14001 ? ring(14, 2 + k, Rgb555(250, 160 - 8 * k, 40))
                                           : ring(10, 2 + k, Rgb555(120, 160, 250));
            world.art.add(0x4000 + e.first + k, EncodeStaticArt(img));
        }
        world.tiles.items[e.first].fieldB = static_cast<M_BYTE>(e.frames);
    }
}

tw::datafiles::Image Framed(int w, int h, M_WORD fill, M_WORD edge) {
    tw::datafiles::Image img(w, h, fill);
    img.fillRect(0, 0, w, 1, edge);
    img.fillRect(0, h - 1, w, 1, edge);
    img.fillRect(0, 0, 1, h, edge);
    img.fillRect(w - 1, 0, 1, h, edge);
    return img;
}

void WriteArt(Output& out, const SampleWorld& world) {
    // The world's land and static art, and the cursor shapes: art numbers
    // 24659 to 24697.
    tw::datafiles::IndexedPair art = world.art;
    tw::datafiles::AddCursorArt(art);
    out.pair("artidx.mul", "art.mul", art);
    out.pair("texidx.mul", "texmaps.mul", world.textures);
}

}  // namespace mkinstall

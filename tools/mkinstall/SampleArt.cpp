// Art: the sample world's land tiles, statics and textures, and the cursor
// shapes.
#include "Sample.h"

namespace mkinstall {

namespace {

using namespace tw::datafiles;

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

}  // namespace

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
    IndexedPair art = world.art;
    for (int n = 24659; n <= 24697; ++n) art.add(n, EncodeStaticArt(cursor(n - 24659)));
    out.pair("artidx.mul", "art.mul", art);
    out.pair("texidx.mul", "texmaps.mul", world.textures);
}

}  // namespace mkinstall

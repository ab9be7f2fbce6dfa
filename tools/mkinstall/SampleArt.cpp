// Art: the sample world's land tiles, statics and textures, and the cursor
// shapes.
#include "Sample.h"

#include "support/datafiles/CursorArt.h"

namespace mkinstall {

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

// Writes small seed inputs for the resource fuzz targets, made by the
// fixture writers: run it with the corpus directory.
#include <cstdio>
#include <filesystem>
#include <string>

#include "ByteWriter.h"
#include "support/datafiles/DataFiles.h"

using namespace tw::datafiles;

namespace {

void seed(const std::string& dir, const std::string& target, const std::string& name,
          const Bytes& bytes) {
    std::filesystem::create_directories(dir + "/" + target);
    WriteBytes(dir + "/" + target + "/" + name, bytes);
}

Bytes lookupInput(const IndexedPair& pair) {
    Bytes index = pair.indexBytes();
    Bytes out;
    ByteWriter w(out);
    w.u16le(static_cast<unsigned>(index.size())).raw(index.data(), index.size());
    w.raw(pair.data().data(), pair.data().size());
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];

    IndexedPair art;
    art.add(0, LandTileSolid(0x7FFF)).add(2, EncodeStaticArt(Image(4, 3, 0x1234)), 7);
    art.setRecord(3, {1000000, 4, 0});
    seed(dir, "fuzz_index_lookup", "art", lookupInput(art));
    IndexedPair gumps;
    AddGumpArt(gumps, 1, Image(5, 2, 0x0421));
    gumps.setRecord(2, {0, -1, 0});
    seed(dir, "fuzz_index_lookup", "gumps", lookupInput(gumps));

    VerdataBuilder v;
    v.add(4, 0, LandTileSolid(0x03E0)).add(4, 0, Bytes{1, 2, 3}).add(12, 1, {});
    v.add(0, 1, Bytes(196, 7));
    std::vector<HueRecord> eight(8, RampHue(0x0001, 0x7FFF, "seed"));
    v.add(kVerdataHues, 3, EncodeHueGroup(eight));
    AnimDataRecord anim;
    anim.frameCount = 2;
    anim.interval = 1;
    v.add(kVerdataAnimData, 1,
          EncodeAnimDataGroup({anim, anim, anim, anim, anim, anim, anim, anim}));
    TileData tiles;
    v.add(kVerdataTileData, 0, tiles.landGroup(0)).add(kVerdataTileData, 513, tiles.itemGroup(1));
    seed(dir, "fuzz_verdata", "groups", v.bytes());
    seed(dir, "fuzz_verdata", "font",
         VerdataBuilder().add(kVerdataFont, 1, EncodeFontGlyphs(TextFont(0x7FFF))).bytes());

    std::vector<HueRecord> hues(16, RampHue(0x0421, 0x7C00, "red"));
    seed(dir, "fuzz_hues", "two_groups", EncodeHues(hues, 2));

    AnimDataRecord water;
    water.frameCount = 3;
    water.interval = 2;
    water.frames[1] = 1;
    water.frames[2] = 2;
    seed(dir, "fuzz_animdata", "three_groups", EncodeAnimData({{9, water}, {20, water}}, 3));
    return 0;
}

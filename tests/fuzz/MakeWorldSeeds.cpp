// Writes small seed inputs for the world model's fuzz targets, made by the
// fixture writers: run it with the corpus directory.
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/datafiles/AnimFormats.h"
#include "support/datafiles/SampleWorld.h"
#include "support/datafiles/WorldFormats.h"

using namespace tw::datafiles;
namespace sample = tw::datafiles::sample;

namespace {

void seed(const std::string& dir, const std::string& target, const std::string& name,
          const Bytes& bytes) {
    std::filesystem::create_directories(dir + "/" + target);
    WriteBytes(dir + "/" + target + "/" + name, bytes);
}

Region region(M_WORD slot, const char* name) {
    Region r;
    r.slot = slot;
    r.name = name;
    r.x = 1400;
    r.y = 1600;
    r.width = 200;
    r.height = 180;
    r.lowZ = -128;
    r.highZ = 127;
    r.secondName = "guarded";
    r.value1 = 1;
    r.value2 = 2;
    r.value3 = 3;
    r.value4 = 4;
    r.value5 = 5;
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];

    const std::vector<Region> regions = {region(0, "Town_of_Brindle"), region(8191, "Marsh"),
                                         region(9000, "Beyond")};
    seed(dir, "fuzz_regions", "padded112", EncodeRegions(regions, RegionLayout::Padded112));
    seed(dir, "fuzz_regions", "face103", EncodeRegions(regions, RegionLayout::Face103));
    seed(dir, "fuzz_regions", "plain58", EncodeRegions(regions, RegionLayout::Unversioned58));
    Bytes cut = EncodeRegions(regions, RegionLayout::Padded112);
    cut.resize(cut.size() - 5);
    seed(dir, "fuzz_regions", "cut", cut);

    const Bytes house = EncodeMulti({{0x4000 | 500, 0, 0, 0, 0},
                                     {1100, -3, 2, 5, 1},
                                     {1101, 1, -4, 0, 0},
                                     {1103, 2, 1, 20, 1}});
    seed(dir, "fuzz_multi", "house", house);
    seed(dir, "fuzz_multi", "short", Bytes(house.begin(), house.begin() + 11));
    seed(dir, "fuzz_multi", "ragged", Bytes(house.begin(), house.begin() + 30));

    // The sample world's block of the house, and its light files; each
    // input is a u16 length, the first part, then the second.
    const sample::SampleWorld world = sample::MakeSampleWorld();
    auto joined = [](const Bytes& first, const Bytes& second) {
        Bytes out = {M_BYTE(first.size()), M_BYTE(first.size() >> 8)};
        out.insert(out.end(), first.begin(), first.end());
        out.insert(out.end(), second.begin(), second.end());
        return out;
    };
    const int block = MapBuilder::BlockNumber(36, 36);
    const Bytes map = world.map.mapBytes();
    const Bytes mapBlock(map.begin() + block * kMapBlockSize,
                         map.begin() + (block + 1) * kMapBlockSize);
    const IndexedPair statics = world.map.statics();
    const IndexRecord r = statics.record(block);
    const Bytes staticsBlock(statics.data().begin() + r.offset,
                             statics.data().begin() + r.offset + r.length);
    seed(dir, "fuzz_map_blocks", "house", joined(mapBlock, staticsBlock));
    seed(dir, "fuzz_map_blocks", "short",
         joined(Bytes(mapBlock.begin(), mapBlock.begin() + 50),
                Bytes(staticsBlock.begin(), staticsBlock.begin() + 17)));
    seed(dir, "fuzz_light_file", "sample", joined(world.lights.index, world.lights.data));
    Bytes cutLights = world.lights.data;
    cutLights.resize(cutLights.size() / 2);
    seed(dir, "fuzz_light_file", "cut", joined(world.lights.index, cutLights));

    // Two frames of a figure: a ring with a hole and a mirrored-looking bar.
    std::array<M_WORD, 256> colours{};
    for (int i = 0; i < 256; ++i) colours[i] = static_cast<M_WORD>(i * 0x81);
    AnimFrame ring;
    ring.anchorX = 4;
    ring.anchorY = 9;
    ring.width = 9;
    ring.height = 10;
    for (int y = 0; y < ring.height; ++y)
        for (int x = 0; x < ring.width; ++x)
            ring.indexes.push_back((x - 4) * (x - 4) + (y - 5) * (y - 5) < 12 ? 0 : M_BYTE(x + y));
    AnimFrame bar = ring;
    bar.width = 3;
    bar.indexes.assign(30, 7);
    const Bytes anim = EncodeAnimation(colours, {ring, bar});
    seed(dir, "fuzz_anim_frames", "figure", anim);
    seed(dir, "fuzz_anim_frames", "cut", Bytes(anim.begin(), anim.end() - 9));
    return 0;
}

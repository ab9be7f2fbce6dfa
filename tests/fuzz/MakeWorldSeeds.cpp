// Writes small seed inputs for the world model's fuzz targets, made by the
// fixture writers: run it with the corpus directory.
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "ByteWriter.h"
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

// The world-message target's input: a flags byte (editing server, player),
// then messages as {index of the id in the target's list, u16 body length
// little-endian, body}.
class MessageScript {
public:
    explicit MessageScript(M_BYTE flags) { bytes_.push_back(flags); }
    // Starts a message; the fields follow through w().
    ByteWriter& begin(int idIndex) {
        end();
        start_ = bytes_.size();
        w_.u8(idIndex).u16le(0);
        return w_;
    }
    Bytes finish() {
        end();
        return bytes_;
    }

private:
    void end() {
        if (start_ == kNone) return;
        const size_t body = bytes_.size() - start_ - 3;
        bytes_[start_ + 1] = static_cast<M_BYTE>(body);
        bytes_[start_ + 2] = static_cast<M_BYTE>(body >> 8);
        start_ = kNone;
    }
    static constexpr size_t kNone = ~size_t(0);
    Bytes bytes_;
    ByteWriter w_{bytes_};
    size_t start_ = kNone;
};

// A player enters, a mobile with equipment comes, a bag is filled, a corpse
// is linked and dressed, status, skills, a walk key, war and a tile group.
Bytes WorldMessageScript() {
    // Indexes into the target's id list.
    enum {
        Put = 0,
        Delete = 1,
        Incoming = 3,
        Contents = 6,
        CorpseEq = 7,
        Login = 13,
        Status = 22,
        Skills = 27,
        Extended = 28,
        TileData = 29,
        War = 37,
        Link = 38
    };
    constexpr M_DWORD kItem = 0x40000000;
    MessageScript s(3);
    s.begin(Login)
        .u32be(1)
        .u32be(0)
        .u16be(400)
        .u16be(100)
        .u16be(100)
        .u16be(0)
        .u8(2)
        .u8(0)
        .u32be(0)
        .u16be(0)
        .u16be(0)
        .u16be(6144)
        .u16be(4096)
        .u16be(0)
        .u16be(0)
        .u16be(0);
    s.begin(Incoming)
        .u32be(0x20)
        .u16be(400)
        .u16be(101)
        .u16be(100)
        .u8(0)
        .u8(2)
        .u16be(0)
        .u8(0)
        .u8(1)
        .u32be(kItem | 0x10)
        .u16be(5399 | 0x8000)
        .u8(5)
        .u16be(7)
        .u32be(kItem | 0x11)
        .u16be(3701)
        .u8(21)
        .u32be(0);
    s.begin(Contents)
        .u16be(1)
        .u32be(kItem | 0x12)
        .u16be(5399)
        .u8(0)
        .u16be(2)
        .u16be(10)
        .u16be(10)
        .u32be(kItem | 0x11)
        .u16be(0);
    s.begin(Put).u32be(kItem | 0x13).u16be(8198).u16be(102).u16be(100).u8(0);
    s.begin(CorpseEq).u32be(kItem | 0x13).u8(5).u32be(kItem | 0x10).u8(0);
    s.begin(Link).u32be(0x20).u32be(kItem | 0x13).u32be(0);
    ByteWriter& status =
        s.begin(Status).u32be(1).fixedString("Alia", 30).u16be(1).u16be(2).u8(1).u8(1).u8(0);
    for (int v : {50, 40, 30, 1, 2, 3, 4}) status.u16be(v);
    status.u32be(5).u16be(6).u16be(7);
    s.begin(Skills).u8(0).u16be(1).u16be(500).u16be(2).u16be(600).u16be(0);
    s.begin(Extended).u16be(2).u32be(0xABC);
    s.begin(War).u8(1).u8(4).u8(0).u8(0);
    s.begin(Delete).u32be(kItem | 0x12);
    ByteWriter& group = s.begin(TileData).u32be(512).u32be(0);
    for (int i = 0; i < 32; ++i)
        group.u32be(0x200000).u8(0).u8(0).u32be(0).u16be(0).u16be(0).u16be(0).u8(3).fixedString(
            "thing", 20);
    return s.finish();
}

// The effect-message target's input: a flags byte (1: a placement list),
// then messages as {index of the id in the target's list, u16 body length,
// body, frames to run}.
Bytes EffectMessageScript() {
    enum { Effect = 0, Sound = 1, Sequence = 5, Target = 6, ObjectList = 8, Incoming = 11 };
    Bytes out{1};
    ByteWriter w(out);
    auto message = [&](int index, const Bytes& body, int frames) {
        w.u8(index).u16le(static_cast<unsigned>(body.size()));
        w.raw(body.data(), body.size());
        w.u8(frames);
    };
    auto be = [](std::initializer_list<unsigned> widths, std::initializer_list<unsigned> values) {
        Bytes b;
        ByteWriter bw(b);
        auto v = values.begin();
        for (unsigned width : widths) {
            if (width == 1) bw.u8(*v++);
            if (width == 2) bw.u16be(*v++);
            if (width == 4) bw.u32be(*v++);
        }
        return b;
    };
    message(Incoming, be({4, 2, 2, 2, 1, 1, 2, 1, 4}, {0x20, 400, 103, 100, 0, 2, 0, 0, 0}), 0);
    message(Sequence, {0}, 0);
    message(Effect,
            be({1, 4, 4, 2, 2, 2, 1, 2, 2, 1, 1, 1, 1, 1, 1, 1},
               {0, 1, 0x20, 0x36D4, 100, 100, 0, 103, 100, 0, 3, 0, 0, 0, 0, 1}),
            0);
    message(Sound, be({1, 2, 2, 2, 2, 2}, {1, 0x2A, 0, 100, 100, 0}), 0);
    message(Sequence, {2}, 30);
    message(Effect,
            be({1, 4, 4, 2, 2, 2, 1, 2, 2, 1, 1, 1, 1, 1, 1, 1},
               {3, 0x20, 0, 0x3709, 0, 0, 0, 0, 0, 0, 8, 20, 1, 1, 0, 0}),
            25);
    message(Target, be({1, 4, 1, 4, 4, 4}, {1, 0x99, 1, 0, 0, 0}), 0);
    message(
        ObjectList,
        be({1, 4, 2, 2, 2, 2, 2, 2, 2, 2, 2}, {0, 0x9A, 100, 100, 0, 1, 0x0E75, 0, 101, 100, 0}),
        1);
    return out;
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
    seed(dir, "fuzz_world_messages", "world_script", WorldMessageScript());
    seed(dir, "fuzz_effect_messages", "effect_script", EffectMessageScript());

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

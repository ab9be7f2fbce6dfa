// Writes seed inputs for the fuzz targets from the files of a sample
// installation (tools/mkinstall), each in its target's input layout: a whole
// file where the target reads one, the target's leading control bytes in
// front of it, or single items taken out of an index and data pair.
// ./test.sh runs it before fuzzing; the seeds are not kept in the
// repository, since the installation is made anew from the fixture writers.
//
//   make_sample_seeds SAMPLE_DIR SEED_DIR
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ByteReader.h"

namespace {

using Bytes = std::vector<unsigned char>;
namespace fs = std::filesystem;

fs::path g_sample;
fs::path g_seeds;
int g_written = 0;

// The sample file's bytes; empty when it is missing.
Bytes Sample(const std::string& name) {
    std::ifstream in(g_sample / name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes Join(Bytes front, const Bytes& back) {
    front.insert(front.end(), back.begin(), back.end());
    return front;
}

void Seed(const std::string& target, const std::string& name, const Bytes& bytes) {
    if (bytes.empty()) return;
    fs::create_directories(g_seeds / target);
    std::ofstream out(g_seeds / target / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    ++g_written;
}

void SeedFile(const std::string& target, const std::string& file, const Bytes& control = {}) {
    std::string name = file;
    for (char& c : name)
        if (c == '/') c = '_';
    const Bytes bytes = Sample(file);
    if (!bytes.empty()) Seed(target, name, Join(control, bytes));
}

struct Item {
    int id;
    std::int32_t extra;
    Bytes bytes;
};

// Up to `count` present items with ids from `first` on, out of an index
// (records of offset, length and extra, 12 bytes each) and its data file.
std::vector<Item> Items(const std::string& index, const std::string& data, int first, int count) {
    const Bytes idx = Sample(index), dat = Sample(data);
    std::vector<Item> items;
    ByteReader r(idx.data(), idx.size());
    r.skip(size_t(first) * 12);
    for (int id = first; r.has(12) && int(items.size()) < count; ++id) {
        const std::int32_t offset = r.i32le(), length = r.i32le(), extra = r.i32le();
        if (offset < 0 || length <= 0 || size_t(offset) + size_t(length) > dat.size()) continue;
        items.push_back({id, extra, Bytes(dat.begin() + offset, dat.begin() + offset + length)});
    }
    return items;
}

Bytes U16(unsigned value) {
    return {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8)};
}

Bytes U32(std::uint32_t value) {
    return {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
            static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s SAMPLE_DIR SEED_DIR\n", argv[0]);
        return 2;
    }
    g_sample = argv[1];
    g_seeds = argv[2];
    if (!fs::is_directory(g_sample)) {
        fprintf(stderr, "%s: no sample installation in '%s'\n", argv[0], argv[1]);
        return 1;
    }

    // Text files.
    for (const char* target : {"fuzz_config_lines", "fuzz_config_keys"}) {
        SeedFile(target, "tw.cfg");
        SeedFile(target, "login.cfg");
    }
    SeedFile("fuzz_app_files", "twbscene.lst");
    SeedFile("fuzz_app_files", "chardata.mul");
    SeedFile("fuzz_macro_file", "keynames.txt");
    SeedFile("fuzz_macro_file", "macros.txt");
    SeedFile("fuzz_prof_file", "prof.txt");

    // Language files: IFF images; the section target's first byte chooses
    // the language codes (odd) or a section (even).
    SeedFile("fuzz_iff", "language/langcode.iff");
    SeedFile("fuzz_language_section", "language/langcode.iff", {1});
    for (const char* section : {"intro.enu", "skilname.enu", "gt_0000.enu", "options.enu"}) {
        SeedFile("fuzz_iff", section);
        SeedFile("fuzz_language_section", section, {0});
    }

    // Whole data files.
    SeedFile("fuzz_hues", "hues.mul");
    SeedFile("fuzz_animdata", "animdata.mul");
    SeedFile("fuzz_tiledata", "tiledata.mul");
    SeedFile("fuzz_regions", "regions.mul");
    SeedFile("fuzz_verdata", "verdata.mul");
    Seed("fuzz_palette_animinfo", "palette_animinfo",
         Join(Sample("palette.mul"), Sample("animinfo.mul")));
    const Bytes soundIndex = Sample("soundidx.mul");
    if (soundIndex.size() <= 0xFFFF)
        Seed("fuzz_sound_sample", "sounds",
             Join(Join(U16(unsigned(soundIndex.size())), soundIndex), Sample("sound.mul")));

    // Fonts: x, y, the wrap width and the hue or style first; a bitmap font
    // seed is read as "fonts.mul" when the first byte's top bit is set.
    SeedFile("fuzz_bitmap_font", "fonts.mul", {0x81, 12, 20, 2});
    SeedFile("fuzz_unicode_font", "unifont.mul", {1, 2, 24, 0x10});
    SeedFile("fuzz_unicode_font", "unifont1.mul", {0, 8, 30, 0});

    // Single items: land tiles and static art as the art update carries
    // them (id, length flag, extra) and as the sprite target draws them
    // (x, y and the clip rectangle), gump art with its size from the
    // index's extra word, and multi definitions.
    for (const Item& land : Items("artidx.mul", "art.mul", 0, 2))
        Seed("fuzz_art_update", "land" + std::to_string(land.id),
             Join(Join(Join(U16(unsigned(land.id)), {0}), U32(std::uint32_t(land.extra))),
                  land.bytes));
    for (const Item& art : Items("artidx.mul", "art.mul", 16384, 3)) {
        Seed(
            "fuzz_art_update", "static" + std::to_string(art.id),
            Join(Join(Join(U16(unsigned(art.id)), {0}), U32(std::uint32_t(art.extra))), art.bytes));
        Seed("fuzz_sprite", "art" + std::to_string(art.id), Join({0, 0, 0, 0, 32, 24}, art.bytes));
    }
    for (const Item& gump : Items("gumpidx.mul", "gumpart.mul", 0, 3)) {
        const std::uint32_t size = std::uint32_t(gump.extra);
        Seed("fuzz_gump_art", "gump" + std::to_string(gump.id),
             Join(Join(Join(U16(size >> 16), U16(size & 0xFFFF)), {0, 0, 0, 0, 32, 24}),
                  gump.bytes));
    }
    for (const Item& multi : Items("multi.idx", "multi.mul", 0, 2)) {
        Seed("fuzz_multi", "multi" + std::to_string(multi.id), multi.bytes);
        Seed("fuzz_multi_target", "multi" + std::to_string(multi.id),
             Join({0, 0, 1, 2}, multi.bytes));
    }

    printf("%d seeds from '%s' in '%s'\n", g_written, argv[1], argv[2]);
    return g_written > 0 ? 0 : 1;
}

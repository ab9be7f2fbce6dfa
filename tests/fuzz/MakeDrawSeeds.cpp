// Writes small seed inputs for the drawing and speech fuzz targets, made by
// the fixture writers: run it with the corpus directory,
//   build/asan/tests/fuzz/make_draw_seeds tests/fuzz/corpus
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "ByteWriter.h"
#include "support/datafiles/DataFiles.h"

using namespace tw::datafiles;

namespace {

void seed(const std::string& dir, const std::string& target, const std::string& name,
          const Bytes& control, const Bytes& body) {
    Bytes bytes = control;
    bytes.insert(bytes.end(), body.begin(), body.end());
    std::filesystem::create_directories(dir + "/" + target);
    WriteBytes(dir + "/" + target + "/" + name, bytes);
}

Image Holes(int w, int h) {
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((x + 2 * y) % 4 != 0) img.set(x, y, static_cast<M_WORD>(0x0400 * y + x + 1));
    return img;
}

// A Unicode font whose offset table ends after character 31: glyphs for 1-20
// right behind it.
Bytes ShortUnicodeFont() {
    Bytes out;
    ByteWriter w(out);
    const int tableBytes = 32 * 4;
    Bytes glyphs;
    ByteWriter g(glyphs);
    std::map<int, M_DWORD> offsets;
    for (int c = 1; c <= 20; ++c) {
        offsets[c] = static_cast<M_DWORD>(tableBytes + glyphs.size());
        const int width = 3 + c % 5, height = 5 + c % 4;
        g.u8(c % 3).u8(2).u8(width).u8(height);
        for (int row = 0; row < height; ++row) g.u8(static_cast<unsigned>(0xA5 >> (row % 3)));
    }
    for (int c = 0; c < 32; ++c) w.u32le(offsets.count(c) ? offsets[c] : 0);
    w.raw(glyphs.data(), glyphs.size());
    return out;
}

Bytes SpeechMessage(const std::string& text, int type) {
    Bytes out;
    ByteWriter w(out);
    const size_t length = 48 + 2 * (text.size() + 1);
    w.u8(0xAE).u16be(static_cast<unsigned>(length)).u32be(0x00001234).u16be(0x0190).u8(type);
    w.u16be(0x03B2).u16be(3).raw("ENU", 4);
    std::string name = "Speaker";
    name.resize(30, '\0');
    w.raw(name.data(), name.size());
    for (char c : text) w.u16be(static_cast<unsigned char>(c));
    w.u16be(0);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];

    seed(dir, "fuzz_sprite", "holes", {2, 3, 0, 0, 30, 20}, EncodeStaticArt(Holes(7, 5)));
    seed(dir, "fuzz_sprite", "clipped", {0xFE, 0xFF, 1, 1, 5, 4}, EncodeStaticArt(Holes(9, 6)));

    const GumpArt gump = EncodeGumpArt(Holes(9, 6));
    seed(dir, "fuzz_gump_art", "holes", {9, 0, 6, 0, 3, 2, 0, 0, 32, 24}, gump.data);
    seed(dir, "fuzz_gump_art", "negative", {9, 0, 6, 0, 0xFD, 0xFE, 0xF0, 0xF0, 4, 4}, gump.data);

    seed(dir, "fuzz_bitmap_font", "patch", {1, 10, 30, 1}, EncodeFontGlyphs(TextFont(0x4210)));
    seed(dir, "fuzz_bitmap_font", "file", {0x81, 12, 20, 2}, EncodeFonts({TextFont(0x4210)}));

    seed(dir, "fuzz_unicode_font", "short_table", {1, 2, 24, 0x10}, ShortUnicodeFont());
    seed(dir, "fuzz_unicode_font", "slanted", {0xFD, 0, 16, 0x49}, ShortUnicodeFont());

    seed(dir, "fuzz_unicode_speech", "hello", {}, SpeechMessage("Hello there", 0));
    Bytes cut = SpeechMessage("cut", 6);
    cut.resize(40);
    seed(dir, "fuzz_unicode_speech", "short", {}, cut);
    Bytes open = SpeechMessage("no terminator", 2);
    open.resize(open.size() - 2);
    seed(dir, "fuzz_unicode_speech", "unterminated", {}, open);
    return 0;
}

// The font table: loading "fonts.mul", version patches, glyph queries.
#include <cstring>
#include <memory>

#include "ByteReader.h"
#include "FileManager.h"
#include "TWReport.h"
#include "resources/FontManager.h"

namespace {

CFont* g_fonts[FontManager::MAX_FONTS];

// Fonts 0-3 and 7 draw hues on their grey pixels only.
bool PartialHueFont(int font) {
    return font <= 3 || font == 7;
}

// Reads 224 glyph records into a new font; null when the data runs out.
CFont* ReadGlyphs(ByteReader& in) {
    auto font = std::make_unique<CFont>();
    for (int i = 0; i < CFont::NUM_GLYPHS; ++i) {
        const int w = in.u8(), h = in.u8(), descent = in.u8();
        const size_t count = size_t(w) * h;
        if (!in.ok() || !in.has(2 * count)) return nullptr;
        M_WORD* glyph = new M_WORD[2 + count];
        glyph[0] = static_cast<M_WORD>(w);
        glyph[1] = static_cast<M_WORD>(h);
        for (size_t p = 0; p < count; ++p) glyph[2 + p] = in.u16le();
        font->glyphs[i] = glyph;
        font->descent[i] = static_cast<M_DWORD>(descent);
    }
    return font.release();
}

void SetFont(int number, CFont* font) {
    delete g_fonts[number];
    g_fonts[number] = font;
    if (font) font->partialHue = PartialHueFont(number) ? 1 : 0;
}

}  // namespace

CFont::CFont() : partialHue(0) {
    TWReport::message("CFont::CFont(): begin.\n");
    memset(glyphs, 0, sizeof glyphs);
    memset(descent, 0, sizeof descent);
}

CFont::~CFont() {
    TWReport::message("CFont::~CFont()\n");
    for (M_WORD*& glyph : glyphs) {
        delete[] glyph;
        glyph = nullptr;
    }
}

void FontManager::startup() {
    TWReport::print("FontManager::startup: starting...\n");
    for (int i = 0; i < MAX_FONTS; ++i) SetFont(i, nullptr);
    LoadFonts();
    TWReport::print("FontManager::startup: started.\n");
}

void FontManager::shutdown() {
    TWReport::print("FontManager::shutdown: stopping...\n");
    for (int i = 0; i < MAX_FONTS; ++i) SetFont(i, nullptr);
    TWReport::print("FontManager::shutdown: stopped.\n");
}

BOOL FontManager::LoadFonts() {
    static const char kName[] = "fonts.mul";
    FILE* test = FileManager::open(kName, "rb");
    if (!test) TWReport::fatal("FontManager::LoadFonts: cannot open '%s'.\n", kName);
    FileManager::close(test);
    M_BYTE* bytes = nullptr;
    const int size = FileManager::load(kName, &bytes);
    ByteReader in(bytes, size > 0 ? static_cast<size_t>(size) : 0);
    for (int number = 0; number < MAX_FONTS; ++number) {
        const M_BYTE header = in.u8();
        if (!in.ok()) break;  // a short file: the remaining fonts are absent
        if (header == 0) continue;
        CFont* font = ReadGlyphs(in);
        if (!font) {
            // Without this font's end the later ones cannot be found either.
            TWReport::error(
                "FontManager::LoadFonts: '%s' ends inside font %d; fonts %d-%d are left out.\n",
                kName, number, number, MAX_FONTS - 1);
            break;
        }
        SetFont(number, font);
    }
    delete[] bytes;
    return TRUE;
}

void FontManager::PatchFont(int font, const M_BYTE* data, int length) {
    if (font < 0 || font >= MAX_FONTS || !data || length <= 0) return;
    ByteReader in(data, static_cast<size_t>(length));
    CFont* replacement = ReadGlyphs(in);
    if (!replacement) {
        TWReport::error(
            "FontManager::PatchFont: the patch of font %d is cut short; the font is kept.\n", font);
        return;
    }
    SetFont(font, replacement);
}

BOOL FontManager::ValidFont(int font) {
    return GetFont(font) != nullptr;
}

CFont* FontManager::GetFont(int font) {
    return font >= 0 && font < MAX_FONTS ? g_fonts[font] : nullptr;
}

int FontManager::GetCharWidth(int font, int c) {
    const CFont* f = GetFont(font);
    if (!f || c < 32 || c > 255 || !f->glyphs[c - 32]) return 0;
    return f->glyphs[c - 32][0];
}

int FontManager::GetCharHeight(int font, int c) {
    const CFont* f = GetFont(font);
    if (!f || c < 32 || c > 255 || !f->glyphs[c - 32]) return 0;
    return f->glyphs[c - 32][1];
}

BOOL FontManager::HasGlyph(int font, int c) {
    return GetCharWidth(font, c) != 0;
}

void FontManager::reset() {
    for (int i = 0; i < MAX_FONTS; ++i) {
        delete g_fonts[i];
        g_fonts[i] = nullptr;
    }
}

// The Unicode font store: mapping the three font files, the current font and
// style, and the bounded glyph lookup.
#include <cstdio>
#include <cstring>

#include "ByteReader.h"
#include "ErrorMessage.h"
#include "FileManager.h"
#include "MMF.h"
#include "TWReport.h"
#include "resources/UnicodeFont.h"
#include "resources/UnicodeFontStore.h"

namespace {

constexpr int kFonts = 3;
constexpr long kTableBytes = 65536L * 4;

struct FontFile {
    CMMF* file = nullptr;
    const M_BYTE* data = nullptr;  // null when not mapped
    long length = 0;
};

FontFile g_fonts[kFonts];
BOOL g_loaded = FALSE;
int g_currentFont = 0;
M_DWORD g_style = 0;
int g_savedFont = 0;
M_DWORD g_savedStyle = 0;
int g_spaceWidth = 8;
M_BYTE g_drawOption = 0;

bool Mapped(int n) {
    return n >= 0 && n < kFonts && g_fonts[n].data != nullptr;
}

void EnsureLoaded() {
    if (!g_loaded) LoadUnicodeFont();
}

}  // namespace

void LoadUnicodeFont() {
    for (int i = 0; i < kFonts; ++i) {
        char name[32];
        if (i == 0)
            snprintf(name, sizeof name, "unifont.mul");
        else
            snprintf(name, sizeof name, "unifont%d.mul", i);
        FILE* test = FileManager::open(name, "rb");
        if (!test) {
            TWReport::fatal("LoadUnicodeFont(): cannot open file '%s%s'.\n",
                            FileManager::getHDPath(), name);
        }
        const char* actual = FileManager::getNameOfStream(test);
        char path[FileManager::MAX_NAME_LENGTH];
        snprintf(path, sizeof path, "%s", actual ? actual : name);
        FileManager::close(test);

        FontFile& font = g_fonts[i];
        delete font.file;
        font = FontFile{};
        font.file = new CMMF(path);
        const void* data = font.file->Open();
        const long length = font.file->getLength();
        if (!data || length <= 0) continue;
        // A file cut inside its offset table keeps the glyphs it still names.
        if (length < kTableBytes)
            TWReport::error("LoadUnicodeFont(): '%s' holds only %ld of the 65536 glyph offsets.\n",
                            path, length / 4);
        font.data = static_cast<const M_BYTE*>(data);
        font.length = length;
    }
    g_loaded = TRUE;
}

BOOL UnicodeFontsLoaded() {
    return g_loaded;
}

void UnicodeSetCurrentFont(int n) {
    g_currentFont = Mapped(n) ? n : 0;
}

int UnicodeGetCurrentFont() {
    return g_currentFont;
}

void UnicodeSetStyle(M_DWORD style) {
    g_savedFont = g_currentFont;
    g_savedStyle = g_style;
    g_style = style;
    int font = 1;
    if (style & 0x2)
        font = 2;
    else if (style & 0x704)
        font = 0;
    g_currentFont = Mapped(font) ? font : 0;
}

void UnicodeRestoreStyle() {
    g_currentFont = Mapped(g_savedFont) ? g_savedFont : 0;
    g_style = g_savedStyle;
}

M_DWORD UnicodeGetStyle() {
    return g_style;
}
BOOL UnicodeStyleHasMaskA() {
    return (g_style & 0x10120) != 0;
}
BOOL UnicodeStyleHasMaskB() {
    return (g_style & 0xB90) != 0;
}
BOOL UnicodeStyleHasMaskC() {
    return (g_style & 0x1048) != 0;
}
BOOL UnicodeStyleHasBit15() {
    return (g_style & 0x8000) != 0;
}
BOOL UnicodeStyleHasBit14() {
    return (g_style & 0x4000) != 0;
}

void UnicodeSetSpaceWidth(int w) {
    if (w < 1 || w > 20)
        ErrorMessage("Unreasonable width of space character.", "UnicodeSetSpaceWidth()", FALSE);
    g_spaceWidth = w;
}

int UnicodeGetSpaceWidth() {
    return g_spaceWidth;
}
void UnicodeSetDrawOption(M_BYTE option) {
    g_drawOption = option;
}
M_BYTE UnicodeGetDrawOption() {
    return g_drawOption;
}

bool FindUnicodeGlyph(M_WORD c, UnicodeGlyph* glyph) {
    EnsureLoaded();
    const FontFile& font = g_fonts[g_currentFont];
    if (!font.data) return false;
    ByteReader file(font.data, static_cast<size_t>(font.length));
    file.seek(4 * static_cast<size_t>(c));
    const M_DWORD offset = file.u32le();
    if (!file.ok() || offset == 0 || !file.seek(offset)) return false;
    const int x = file.i8(), y = file.i8(), w = file.i8(), h = file.i8();
    if (!file.ok() || w < 0 || h < 0) return false;
    const int rowBytes = (w + 7) / 8;
    const M_BYTE* rows = file.view(static_cast<size_t>(h) * rowBytes);
    if (!rows) return false;
    glyph->xOffset = x;
    glyph->yOffset = y;
    glyph->width = w;
    glyph->height = h;
    glyph->rowBytes = rowBytes;
    glyph->rows = rows;
    return true;
}

BOOL UnicodeGetGlyphInfo(M_WORD c) {
    UnicodeGlyph g;
    return c == ' ' || FindUnicodeGlyph(c, &g);
}

const M_BYTE* UnicodeGetGlyphBits(M_WORD c, int* x, int* y, int* w, int* h) {
    UnicodeGlyph g;
    int gx = 0, gy = 0, gw = 0, gh = 0;
    const M_BYTE* rows = nullptr;
    if (c == ' ') {
        gw = g_spaceWidth;
    } else if (FindUnicodeGlyph(c, &g)) {
        gx = g.xOffset;
        gy = g.yOffset;
        gw = g.width;
        gh = g.height;
        rows = g.rows;
    }
    if (x) *x = gx;
    if (y) *y = gy;
    if (w) *w = gw;
    if (h) *h = gh;
    return rows;
}

int UnicodeStyleExtra() {
    return (UnicodeStyleHasMaskB() ? 1 : 0) + (UnicodeStyleHasMaskC() ? 1 : 0);
}

int UnicodeGetCharWidth(M_WORD c) {
    if (c == ' ') return g_spaceWidth;
    UnicodeGlyph g;
    int width = 0;
    if (FindUnicodeGlyph(c, &g)) width = g.xOffset + g.width;
    return width + (g_drawOption ? 0 : 1) + UnicodeStyleExtra();
}

void ResetUnicodeFontsForTests() {
    for (FontFile& font : g_fonts) {
        delete font.file;
        font = FontFile{};
    }
    g_loaded = FALSE;
    g_currentFont = g_savedFont = 0;
    g_style = g_savedStyle = 0;
    g_spaceWidth = 8;
    g_drawOption = 0;
}

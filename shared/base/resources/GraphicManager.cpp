#include "resources/GraphicManager.h"

#include <cstdio>
#include <cstring>

#include "FileManager.h"
#include "TWReport.h"
#include "resources/FileRead.h"
#include "resources/PixelFormat.h"

M_BYTE GraphicManager::palette[768];
M_WORD GraphicManager::greyTable[GREY_TABLE_SIZE];
M_BYTE GraphicManager::animInfo[NUM_ANIM_INFO][2];
CMapGump* GraphicManager::pMapGump = nullptr;
CMainMenuGump* GraphicManager::pMainMenuGump = nullptr;
CDeathMenuGump* GraphicManager::pDeathMenuGump = nullptr;
int GraphicManager::deathCounter = 0;
int g_viewOffsetX = 0;
int g_viewOffsetY = 0;

namespace {

int s_width = 640;
int s_height = 480;
const M_BYTE kDefaultAnimInfo[2] = {4, 2};

// Reads up to size bytes of a file through the file manager; the count read.
size_t readUpTo(const char* name, void* out, size_t size) {
    FILE* f = FileManager::open(name, "rb");
    if (!f) return 0;
    std::vector<M_BYTE> bytes = ReadOpenTable(f, size);
    FileManager::close(f);
    if (!bytes.empty()) memcpy(out, bytes.data(), bytes.size());
    return bytes.size();
}

void buildGreyTable() {
    for (int c = 0; c < GraphicManager::GREY_TABLE_SIZE; ++c) {
        int r = c >> PixelRedShift;
        int g = (c >> PixelGrayShift) & 31;
        int b = c & 31;
        int grey = ((r * 536 + g * 104 + b * 160) / 100) >> 3;
        GraphicManager::greyTable[c] =
            static_cast<M_WORD>(grey << PixelRedShift | grey << PixelGrayShift | grey);
    }
    GraphicManager::greyTable[0] = 0;
}

}  // namespace

void GraphicManager::startup() {
    TWReport::print("GraphicManager::startup: begin.\n");
    memset(palette, 0, sizeof palette);
    readUpTo("palette.mul", palette, sizeof palette);
    buildGreyTable();
    pMapGump = nullptr;
    LoadAnimInfo();
}

void GraphicManager::shutdown() {
    TWReport::print("GraphicManager::shutdown: begin.\n");
}

void GraphicManager::LoadAnimInfo() {
    for (auto& entry : animInfo) memcpy(entry, kDefaultAnimInfo, 2);
    M_BYTE bytes[NUM_ANIM_INFO * 2];
    // A short file fills the entries it holds; the others keep {4, 2}.
    size_t n = readUpTo("animinfo.mul", bytes, sizeof bytes);
    for (size_t i = 0; i + 1 < n; i += 2) {
        animInfo[i / 2][0] = bytes[i];
        animInfo[i / 2][1] = bytes[i + 1];
    }
}

const M_BYTE* GraphicManager::GetAnimInfo(int body) {
    if (body < 0 || body >= NUM_ANIM_INFO) return kDefaultAnimInfo;
    return animInfo[body];
}

void GraphicManager::reset() {
    memset(palette, 0, sizeof palette);
    memset(greyTable, 0, sizeof greyTable);
    for (auto& entry : animInfo) memcpy(entry, kDefaultAnimInfo, 2);
    pMapGump = nullptr;
    pMainMenuGump = nullptr;
    pDeathMenuGump = nullptr;
    deathCounter = 0;
    s_width = 640;
    s_height = 480;
    g_viewOffsetX = g_viewOffsetY = 0;
}

void GraphicManager::setGameplayWindowPixelWidthAndHeight(int width, int height) {
    if ((width == 640 && height == 480) || (width == 800 && height == 600)) {
        s_width = width;
        s_height = height;
        return;
    }
    TWReport::fatal(
        "GraphicManager::setGameplayWindowPixelWidthAndHeight: Currently only supports 640x480 & "
        "800x600. This is a design decision. See Producer & Lead Designer.\n");
}

int GraphicManager::getGameplayWindowPixelWidth() {
    return s_width;
}
int GraphicManager::getGameplayWindowPixelHeight() {
    return s_height;
}
int GraphicManager::getGameplayWindowCenterX() {
    return s_width / 2;
}
int GraphicManager::getGameplayWindowCenterY() {
    return s_height / 2;
}

M_WORD GraphicManager::MakeColor(M_BYTE r, M_BYTE g, M_BYTE b) {
    return static_cast<M_WORD>((r >> 3) << PixelRedShift | (g >> 3) << PixelGrayShift | b >> 3);
}

M_DWORD GraphicManager::PixelToRGB(M_WORD pixel) {
    M_DWORD r = static_cast<M_DWORD>((pixel >> PixelRedShift) * 8) & 255;
    M_DWORD g = static_cast<M_DWORD>((pixel >> PixelGrayShift) * 8) & 255;
    M_DWORD b = static_cast<M_DWORD>(pixel & 31) * 8;
    return r | g << 8 | b << 16;
}

M_WORD GraphicManager::RGBToPixel(M_DWORD value) {
    return static_cast<M_WORD>(((value >> 3) & 31) << PixelRedShift |
                               ((value >> 11) & 31) << PixelGrayShift | ((value >> 19) & 31));
}

M_WORD GraphicManager::Pixel555To565(M_WORD pixel) {
    return static_cast<M_WORD>((pixel >> 10) << 11 | ((pixel >> 5) & 31) << 6 | (pixel & 31));
}

void GraphicManager::Update() {}

// The counter value at which "You are dead." appears.
constexpr int kDeadTextFrame = 16;

GraphicManager::DeathFadeStep GraphicManager::AdvanceDeathFade(M_WORD* pixels, int frameWidth,
                                                               int frameHeight, int startOffset,
                                                               bool is565) {
    DarkenFrame(pixels, frameWidth, frameHeight, startOffset, getGameplayWindowPixelWidth(),
                getGameplayWindowPixelHeight(), is565);
    if (++deathCounter > DEATH_FADE_STEPS) {
        deathCounter = 0;
        return FADE_ENDS;
    }
    return deathCounter == kDeadTextFrame ? FADE_SHOWS_TEXT : FADE_GOES_ON;
}

void GraphicManager::DarkenFrame(M_WORD* pixels, int frameWidth, int frameHeight, int startOffset,
                                 int width, int height, bool is565) {
    if (!pixels || frameWidth <= 0 || frameHeight <= 0) return;
    // The play area never reaches past the frame it lies in.
    if (width > frameWidth) width = frameWidth;
    if (height > frameHeight) height = frameHeight;
    const long total = long(frameWidth) * frameHeight;
    long pos = startOffset % total;
    if (pos < 0) pos += total;
    auto darken = [is565](M_WORD p) -> M_WORD {
        int r, g, b;
        if (is565) {
            r = p >> 11 & 31;
            g = p >> 6 & 31;
            b = p & 31;
        } else {
            r = p >> 10 & 31;
            g = p >> 5 & 31;
            b = p & 31;
        }
        if (r > 0) --r;
        if (g > 0) --g;
        if (b > 0) --b;
        if (is565) return static_cast<M_WORD>(r << 11 | g << 6 | b);
        return static_cast<M_WORD>((p & 0x8000) | r << 10 | g << 5 | b);
    };
    for (int row = 0; row < height; ++row) {
        long first = width < total - pos ? width : total - pos;
        for (long i = 0; i < first; ++i) pixels[pos + i] = darken(pixels[pos + i]);
        for (long i = 0; i < width - first; ++i) pixels[i] = darken(pixels[i]);
        pos = (pos + frameWidth) % total;
    }
}

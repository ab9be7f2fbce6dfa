// The light pass: each dirty rectangle, once the world is drawn into it, is
// darkened tile by tile (64 x 48 pixels) from the ambient level, lowered
// where light maps fall, and written in the display's pixel format.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "FileManager.h"
#include "MMF.h"
#include "TWReport.h"
#include "config/Config.h"
#include "view/LandTile.h"
#include "view/Light.h"
#include "view/LightPass.h"
#include "view/LightTables.h"
#include "view/Repaint.h"
#include "view/WorldView.h"
#include "world/Mobile.h"
#include "world/Player.h"

int thelightthingie::ambientLevel = 0;
int thelightthingie::personalLight = 0;

namespace {

constexpr int kTileWidth = 64;
constexpr int kTileHeight = 48;

CMMF* s_index = nullptr;
CMMF* s_data = nullptr;

int BaseLevel() {
    if (pPlayerObject && pPlayerObject->IsBody402Or403()) return 0;
    const int level = thelightthingie::ambientLevel - thelightthingie::personalLight;
    return std::clamp(level, 0, 31);
}

inline M_BYTE Lower(int level, int by) {
    return static_cast<M_BYTE>(std::clamp(level - by, 0, 31));
}

inline int Curve(const M_BYTE* curve, int v) {
    return curve[std::clamp(v, 0, 31)];
}

// The part of a light's area inside a tile, in the light map's and the
// tile's coordinates.
struct Overlap {
    int x0, y0, x1, y1;  // play-area pixels
};
bool OverlapOf(const ActiveLight& light, int tx, int ty, int tw, int th, Overlap* o) {
    o->x0 = std::max(light.area.left, tx);
    o->y0 = std::max(light.area.top, ty);
    o->x1 = std::min(light.area.right, tx + tw);
    o->y1 = std::min(light.area.bottom, ty + th);
    return o->x0 < o->x1 && o->y0 < o->y1;
}

// Calls f(levelIndex, value) for every tile pixel the light covers.
template <class F>
void ForCovered(const ActiveLight& light, int tx, int ty, int tw, int th, F f) {
    Overlap o;
    if (!OverlapOf(light, tx, ty, tw, th, &o)) return;
    for (int y = o.y0; y < o.y1; ++y) {
        const signed char* row =
            light.map.values + static_cast<long>(y - light.area.top) * light.map.width;
        for (int x = o.x0; x < o.x1; ++x) f((y - ty) * tw + (x - tx), row[x - light.area.left]);
    }
}

void EnsureTables() {
    if (LightTablesFor565 != (use565 ? TRUE : FALSE) || ChannelScaleTable[31][31] != 0 ||
        ChannelScaleTable[0][31] != 31)
        thelightthingie::BuildLightTables();
}

// One level for all three channels: each 5-bit channel c becomes
// (c * (32 - level)) >> 5, the light scale table's entry (in 16 bits: at
// most 31 * 32), written in 5-5-5 or 5-6-5.  Plain arithmetic, so that the
// compiler runs a row of it in vector lanes.
template <bool To565>
inline M_WORD ShadeMono(M_WORD p, int level) {
    const unsigned k = static_cast<unsigned>(32 - level);
    const unsigned r = (((p >> 10) & 31u) * k) >> 5;
    const unsigned g = (((p >> 5) & 31u) * k) >> 5;
    const unsigned b = ((p & 31u) * k) >> 5;
    if constexpr (To565) return static_cast<M_WORD>(r << 11 | g << 6 | b);
    return static_cast<M_WORD>(r << 10 | g << 5 | b);
}

// Shades a tile from its levels, or from one level for all of it.
template <bool To565>
void ShadeTile(const WorldTarget& t, int tx, int ty, int tw, int th, const M_BYTE* level,
               bool uniform) {
    for (int y = 0; y < th; ++y) {
        M_WORD* row = t.origin + (static_cast<long>(ty + y) * t.pitch + tx);
        if (uniform) {
            const int l = level[0];
            for (int x = 0; x < tw; ++x) row[x] = ShadeMono<To565>(row[x], l);
        } else {
            const M_BYTE* l = level + y * tw;
            for (int x = 0; x < tw; ++x) row[x] = ShadeMono<To565>(row[x], l[x]);
        }
    }
}

inline M_WORD Shade(M_WORD p, int lr, int lg, int lb) {
    return static_cast<M_WORD>(LightRedTable[(p >> 10) & 31][lr] |
                               LightGreenTable[(p >> 5) & 31][lg] | LightBlueTable[p & 31][lb]);
}

// Walks the rectangle in tiles, rows of tiles from its top.
template <class Tile>
void ForTiles(const RECT& rect, Tile tile) {
    for (int ty = rect.top; ty < rect.bottom; ty += kTileHeight)
        for (int tx = rect.left; tx < rect.right; tx += kTileWidth)
            tile(tx, ty, std::min(kTileWidth, rect.right - tx),
                 std::min(kTileHeight, rect.bottom - ty));
}

std::vector<ActiveLight>& Lights() {
    static std::vector<ActiveLight> lights;
    return lights;
}

}  // namespace

void thelightthingie::RepaintTilesMono(const RECT& rect) {
    const WorldTarget& t = target;
    if (!t.origin || rect.right <= rect.left || rect.bottom <= rect.top) return;
    EnsureTables();
    std::vector<ActiveLight>& lights = Lights();
    CollectLights(rect, &lights);
    const int base = BaseLevel();
    // Full light in 5-5-5 leaves the pixels as the world drew them.
    if (base == 0 && lights.empty() && !use565) return;

    ForTiles(rect, [&](int tx, int ty, int tw, int th) {
        M_BYTE level[kTileWidth * kTileHeight];
        // A tile no light reaches is shaded at the base level throughout.
        bool uniform = true;
        Overlap o;
        for (const ActiveLight& light : lights)
            if (OverlapOf(light, tx, ty, tw, th, &o)) uniform = false;
        if (uniform) {
            level[0] = static_cast<M_BYTE>(base);
        } else {
            std::memset(level, base, static_cast<size_t>(tw) * th);
            for (const ActiveLight& light : lights)
                ForCovered(light, tx, ty, tw, th,
                           [&](int i, int v) { level[i] = Lower(level[i], v); });
        }
        if (use565)
            ShadeTile<true>(t, tx, ty, tw, th, level, uniform);
        else
            ShadeTile<false>(t, tx, ty, tw, th, level, uniform);
    });
}

void thelightthingie::RepaintTiles(const RECT& rect) {
    const WorldTarget& t = target;
    if (!t.origin || rect.right <= rect.left || rect.bottom <= rect.top) return;
    EnsureTables();
    std::vector<ActiveLight>& lights = Lights();
    CollectLights(rect, &lights);
    const int base = BaseLevel();
    if (base == 0 && lights.empty() && !use565) return;

    ForTiles(rect, [&](int tx, int ty, int tw, int th) {
        M_BYTE level[kTileWidth * kTileHeight * 3];
        std::memset(level, base, static_cast<size_t>(tw) * th * 3);
        for (const ActiveLight& light : lights)
            ForCovered(light, tx, ty, tw, th, [&](int i, int v) {
                M_BYTE* l = level + 3 * i;
                int r = 0, g = 0, b = 0;
                switch (light.colour) {
                    case LightColour::White:
                        r = g = b = v;
                        break;
                    case LightColour::SoftWhite:
                        r = g = b = Curve(LightCurveA, v);
                        break;
                    case LightColour::Red:
                        r = v;
                        break;
                    case LightColour::Orange:
                        r = v;
                        g = v >> 1;
                        break;
                    case LightColour::SoftOrange:
                        r = Curve(LightCurveB, v);
                        g = r >> 1;
                        break;
                    case LightColour::Yellow:
                        r = g = Curve(LightCurveA, v);
                        break;
                    case LightColour::SoftYellow:
                        r = g = Curve(LightCurveB, v);
                        break;
                    case LightColour::Green:
                        g = Curve(LightCurveB, v);
                        break;
                    case LightColour::Blue:
                        r = g = v >> 1;
                        b = v;
                        break;
                    case LightColour::Violet:
                        r = Curve(LightCurveC, v);
                        b = Curve(LightCurveB, v);
                        break;
                }
                l[0] = Lower(l[0], r);
                l[1] = Lower(l[1], g);
                l[2] = Lower(l[2], b);
            });
        for (int y = 0; y < th; ++y) {
            M_WORD* row = t.origin + (static_cast<long>(ty + y) * t.pitch + tx);
            const M_BYTE* l = level + 3 * y * tw;
            for (int x = 0; x < tw; ++x, l += 3) row[x] = Shade(row[x], l[0], l[1], l[2]);
        }
    });
}

void thelightthingie::startup() {
    TWReport::message("thelightthingie::startup:\n");
    BuildLightTables();
    // The light maps stay mapped for the run; a missing file is no light.
    const char* dir = FileManager::getHDPath();
    auto open = [dir](const char* name) -> CMMF* {
        const char* found = FileManager::exists(dir, name);
        if (!found) found = FileManager::fuzzyFind(dir, name);
        if (!found) {
            TWReport::warning("thelightthingie::startup: '%s' is missing; no light maps.\n", name);
            return nullptr;
        }
        auto* file = new CMMF(found);
        if (!file->Open()) {
            delete file;
            return nullptr;
        }
        return file;
    };
    s_index = open("lightidx.mul");
    s_data = open("light.mul");
    if (s_index && s_data)
        TheLightFiles().Set(static_cast<const M_BYTE*>(s_index->getPtr()),
                            static_cast<size_t>(s_index->getLength()),
                            static_cast<const M_BYTE*>(s_data->getPtr()),
                            static_cast<size_t>(s_data->getLength()));
    else
        TheLightFiles().Set(nullptr, 0, nullptr, 0);
}

void thelightthingie::shutdown() {
    TWReport::message("thelightthingie::shutdown:\n");
}

void ClearWorldLightLevels() {
    thelightthingie::ambientLevel = 0;
    thelightthingie::personalLight = 0;
}

void thelightthingie::reset() {
    TheLightFiles().Set(nullptr, 0, nullptr, 0);
    LightFiles::ForgetReports();
    ForgetLandArtReports();
    ForgetTextureReports();
    delete s_index;
    delete s_data;
    s_index = s_data = nullptr;
    ClearWorldLightLevels();
    target = WorldTarget{};
    DirtyList::count = 0;
    DirtyList::largeList = FALSE;
    DirtyList::fullRepaintPending = FALSE;
}

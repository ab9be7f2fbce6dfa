#include "view/LandTile.h"

#include <algorithm>
#include <bitset>
#include <cstring>

#include "TWReport.h"
#include "resources/DHDCache.h"
#include "resources/GraphicManager.h"
#include "resources/SpanHandlers.h"
#include "view/Light.h"
#include "view/LightTables.h"

namespace {

constexpr int kLandArtCount = 16384;

// Land art comes from a data file: one line per missing id is enough.
std::bitset<kLandArtCount + 1> s_said;

void ReportMissing(int id, const char* why) {
    std::bitset<kLandArtCount + 1>& said = s_said;
    const int slot = id >= 0 && id < kLandArtCount ? id : kLandArtCount;
    if (said[slot]) return;
    said[slot] = true;
    TWReport::warning("DrawLandTile: land art %d %s; the cell is not drawn.\n", id, why);
}

// Rows and columns of the diamond inside the clip, always within the tile.
struct Span {
    int row0, row1, col0, col1;
};
Span ClipTile(int x, int y, const RECT& clip) {
    Span s;
    s.row0 = std::max(clip.top - y, 0);
    s.row1 = std::min(clip.bottom - y, LAND_TILE_SIDE - 1);
    s.col0 = std::max(clip.left - x, 0);
    s.col1 = std::min(clip.right - x, LAND_TILE_SIDE);
    return s;
}

template <class Row>
void DrawDiamond(int id, int x, int y, const RECT& clip, Row row) {
    const M_BYTE* art = GetLandArt(id);
    const WorldTarget& t = thelightthingie::target;
    if (!art || !t.origin) return;
    const Span s = ClipTile(x, y, clip);
    for (int r = s.row0; r < s.row1; ++r) {
        const int first = std::max(LandRowStart[r], s.col0);
        const int end = std::min(LandRowEnd[r], s.col1);
        if (first >= end) continue;
        M_WORD* dst = t.origin + (static_cast<long>(y + r) * t.pitch + x + first);
        const M_BYTE* src = art + 2 * (LandRowOffset[r] + first - LandRowStart[r]);
        row(dst, src, end - first);
    }
}

}  // namespace

void ForgetLandArtReports() {
    s_said.reset();
}

const M_BYTE* GetLandArt(int id) {
    if (id < 0 || id >= kLandArtCount) {
        ReportMissing(id, "is outside the land art");
        return nullptr;
    }
    int size = 0, extra = 0;
    const M_BYTE* data = CDHDCache::GetCacheItem(FN_ARTIDX, FN_ART, id, &size, &extra);
    if (!data) {
        ReportMissing(id, "is missing");
        return nullptr;
    }
    if (size < 2 * LAND_TILE_PIXELS) {
        ReportMissing(id, "is shorter than a diamond");
        return nullptr;
    }
    return data;
}

void DrawLandTile(int id, int x, int y, const RECT& clip) {
    DrawDiamond(id, x, y, clip, [](M_WORD* dst, const M_BYTE* src, int n) {
        std::memcpy(dst, src, static_cast<size_t>(n) * sizeof(M_WORD));
    });
}

void DrawLandTileShaded(int id, int x, int y, const RECT& clip) {
    DrawDiamond(id, x, y, clip, [](M_WORD* dst, const M_BYTE* src, int n) {
        for (int i = 0; i < n; ++i) {
            M_WORD p;
            std::memcpy(&p, src + 2 * i, sizeof p);
            dst[i] = GraphicManager::greyTable[p & 0x7FFF];
        }
    });
}

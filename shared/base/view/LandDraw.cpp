// Land cells: their screen rectangles, their drawing, the lighting of a
// textured cell from the slopes round it, and their hiding under the
// height cut.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "TWReport.h"
#include "resources/DHDCache.h"
#include "view/DrawItemOps.h"
#include "view/DrawManager.h"
#include "view/LandTile.h"
#include "view/Light.h"
#include "view/MapManager.h"
#include "view/TexturedTriangle.h"
#include "view/WorldView.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

// Land tile 2 is never drawn.
constexpr int kNoDrawLand = 2;

bool PlayerIsGhost() {
    return pPlayerObject && pPlayerObject->IsBody402Or403();
}

int LandId(int tile) {
    return tile & 0x7FFF;
}

// The two triangles of a textured cell, as corner indices (0 the cell's own
// top corner, 1 east, 2 south, 3 west).
constexpr int kEastWest[2][3] = {{0, 1, 3}, {1, 2, 3}};
constexpr int kNorthSouth[2][3] = {{0, 1, 2}, {2, 3, 0}};

const int (&Triangles(const CTexTerr& cell))[2][3] {
    return cell.foldsNorthSouth ? kNorthSouth : kEastWest;
}

struct Vec {
    int x, y, z;
};
Vec Cross(const Vec& a, const Vec& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec Add(const Vec& a, const Vec& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

// The normal of a cell with corner heights h (top, east, south, west) in
// screen space: x right, y down the screen, z up; 22 pixels a half cell, 4
// a height unit.
Vec CellNormal(const signed char h[4]) {
    const Vec p10{22, 22, 4 * (h[1] - h[0])};
    const Vec p20{0, 44, 4 * (h[2] - h[0])};
    const Vec p30{-22, 22, 4 * (h[3] - h[0])};
    Vec sum;
    if (std::abs(h[0] - h[2]) <= std::abs(h[1] - h[3])) {
        sum = Add(Cross(p10, p20), Cross(p20, p30));
    } else {
        const Vec p21{-22, 22, 4 * (h[2] - h[1])};
        const Vec p31{-44, 0, 4 * (h[3] - h[1])};
        sum = Add(Cross(p10, p30), Cross(p21, p31));
    }
    return {sum.x >> 1, sum.y >> 1, sum.z >> 1};
}

// The darkness 0..15 of a corner whose four neighbouring cells have these
// normals.
int CornerLight(const Vec& a, const Vec& b, const Vec& c, const Vec& d) {
    const Vec s = Add(Add(a, b), Add(c, d));
    const Vec n{s.x >> 2, s.y >> 2, s.z >> 2};
    const double length = std::sqrt(double(n.x) * n.x + double(n.y) * n.y + double(n.z) * n.z);
    if (length <= 0) return 0;
    const int x = static_cast<int>(n.x * 256.0 / length);
    const int y = static_cast<int>(n.y * 256.0 / length);
    const int z = static_cast<int>(n.z * 256.0 / length);
    return std::clamp((100 * x - 30 * y + 23 * z) / 1000, 0, 15);
}

bool s_saidTexture = false;

// The texels of a land tile's texture, or null when it has none that can
// be drawn: only numbers 1..4095, size codes 0 and 1, and only when the
// item holds the whole size x size texels.
const M_BYTE* TextureOf(int tile, int* sizeCode) {
    const int number = CObjectManager::TerrainTile(LandId(tile)).texture;
    if (number < 1 || number > 4095) return nullptr;
    int size = 0, extra = 0;
    const M_BYTE* texels = CDHDCache::GetCacheItem(FN_TEXIDX, FN_TEXMAPS, number, &size, &extra);
    if (!texels || size <= 0) return nullptr;
    if ((extra != 0 && extra != 1) || size < 2 * (64 << extra) * (64 << extra)) {
        if (!s_saidTexture) {
            s_saidTexture = true;
            TWReport::warning(
                "CTexTerr::DrawClip: texture %d has size code %d and %d bytes; textures that "
                "do not hold their texels are not drawn.\n",
                number, extra, size);
        }
        return nullptr;
    }
    *sizeCode = extra;
    return texels;
}

}  // namespace

void ForgetTextureReports() {
    s_saidTexture = false;
}

void DrawManager::SetTileAndLocation(CDrawItem* item, int tile, const TerrainLocation* where) {
    // The land classes keep the tile word.
    class TileSetter final : public DrawItemVisitorBase {
    public:
        explicit TileSetter(int t) : tile_(t) {}
        using DrawItemVisitorBase::Visit;
        void Visit(CTerrain& cell) override { cell.tile = tile_; }
        void Visit(CTexTerr& cell) override { cell.tile = tile_; }

    private:
        int tile_;
    } setter(tile);
    item->Accept(setter);
    // A cell made without a place keeps the one it has.
    if (!where) return;
    item->locX = where->x;
    item->locY = where->y;
    item->z = where->z;
}

void DrawManager::CalcNormals(CTexTerr* cell, const signed char* corners) {
    signed char c[4] = {0, 0, 0, 0};
    if (corners) std::copy(corners, corners + 4, c);
    std::copy(c, c + 4, cell->corners);
    cell->facesAway = c[2] >= c[0] + 11;
    cell->foldsNorthSouth = CompareCornerDiagonals(c) ? 1 : 0;
    for (int t = 0; t < 2; ++t) {
        const int* tri = Triangles(*cell)[t];
        int best = tri[0];
        for (int i = 1; i < 3; ++i)
            if (c[tri[i]] > c[best]) best = tri[i];
        cell->highestCorner[t] = static_cast<M_BYTE>(best);
    }
    // The normals of the 3 x 3 cells round this one; this cell's own from
    // the corners given.
    Vec n[3][3];
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            signed char h[4];
            if (dx == 0 && dy == 0)
                std::copy(c, c + 4, h);
            else
                MapManager::GetLandCornerZ(cell->locX + dx, cell->locY + dy, h);
            n[dy + 1][dx + 1] = CellNormal(h);
        }
    // Each corner takes the mean of the four cells that share it.
    cell->cornerLight[0] = static_cast<M_BYTE>(CornerLight(n[0][0], n[0][1], n[1][0], n[1][1]));
    cell->cornerLight[1] = static_cast<M_BYTE>(CornerLight(n[0][1], n[0][2], n[1][1], n[1][2]));
    cell->cornerLight[2] = static_cast<M_BYTE>(CornerLight(n[1][1], n[1][2], n[2][1], n[2][2]));
    cell->cornerLight[3] = static_cast<M_BYTE>(CornerLight(n[1][0], n[1][1], n[2][0], n[2][1]));
}

namespace drawitem {

void CalcRect(CTerrain& cell) {
    const int top = 22 * cell.screenRow - 4 * cell.z;
    cell.rect = RECT{22 * cell.screenColumn - 22, top, 22 * cell.screenColumn + 22, top + 44};
}

void DrawClip(CTerrain& cell, const RECT& clip) {
    const int id = LandId(cell.tile);
    if (id == kNoDrawLand) return;
    const int x = cell.rect.left - g_viewOffsetX;
    const int y = cell.rect.top - g_viewOffsetY;
    if (PlayerIsGhost())
        DrawLandTileShaded(id, x, y, clip);
    else
        DrawLandTile(id, x, y, clip);
}

BOOL IsHidden(CTerrain& cell) {
    if (!cell.inList) return TRUE;
    if (!DrawManager::heightCut) return FALSE;
    return cell.z > DrawManager::heightCutLimit;
}

void CalcRect(CTexTerr& cell) {
    const int row = 22 * cell.screenRow;
    const signed char* c = cell.corners;
    const int ys[4] = {row - 4 * c[0], row - 4 * c[1] + 22, row - 4 * c[2] + 44,
                       row - 4 * c[3] + 22};
    // The fillers reach a pixel beyond the diamond's corner points (a row
    // above the top, a row below the bottom, a column left and two right):
    // the rectangle covers all that is drawn, so that a repaint of any part
    // of it redraws the cell.
    cell.rect = RECT{22 * cell.screenColumn - 23, *std::min_element(ys, ys + 4) - 1,
                     22 * cell.screenColumn + 24, *std::max_element(ys, ys + 4) + 1};
}

void DrawClip(CTexTerr& cell, const RECT& clip) {
    if (cell.facesAway || LandId(cell.tile) == kNoDrawLand) return;
    int sizeCode = 0;
    const M_BYTE* texels = TextureOf(cell.tile, &sizeCode);
    M_WORD* target = thelightthingie::target.origin;
    if (!texels || !target) return;
    const int left = 22 * cell.screenColumn - 22 - g_viewOffsetX;
    const int row = 22 * cell.screenRow - g_viewOffsetY;
    const signed char* c = cell.corners;
    TriangleCorner corner[4] = {{left + 22, row - 4 * c[0] - 1, 1},
                                {left + 46, row - 4 * c[1] + 22, 2},
                                {left + 23, row - 4 * c[2] + 45, 3},
                                {left, row - 4 * c[3] + 22, 4}};
    const bool grey = PlayerIsGhost();
    const bool nudge = !DrawManager::heightCut && c[0] == c[1] && c[1] == c[2] && c[3] - c[0] >= 21;
    for (int t = 0; t < 2; ++t) {
        const int* tri = Triangles(cell)[t];
        if (DrawManager::heightCut && c[cell.highestCorner[t]] > DrawManager::heightCutLimit)
            continue;
        auto fill = grey ? DrawTexturedTriangleGrey : DrawTexturedTriangle;
        fill(target, texels, sizeCode, &corner[tri[0]], &corner[tri[1]], &corner[tri[2]],
             cell.cornerLight[tri[0]], cell.cornerLight[tri[1]], cell.cornerLight[tri[2]], &clip);
        if (t == 0 && nudge) ++corner[0].x;
    }
}

BOOL IsHidden(CTexTerr& cell) {
    if (!cell.inList) return TRUE;
    if (!DrawManager::heightCut) return FALSE;
    const int limit = DrawManager::heightCutLimit;
    return cell.corners[cell.highestCorner[0]] > limit &&
           cell.corners[cell.highestCorner[1]] > limit;
}

}  // namespace drawitem

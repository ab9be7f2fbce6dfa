// The view centre and what is kept loaded round it: the draw table's
// window, the land cells of the 37 x 37 cells round the centre, the map
// statics of the 6 x 6 blocks round it, and the height cut.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "TWReport.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"
#include "resources/DHDCache.h"
#include "view/DrawManager.h"
#include "view/MapBlocks.h"
#include "view/MapManager.h"
#include "view/WorldView.h"
#include "world/ObjectManager.h"
#include "world/Player.h"
#include "world/Terrain.h"

int MapManager::centerX = 0;
int MapManager::centerY = 0;
int MapManager::centerZ = 0;
int MapManager::mapNumber = -1;
MapManager::Area MapManager::mapArea = {0, 0, MapManager::MAP_WIDTH, MapManager::MAP_HEIGHT};
int MapManager::blockLeft = 0;
int MapManager::blockTop = 0;
int MapManager::blockRight = MapManager::MAP_WIDTH >> 3;
int MapManager::blockBottom = MapManager::MAP_HEIGHT >> 3;

namespace {

constexpr int kUnloaded = -1;
constexpr int kNoCorner = -9999;
// Land outside the separate area, where MakeTerrain reads no map.
constexpr int kFillerLand = 580;
constexpr int kWindowBlocks = 6;

int s_loadedBlocks[MapManager::LOADED_BLOCKS];
int s_cornerX = kNoCorner;
bool s_saidStatics = false;
int s_cornerY = kNoCorner;

void ForgetBlocks() {
    std::fill(std::begin(s_loadedBlocks), std::end(s_loadedBlocks), kUnloaded);
    s_cornerX = s_cornerY = kNoCorner;
}

bool PlayerPlaced() {
    return pPlayerObject && !pPlayerObject->inVoid;
}

int Wrap(int v, int size) {
    v %= size;
    return v < 0 ? v + size : v;
}

// The height of a cell, or FALSE outside the map.
bool CellZ(int x, int y, int* z) {
    if (x < 0 || y < 0 || x >= MapManager::MAP_WIDTH || y >= MapManager::MAP_HEIGHT) return false;
    signed char c[4];
    MapManager::GetLandCornerZ(x, y, c);
    *z = c[0];
    return true;
}

// A textured cell is drawn flat when it and the 4 x 4 cells round it lie at
// one height; a cell outside the map ends the test in favour of flat.
bool FlatAround(int x, int y, int z) {
    for (int dy = -1; dy <= 2; ++dy)
        for (int dx = -1; dx <= 2; ++dx) {
            int h;
            if (!CellZ(x + dx, y + dy, &h)) return true;
            if (h != z) return false;
        }
    return true;
}

// Makes the land cell of the map cell (mx, my), filed at (x, y).
void MakeLand(int x, int y, int mx, int my, int tile) {
    tile %= 32768;
    signed char c[4];
    MapManager::GetLandCornerZ(mx, my, c);
    const bool textured = CObjectManager::TerrainTile(tile).texture != 0;
    const bool level = c[0] == c[1] && c[1] == c[2] && c[2] == c[3];
    CDrawItem* cell;
    if (!textured || (level && FlatAround(mx, my, c[0]))) {
        const TerrainLocation at{static_cast<short>(x), static_cast<short>(y), c[0]};
        cell = NewTerrain(tile, &at);
    } else {
        const TerrainLocation at{static_cast<short>(x), static_cast<short>(y),
                                 static_cast<short>((c[0] + c[1] + c[2] + c[3]) >> 2)};
        cell = NewTexTerr(tile, &at, c);
    }
    cell->AddToDrawList();
}

bool HasLandAt(int x, int y) {
    for (CDrawItem* item = DrawMapThingie::table[y & 63][x & 63]; item; item = item->next)
        if (item->IsTerrain() && item->locX == x && item->locY == y) return true;
    return false;
}

// The open radar shows the map round the centre; the radar is the game
// dialogs', reached through the gump's own operation.
void RedrawRadar() {
    if (CGumpManager::radarGump) CGumpManager::radarGump->RenderMap();
}

void UpdateHeightCut() {
    int landZ = 0;
    for (CDrawItem* item =
             DrawMapThingie::table[MapManager::centerY & 63][MapManager::centerX & 63];
         item; item = item->next)
        if (item->IsTerrain()) {
            landZ = item->z;
            break;
        }
    const int limit = MapManager::centerZ + 16;
    if (limit < landZ) {
        // The player stands under land that rises above his head.
        if (!DrawManager::heightCut || DrawManager::heightCutLimit != limit) {
            DrawManager::heightCut = TRUE;
            DrawManager::heightCutLimit = limit;
            InvalidateScreen();
        }
    } else if (DrawManager::heightCut) {
        DrawManager::heightCut = FALSE;
        InvalidateScreen();
    }
}

// Moves every draw item that the wrap brings nearer to the new centre by
// `amount` cells on one axis and files it again.  The walk works on a
// snapshot and files each item once; slices come back with their owners.
void WrapDrawItems(bool alongX, int amount) {
    InvalidateScreen();
    std::vector<CDrawItem*> items;
    for (int cy = 0; cy < DrawMapThingie::SIZE; ++cy)
        for (int cx = 0; cx < DrawMapThingie::SIZE; ++cx)
            for (CDrawItem* item = DrawMapThingie::table[cy][cx]; item; item = item->next)
                if (!item->IsBigMobComponent()) items.push_back(item);
    const int centre = alongX ? MapManager::centerX : MapManager::centerY;
    for (CDrawItem* item : items) {
        short& coordinate = alongX ? item->locX : item->locY;
        // An item the walk code has already carried across (the player
        // wraps its own cell when its step ends) stays where it is.
        if (std::abs(coordinate + amount - centre) >= std::abs(coordinate - centre)) continue;
        if (item->inList) DrawManager::RemoveFromDrawList(item);
        coordinate = static_cast<short>(coordinate + amount);
        DrawManager::AddToDrawList(item);
    }
}

}  // namespace

void MapManager::startup() {
    TWReport::message("MapManager::startup: begin.\n");
    centerX = centerY = centerZ = 0;
    mapNumber = -1;
    ForgetBlocks();
}

void MapManager::shutdown() {}

void MapManager::Reset() {
    mapNumber = -1;
    ForgetBlocks();
    DrawManager::FlushAll();
}

void MapManager::reset() {
    s_saidStatics = false;
    centerX = centerY = centerZ = 0;
    mapNumber = -1;
    mapArea = {0, 0, MAP_WIDTH, MAP_HEIGHT};
    blockLeft = blockTop = 0;
    blockRight = MAP_WIDTH >> 3;
    blockBottom = MAP_HEIGHT >> 3;
    ForgetBlocks();
}

void MapManager::SetCenter(int x, int y, int z, int map) {
    InvalidateScreen();
    if (x != -1) {
        centerX = x;
        centerY = y;
        centerZ = z;
    }
    if (map != mapNumber) {
        blockLeft = mapArea.x >> 3;
        blockTop = mapArea.y >> 3;
        blockRight = (mapArea.x + mapArea.width) >> 3;
        blockBottom = (mapArea.y + mapArea.height) >> 3;
        mapNumber = map;
    }
    if (PlayerPlaced() && x != -1) RebuildTerrain();
}

void MapManager::ShiftCenter(int dx, int dy, int z) {
    if (centerX < WRAP_WIDTH) {
        centerX += dx;
        centerY += dy;
        if (centerX > WRAP_WIDTH - 1) {
            centerX -= WRAP_WIDTH;
            WrapDrawItems(true, -WRAP_WIDTH);
        }
        if (centerX < 0) {
            centerX += WRAP_WIDTH;
            WrapDrawItems(true, WRAP_WIDTH);
        }
        if (centerY > WRAP_HEIGHT - 1) {
            centerY -= WRAP_HEIGHT;
            WrapDrawItems(false, -WRAP_HEIGHT);
        }
        if (centerY < 0) {
            centerY += WRAP_HEIGHT;
            WrapDrawItems(false, WRAP_HEIGHT);
        }
    } else {
        centerX += dx;
        centerY += dy;
    }
    centerZ = z;
    if (PlayerPlaced()) RebuildTerrain();
}

void MapManager::RebuildTerrain() {
    DrawManager::RecenterTable();
    LoadStaticsNearPlayer();
    const bool surface = centerX < WRAP_WIDTH;
    for (int y = centerY - TERRAIN_RANGE; y <= centerY + TERRAIN_RANGE; ++y)
        for (int x = centerX - TERRAIN_RANGE; x <= centerX + TERRAIN_RANGE; ++x) {
            if (HasLandAt(x, y)) continue;
            if (surface)
                MakeTerrainWrapped(x, y);
            else
                MakeTerrain(x, y);
        }
    RedrawRadar();
    UpdateHeightCut();
}

void MapManager::MakeTerrain(int x, int y) {
    const bool separate = x >= WRAP_WIDTH && x < MAP_WIDTH && y >= 0 && y < MAP_HEIGHT;
    MakeLand(x, y, x, y, separate ? GetLandTile(x, y) : kFillerLand);
}

void MapManager::MakeTerrainWrapped(int x, int y) {
    const int mx = Wrap(x, WRAP_WIDTH), my = Wrap(y, WRAP_HEIGHT);
    MakeLand(x, y, mx, my, GetLandTile(mx, my));
}

void MapManager::LoadStaticsNearPlayer() {
    const int bx0 = (centerX - TERRAIN_RANGE) >> 3;
    const int by0 = (centerY - TERRAIN_RANGE) >> 3;
    if (bx0 == s_cornerX && by0 == s_cornerY) return;
    auto inWindow = [&](int bx, int by) {
        return bx >= bx0 && bx < bx0 + kWindowBlocks && by >= by0 && by < by0 + kWindowBlocks;
    };

    // Map statics of the blocks that left the window go (multi parts stay).
    std::vector<CObj*> gone;
    for (CObj* o = CObjectManager::worldList; o; o = o->worldNext)
        if (!o->IsDynamic() && !(o->flags & 1) && !inWindow(o->locX >> 3, o->locY >> 3))
            gone.push_back(o);
    for (CObj* o : gone)
        if (!o->inVoid) o->Release();
    for (int& block : s_loadedBlocks)
        if (block != kUnloaded && !inWindow(block / BLOCKS_PER_COLUMN, block % BLOCKS_PER_COLUMN))
            block = kUnloaded;

    std::vector<StaticRecord> records;
    for (int by = by0; by < by0 + kWindowBlocks; ++by)
        for (int bx = bx0; bx < bx0 + kWindowBlocks; ++bx) {
            if (bx < blockLeft || bx >= blockRight || by < blockTop || by >= blockBottom) continue;
            const int block = bx * BLOCKS_PER_COLUMN + by;
            if (std::find(std::begin(s_loadedBlocks), std::end(s_loadedBlocks), block) !=
                std::end(s_loadedBlocks))
                continue;
            int size = 0, extra = 0;
            const M_BYTE* data =
                CDHDCache::GetCacheItem(FN_STAIDX0, FN_STATICS0, block, &size, &extra);
            int dropped = 0;
            ReadStaticsBlock(data, data ? static_cast<size_t>(size) : 0, &records, &dropped);
            if (dropped) {
                if (!s_saidStatics) {
                    s_saidStatics = true;
                    TWReport::warning(
                        "MapManager::LoadStaticsNearPlayer: statics block %d holds records "
                        "that are short or lie outside the block; they are left out.\n",
                        block);
                }
            }
            for (const StaticRecord& s : records) {
                CObj* o = NewStaticObj(s.graphic);
                o->hue = s.hue;
                o->ToWorld(Coords(static_cast<short>(bx * 8 + s.x),
                                  static_cast<short>(by * 8 + s.y), s.z));
            }
            int* slot = std::find(std::begin(s_loadedBlocks), std::end(s_loadedBlocks), kUnloaded);
            if (slot != std::end(s_loadedBlocks)) *slot = block;
        }
    s_cornerX = bx0;
    s_cornerY = by0;
}

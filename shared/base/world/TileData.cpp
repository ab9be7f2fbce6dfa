// The groups of "tiledata.mul" that the server replaces (in memory and in
// the file), land names by map cell, the names of map statics, and the
// ground height of a cell.  The layout is drawn in TileTables.cpp.

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "DebugHooks.h"
#include "FileManager.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"
#include "world/SpeakerRecord.h"
#include "world/TileRecords.h"
#include "world/ViewHooks.h"
#include "world/WorldInternal.h"

using namespace tiledata;

namespace {

// Writes one group at its offset.  A file that cannot be opened for
// writing is logged: the tables in memory already hold the new records.
void WriteGroup(long offset, const std::vector<M_BYTE>& bytes) {
    // The file manager treats a known file that cannot be opened again as
    // fatal; a read-only file is found out first.
    const char* actual = FileManager::getActualName(kFile);
    FILE* fp = actual && access(actual, W_OK) != 0 ? nullptr : FileManager::open(kFile, "r+b");
    if (!fp) {
        TWReport::error("CObjectManager::SetItemTileData: cannot open '%s'.\n", kFile);
        return;
    }
    if (FileManager::seek(fp, offset, SEEK_SET) != 0 ||
        FileManager::write(bytes.data(), 1, bytes.size(), fp) != bytes.size())
        TWReport::error("CObjectManager::SetItemTileData: cannot write '%s' at %ld.\n", kFile,
                        offset);
    FileManager::close(fp);
}

void RebuildLightLists() {
    while (CObj* o = CObjectManager::lightList) {
        CObjectManager::lightList = o->lightNext;
        o->lightNext = o->lightPrev = nullptr;
        o->inLightList = 0;
        world::Light().InvalidateObjectLight(o);
    }
    CObjectManager::lightTail = nullptr;
    while (CObj* o = CObjectManager::animatedItemList) {
        CObjectManager::animatedItemList = o->nextAnimated;
        o->nextAnimated = o->prevAnimated = nullptr;
    }
    using LightList = IntrusiveList<CObj, &CObj::lightNext, &CObj::lightPrev>;
    using AnimatedList = IntrusiveList<CObj, &CObj::nextAnimated, &CObj::prevAnimated>;
    for (CObj* o = CObjectManager::worldList; o; o = o->worldNext) {
        if (CObjectManager::ItemTile(o->objectType).flags & TILE_ANIMATED)
            AnimatedList::PushFront(CObjectManager::animatedItemList, o);
        if ((o->GetTileFlags() & TILE_LIGHT) || IsLightGraphic(o->objectType)) {
            LightList::PushFront(CObjectManager::lightList, CObjectManager::lightTail, o);
            o->inLightList = 1;
            world::Light().InvalidateObjectLight(o);
        }
    }
}

}  // namespace

void CObjectManager::SetItemTileData(int group, const M_BYTE* data, int length) {
    const int itemGroup = group - 512;
    if (itemGroup < 0 || itemGroup >= TILE_GROUPS || !data || length < kItemGroup || !itemTiles) {
        TWReport::warning("CObjectManager::SetItemTileData: group %d (%d bytes) refused.\n", group,
                          length);
        return;
    }
    DataFileChangedHook();
    ByteReader r(data, static_cast<size_t>(length));
    std::vector<M_BYTE> out;
    ByteWriter w(out);
    w.u32le(r.u32le());
    BOOL rebuildLights = FALSE;
    for (int i = 0; i < TILES_PER_GROUP; ++i) {
        const int tile = itemGroup * TILES_PER_GROUP + i;
        const ItemTileData fresh = ReadItem(r);
        ItemTileData& old = itemTiles[tile];
        if ((old.flags ^ fresh.flags) & (TILE_LIGHT | TILE_ANIMATED)) rebuildLights = TRUE;
        const BOOL resort = old.flags != fresh.flags || old.fieldD != fresh.fieldD;
        old = fresh;
        if (resort) world::Draw().ResortItemsOfTile(tile);
        WriteItem(w, old);
    }
    WriteGroup(kItemPart + static_cast<long>(itemGroup) * kItemGroup, out);
    if (rebuildLights) RebuildLightLists();
}

void CObjectManager::SetTerrTileData(int group, const M_BYTE* data, int length) {
    if (group < 0 || group >= TILE_GROUPS || !data || length < kLandGroup || !terrainTiles) {
        TWReport::warning("CObjectManager::SetTerrTileData: group %d (%d bytes) refused.\n", group,
                          length);
        return;
    }
    DataFileChangedHook();
    ByteReader r(data, static_cast<size_t>(length));
    std::vector<M_BYTE> out;
    ByteWriter w(out);
    w.u32le(r.u32le());
    for (int i = 0; i < TILES_PER_GROUP; ++i) {
        const int tile = group * TILES_PER_GROUP + i;
        const TerrainTileData fresh = ReadLand(r);
        TerrainTileData& old = terrainTiles[tile];
        const BOOL redraw = old.texture != fresh.texture;
        old = fresh;
        if (redraw) world::Draw().InvalidateTerrainOfTile(tile);
        WriteLand(w, old);
    }
    WriteGroup(static_cast<long>(group) * kLandGroup, out);
}

const char* CObjectManager::GetTerrainName(int x, int y) {
    static char buffer[32];
    const TerrainTileData& t = TerrainTile(world::Map().GetLandTile(x, y) & 0x7FFF);
    snprintf(buffer, sizeof buffer, "%s%s", Article(t.flags), t.name);
    return buffer;
}

void CObjectManager::ShowName(CObj* object) {
    if (!object || object->textGumps || object->IsDynamic()) return;
    const BOOL stackable = (object->GetTileFlags() & TILE_STACKABLE) != 0;
    char label[80];
    const char* name = GetTileName(object->TileIndex(), stackable && object->amount > 1);
    if (stackable && object->amount >= 2)
        snprintf(label, sizeof label, "%d %s", object->amount, name);
    else
        snprintf(label, sizeof label, "%s", name);
    g_speechKind = SPEECH_KIND_OVER_OBJECT_IN_GUMP;
    world::Texts().MakeText(object, label, 995, 3, nullptr, 0, 0);
}

int GetGroundZ(int x, int y) {
    int z = 0;
    if (!world::Draw().IsHeightCut()) {
        signed char corners[4] = {0, 0, 0, 0};
        world::Map().GetLandCornerZ(x, y, corners);
        z = (corners[1] + corners[3]) / 2;
    }
    for (CObj* o = CObjectManager::worldList; o; o = o->worldNext) {
        if (o->locX != x || o->locY != y || o->IsCutAway()) continue;
        const int top = o->z + o->GetHeight();
        if (top > z) z = top;
    }
    return z == -127 ? 0 : z;
}

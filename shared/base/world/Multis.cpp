// Multi definitions and component lists.
//
// A multi definition is item n of "multi.idx" / "multi.mul": an array of
// 12-byte little-endian records
//   0  u16 graphic   2  i16 x offset   4  i16 y offset   6  i16 z offset
//   8  u32 flags
// Record 0 is the multi object's own graphic; every later record whose flags
// are 1 is a component, the others are skipped.  The server's multi records
// are the same fields big-endian.
#include <algorithm>
#include <cstring>

#include "ByteReader.h"
#include "TWReport.h"
#include "resources/DHDCache.h"
#include "world/MultiManager.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"
#include "world/ViewHooks.h"

namespace {

constexpr int RECORD_SIZE = 12;

struct MultiRecord {
    M_WORD graphic;
    short x;
    short y;
    short z;
    M_DWORD flags;
};

MultiRecord ReadRecord(ByteReader& r) {
    MultiRecord rec;
    rec.graphic = r.u16le();
    rec.x = r.i16le();
    rec.y = r.i16le();
    rec.z = r.i16le();
    rec.flags = r.u32le();
    return rec;
}

Coords At(int x, int y, int z) {
    return Coords(static_cast<short>(x), static_cast<short>(y), static_cast<short>(z));
}

}  // namespace

void MultiManager::startup() {
    TWReport::message("MultiManager::startup: begin.\n");
}

void MultiManager::shutdown() {
    TWReport::message("MultiManager::shutdown: begin.\n");
}

// Dropping a list also drops its nodes, whether or not the objects are its
// own to release.
MultiComponentList::~MultiComponentList() {
    MultiManager::FreeComponentList(this);
}

void MultiManager::FreeComponentList(MultiComponentList* list) {
    if (!list) return;
    MultiComponentNode* node = list->first;
    while (node) {
        MultiComponentNode* next = node->next;
        if (!list->sharedOwner && node->object) node->object->Release();
        delete node;
        node = next;
    }
    list->first = list->last = nullptr;
    list->placed = 0;
    list->multiNumber = -1;
}

BOOL LoadMultiComponents(int multiNumber, CDynamicObj* object) {
    int size = 0;
    int extra = 0;
    const M_BYTE* item = CDHDCache::GetCacheItem(FN_MULTIIDX, FN_MULTI, multiNumber, &size, &extra);
    if (!item) return FALSE;
    // Not even the multi's own record: no definition.
    if (size < RECORD_SIZE) {
        TWReport::warning(
            "LoadMultiComponents: multi %d has %d bytes, less than one record; ignored.\n",
            multiNumber, size);
        return FALSE;
    }

    if (object->multi) {
        MultiManager::FreeComponentList(object->multi);
        delete object->multi;
    }
    auto* list = new MultiComponentList;
    list->multiNumber = multiNumber;
    object->multi = list;

    ByteReader r(item, static_cast<size_t>(size));
    const int count = size / RECORD_SIZE;
    object->objectType = static_cast<M_WORD>(ReadRecord(r).graphic & 0x3FFF);
    for (int n = 1; n < count; ++n) {
        const MultiRecord rec = ReadRecord(r);
        if (rec.flags != 1) continue;
        CObj* part = NewStaticObj(rec.graphic);
        part->SetMultiComp();
        auto* node = new MultiComponentNode;
        node->object = part;
        node->xOffset = rec.x;
        node->yOffset = rec.y;
        node->zOffset = rec.z;
        node->prev = list->last;
        if (list->last)
            list->last->next = node;
        else
            list->first = node;
        list->last = node;
        CObjectManager::AddMultiComp(part);
        list->extent = std::max(list->extent, world::Map().GetDistance(At(0, 0, 0), rec.x, rec.y));
    }
    list->placed = 0;
    return TRUE;
}

void PlaceMultiComponents(MultiComponentList* list, int x, int y, int z) {
    for (MultiComponentNode* node = list->first; node; node = node->next) {
        CObj* part = node->object;
        if (!part->inVoid) part->ToVoid();
        part->ToWorld(At(x + node->xOffset, y + node->yOffset, z + node->zOffset));
    }
    list->placed = 1;
}

void SetObjectMulti(CDynamicObj* object, int x, int y, int z, int multiNumber) {
    if (object->multi && object->multi->multiNumber != multiNumber) {
        MultiManager::FreeComponentList(object->multi);
        delete object->multi;
        object->multi = nullptr;
    }
    if (!object->multi) {
        LoadMultiComponents(multiNumber, object);
        if (!object->multi) {
            if (!object->inVoid) object->ToVoid();
            object->ToWorld(At(x, y, z));
            return;
        }
    }
    MultiComponentList* list = object->multi;
    if (list->placed && !object->inVoid && !object->containedBy && object->locX == x &&
        object->locY == y && object->z == z)
        return;
    if (!object->inVoid) object->ToVoid();
    object->ToWorld(At(x, y, z));
    PlaceMultiComponents(list, x, y, z);
}

M_BYTE* ConvertMultiRecords(const M_BYTE* records, int length) {
    if (length < 0) {
        TWReport::warning("ConvertMultiRecords: negative length %d refused.\n", length);
        return nullptr;
    }
    // Bytes after the last whole record are zero rather than left unset.
    auto* block = new M_BYTE[static_cast<size_t>(length)]();
    ByteReader r(records, static_cast<size_t>(length));
    M_BYTE* out = block;
    for (int n = 0; n < length / RECORD_SIZE; ++n) {
        const M_WORD words[4] = {r.u16be(), r.u16be(), r.u16be(), r.u16be()};
        const M_DWORD flags = r.u32be();
        memcpy(out, words, sizeof words);
        memcpy(out + sizeof words, &flags, sizeof flags);
        out += RECORD_SIZE;
    }
    return block;
}

#include "world/MultiTarget.h"

#include <cstring>

#include "ByteReader.h"
#include "DebugHooks.h"
#include "TWReport.h"
#include "resources/DHDCache.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"

MultiTarget* g_multiTarget = nullptr;

namespace {

constexpr int kMultiRecordSize = 12;

void replaceList(MultiTarget* target, const char* name, MultiComponent* list, int count) {
    delete[] target->components;
    target->components = list;
    target->count = count;
    strncpy(target->name, name, sizeof target->name - 1);
    target->name[sizeof target->name - 1] = 0;
    target->previewX = -1;
    target->active = TRUE;
}

}  // namespace

MultiTarget::MultiTarget()
    : name{},
      previewX(-1),
      previewY(0),
      previewZ(0),
      markX(-1),
      heightOffset(0),
      partHeight(0),
      active(FALSE),
      count(0),
      components(nullptr) {
    g_multiTarget = this;
    MultiTargetCreateHook(this);
}

MultiTarget::~MultiTarget() {
    DeleteMultiTarget(this);
    MultiTargetDestroyHook(this);
    if (g_multiTarget == this) g_multiTarget = nullptr;
}

BOOL LoadMultiList(MultiTarget* target, int multiId, M_WORD dx, M_WORD dy, M_WORD dz) {
    if (!target) return FALSE;
    int size = 0;
    int extra = 0;
    const M_BYTE* item = CDHDCache::GetCacheItem(FN_MULTIIDX, FN_MULTI, multiId, &size, &extra);
    if (!item) return FALSE;
    // Each record: u16 graphic, i16 x, i16 y, i16 z, u32 flags (not read).
    const int count = size / kMultiRecordSize;
    auto* list = new MultiComponent[count > 0 ? count : 1];
    ByteReader r(item, size_t(size));
    for (int i = 0; i < count; ++i) {
        MultiComponent& c = list[i];
        c.graphic = r.u16le();
        c.x = static_cast<std::int16_t>(r.i16le() - dx);
        c.y = static_cast<std::int16_t>(r.i16le() - dy);
        c.z = static_cast<std::int16_t>(r.i16le() - dz);
        r.skip(4);
        c.second = 0;
        c.zero = 0;
    }
    replaceList(target, "multi", list, count);
    return TRUE;
}

BOOL LoadObjectList(MultiTarget* target, int count, const M_BYTE* records, size_t length, M_WORD dx,
                    M_WORD dy, M_WORD dz) {
    // The count comes from a message: no message holds more records, and
    // the records read are those that arrived.
    if (!target || count < 0 || count > MAX_OBJECT_LIST_RECORDS || (count > 0 && !records) ||
        size_t(count) * OBJECT_LIST_RECORD_SIZE > length) {
        TWReport::warning("LoadObjectList: refused a list of %d records in %zu bytes.\n", count,
                          length);
        return FALSE;
    }
    auto* list = new MultiComponent[count > 0 ? count : 1];
    ByteReader r(records, length);
    for (int i = 0; i < count; ++i) {
        MultiComponent& c = list[i];
        c.graphic = static_cast<M_WORD>(r.u32le());
        c.second = static_cast<M_WORD>(r.u32le());
        c.x = static_cast<std::int16_t>(static_cast<std::int16_t>(r.u32le()) - dx);
        c.y = static_cast<std::int16_t>(static_cast<std::int16_t>(r.u32le()) - dy);
        c.z = static_cast<std::int16_t>(static_cast<std::int16_t>(r.u32le()) - dz);
        c.zero = 0;
    }
    replaceList(target, "objlist", list, count);
    return TRUE;
}

void ShowMultiTargetPreview(MultiTarget* target, int x, int y) {
    if (!target) return;
    const int z = GetGroundZ(x, y) + target->heightOffset;
    for (int i = 0; i < target->count; ++i) {
        const MultiComponent& c = target->components[i];
        CMultiTargetObj::placementZ = z + c.z;
        auto* part = new CMultiTargetObj(c.graphic, x + c.x, y + c.y);
        part->Invalidate();
    }
    target->previewX = x;
    target->previewY = y;
    target->previewZ = z;
}

void ClearMultiTargetPreview() {
    // Each preview object unlinks itself from the list when it is deleted.
    while (CMultiTargetObj* part = CObjectManager::multiPreviewList) {
        CMultiTargetObj* next = part->nextPreview;
        part->Invalidate();
        delete part;
        if (CObjectManager::multiPreviewList == part) CObjectManager::multiPreviewList = next;
    }
}

void DeleteMultiTarget(MultiTarget* target) {
    if (!target) return;
    delete[] target->components;
    target->components = nullptr;
    target->count = 0;
    target->heightOffset = 0;
    target->partHeight = 0;
}

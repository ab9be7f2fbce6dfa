// CDynamicObj: objects the server names by serial, the master list that
// holds them, and the serial index behind CObjectManager::FindObject.
#include <unordered_map>

#include "DebugHooks.h"
#include "world/GumpHooks.h"
#include "world/Mobile.h"
#include "world/MultiManager.h"
#include "world/ObjectManager.h"
#include "world/ViewHooks.h"
#include "world/WorldInternal.h"

namespace {

using MasterList = IntrusiveList<CDynamicObj, &CDynamicObj::masterNext, &CDynamicObj::masterPrev>;

// The master list answers "the first object from the head with this
// serial"; the index keeps that object per serial and how many objects
// share the serial (the server names objects uniquely, but nothing in the
// messages forces it).
struct IndexEntry {
    CDynamicObj* first;
    int count;
};
std::unordered_map<M_DWORD, IndexEntry>& Index() {
    static std::unordered_map<M_DWORD, IndexEntry> index;
    return index;
}

// The first object of the master list with this serial.
CDynamicObj* ScanFrom(CDynamicObj* from, M_DWORD serial) {
    for (CDynamicObj* o = from; o; o = o->masterNext)
        if (o->GetSerial() == serial) return o;
    return nullptr;
}

}  // namespace

namespace world_index {

// Called with the object already linked into the master list.
void Insert(CDynamicObj* object) {
    IndexEntry& entry = Index()[object->GetSerial()];
    if (entry.count == 0 || CObjectManager::masterDynamicObjectList == object)
        entry.first = object;
    else
        entry.first = ScanFrom(CObjectManager::masterDynamicObjectList, object->GetSerial());
    ++entry.count;
}

// Called while the object is still linked.
void Erase(CDynamicObj* object) {
    auto it = Index().find(object->GetSerial());
    if (it == Index().end()) return;
    if (--it->second.count <= 0) {
        Index().erase(it);
        return;
    }
    if (it->second.first == object)
        it->second.first = ScanFrom(object->masterNext, object->GetSerial());
}

CDynamicObj* Find(M_DWORD serial) {
    auto it = Index().find(serial);
    return it == Index().end() ? nullptr : it->second.first;
}

void Clear() {
    Index().clear();
}

}  // namespace world_index

CDynamicObj::CDynamicObj() {
    if (!inNewDynamicObj) LinkMaster();
}

CDynamicObj::CDynamicObj(M_DWORD serial, int graphic, int increment) : serial_(serial) {
    objectType = static_cast<M_WORD>(graphic & 0x3FFF);
    this->increment = static_cast<M_BYTE>(increment);
    LinkMaster();
}

CDynamicObj::~CDynamicObj() {
    if (!g_gumpTeardown) {
        delete[] ownedBuffer;
        ownedBuffer = nullptr;
        delete multi;
        multi = nullptr;
        ForgetReferences();
    }
    // The lists are left even while gumps tear down: an object that stayed
    // linked after its destruction would be found again by the next walk.
    if (!inVoid) CDynamicObj::ToVoid();
    UnlinkMaster();
    if (!g_gumpTeardown) DeleteTextGumps();
    containedBy = nullptr;
}

void CDynamicObj::Release() {
    delete[] ownedBuffer;
    ownedBuffer = nullptr;
    delete multi;
    multi = nullptr;
    ForgetReferences();
    if (!inVoid) ToVoid();
    UnlinkMaster();
    ReturnDynamicObj(this);
    DeleteTextGumps();
}

void CDynamicObj::ResetDynamic(M_DWORD serial) {
    containedBy = nullptr;
    masterNext = masterPrev = nullptr;
    gump = gump2 = gump3 = nullptr;
    multi = nullptr;
    statusFlags = 0;
    eqPos = 0;
    personalLight = 0;
    ownedBuffer = nullptr;
    spare = 0;
    serial_ = serial;
    linked_ = FALSE;
    LinkMaster();
}

void CDynamicObj::LinkMaster() {
    if (linked_) return;
    MasterList::PushFront(CObjectManager::masterDynamicObjectList,
                          CObjectManager::masterDynamicObjectTail, this);
    linked_ = TRUE;
    world_index::Insert(this);
}

void CDynamicObj::UnlinkMaster() {
    if (!linked_) return;
    world_index::Erase(this);
    if (!masterPrev)
        WORLD_ASSERT(CObjectManager::masterDynamicObjectList == this,
                     "virtual void CDynamicObj::Release()");
    MasterList::Remove(CObjectManager::masterDynamicObjectList,
                       CObjectManager::masterDynamicObjectTail, this);
    linked_ = FALSE;
}

void CDynamicObj::SetSerial(M_DWORD serial) {
    if (serial == serial_) return;
    if (linked_) world_index::Erase(this);
    serial_ = serial;
    if (linked_) world_index::Insert(this);
}

void CDynamicObj::ForgetReferences() {
    // A released object may be handed out again at once: nothing may go on
    // naming it.
    world::Gumps().ForgetObject(this);
    world::Screen().ForgetPointerObject(this);
}

BOOL CDynamicObj::IsEquipped() {
    if (!containedBy || !containedBy->IsMobile() || eqPos >= CMobile::LAYERS) return FALSE;
    return static_cast<CMobile*>(containedBy)->equippedItem[eqPos] == this;
}

BOOL CDynamicObj::IsMovable() {
    if (DebugMode()) return TRUE;
    if (statusFlags & 0x20) return TRUE;
    return CObjectManager::ItemTile(TileIndex()).fieldA < 91;
}

CDynamicObj* CDynamicObj::TopLevel() {
    CDynamicObj* top = this;
    while (top->containedBy) top = top->containedBy;
    return top;
}

void CDynamicObj::EditMapPins(int command, int index, int x, int y) {
    if (IsItemObj()) static_cast<CItemObj*>(this)->EditPins(command, index, x, y);
}

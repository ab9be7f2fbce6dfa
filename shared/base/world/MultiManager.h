// Multis: structures of many static parts (a house, a ship) that the server
// sends as one object carrying a multi number.  The parts come from the
// multi definition files; each becomes a static object in a component list
// that the multi object owns and that is placed relative to the object
// whenever the object is placed or moved.  A list lives as long as its
// object, or until the object's multi number changes.
#pragma once

#include "TWTypes.h"

class CObj;
class CDynamicObj;

// One part of a multi, owned by its list.
struct MultiComponentNode {
    CObj* object = nullptr;
    short xOffset = 0;
    short yOffset = 0;
    short zOffset = 0;
    MultiComponentNode* prev = nullptr;
    MultiComponentNode* next = nullptr;
};

// The components of one multi object, owned by it.
class MultiComponentList {
public:
    MultiComponentList() = default;
    // Frees the nodes, and releases the component objects unless the list
    // has a shared owner.
    ~MultiComponentList();
    MultiComponentList(const MultiComponentList&) = delete;
    MultiComponentList& operator=(const MultiComponentList&) = delete;

    // The component objects belong to someone else from now on: freeing
    // the list leaves them alone.
    void SetSharedOwner(void* owner) { sharedOwner = owner; }

    MultiComponentNode* first = nullptr;
    MultiComponentNode* last = nullptr;
    int multiNumber = -1;
    void* sharedOwner = nullptr;
    // The largest distance of a component from the multi's own cell.
    int extent = 0;
    // 1 while the components stand at the object's current position.
    int placed = 1;
};

class MultiManager {
public:
    static void startup();
    static void shutdown();
    // Frees every node (releasing the component objects unless the list has
    // a shared owner); the list is left empty, not placed, without multi.
    static void FreeComponentList(MultiComponentList* list);
};

// Gives the object its multi and places it and its components at (x, y, z).
void SetObjectMulti(CDynamicObj* object, int x, int y, int z, int multiNumber);
// Replaces the object's component list by the definition of the multi;
// FALSE (and nothing changed) when there is no usable definition.
BOOL LoadMultiComponents(int multiNumber, CDynamicObj* object);
// Puts every component in the world at (x, y, z) plus its offsets.
void PlaceMultiComponents(MultiComponentList* list, int x, int y, int z);
// The 12-byte multi records of a server message, {u16 graphic, i16 x, i16 y,
// i16 z, u32 flags} big-endian, as a new block (new[]; the caller frees it)
// of length bytes in host order; null for a negative length.
M_BYTE* ConvertMultiRecords(const M_BYTE* records, int length);

// Multis: the component lists of multi-part structures.  Only what its
// callers use so far is declared here.
#pragma once

class CObj;
class CDynamicObj;
struct MultiComponentNode;

// The components of one multi object, owned by it.
class MultiComponentList {
public:
    MultiComponentList() = default;
    // Frees the nodes (and releases the component objects unless the list
    // has a shared owner).
    ~MultiComponentList();
    MultiComponentList(const MultiComponentList&) = delete;
    MultiComponentList& operator=(const MultiComponentList&) = delete;

    MultiComponentNode* first = nullptr;
    MultiComponentNode* last = nullptr;
    int multiNumber = -1;
    // When set, the component objects belong to someone else and are not
    // released with the list.
    void* sharedOwner = nullptr;
    // The largest distance of a component from the multi's own cell.
    int extent = 0;
    int placed = 1;
};

class MultiManager {
public:
    static void startup();
    static void shutdown();
    static void FreeComponentList(MultiComponentList* list);
};

// Gives the object its multi and places its components at (x, y, z).
void SetObjectMulti(CDynamicObj* object, int x, int y, int z, int multiNumber);

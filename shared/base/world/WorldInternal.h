// Helpers shared by the sources of the world model; not for other modules.
#pragma once

#include "MemoryManager.h"
#include "TWReport.h"
#include "TWTypes.h"
#include "strings/AssertFail.h"

// The client's internal assertion: ends the program with the expression and
// the function's signature.  The preconditions it guards are the callers'
// to keep; input from the network is checked before it reaches one.
#define WORLD_ASSERT(expr, signature)                                  \
    do {                                                               \
        if (!(expr)) AssertFail(#expr, __FILE__, __LINE__, signature); \
    } while (0)

// The pointer check of an object with a guard word; logs what the caller
// gives when it fails.
template <typename T>
bool WorldPointerOk(const T* p) {
    return MemoryManager::validateRawPointer(
        p, MemoryManager::isValidPointer(p) ? p->validation : 0, __FILE__, __LINE__);
}

// Doubly linked lists whose links live in the objects: head and tail, or a
// head alone.  Next and Prev name the link members.
template <typename T, T* T::*Next, T* T::*Prev>
struct IntrusiveList {
    static void PushFront(T*& head, T*& tail, T* item) {
        item->*Prev = nullptr;
        item->*Next = head;
        if (head) head->*Prev = item;
        head = item;
        if (!tail) tail = item;
    }
    static void PushFront(T*& head, T* item) {
        item->*Prev = nullptr;
        item->*Next = head;
        if (head) head->*Prev = item;
        head = item;
    }
    static void Remove(T*& head, T*& tail, T* item) {
        if (item->*Prev)
            (item->*Prev)->*Next = item->*Next;
        else if (head == item)
            head = item->*Next;
        if (item->*Next)
            (item->*Next)->*Prev = item->*Prev;
        else if (tail == item)
            tail = item->*Prev;
        item->*Next = nullptr;
        item->*Prev = nullptr;
    }
    static void Remove(T*& head, T* item) {
        if (item->*Prev)
            (item->*Prev)->*Next = item->*Next;
        else if (head == item)
            head = item->*Next;
        if (item->*Next) (item->*Next)->*Prev = item->*Prev;
        item->*Next = nullptr;
        item->*Prev = nullptr;
    }
};

// The serial index of the object manager (DynamicObj.cpp).
class CDynamicObj;
namespace world_index {
void Insert(CDynamicObj* object);
void Erase(CDynamicObj* object);
CDynamicObj* Find(M_DWORD serial);
void Clear();
}  // namespace world_index

// Draw-list helpers: take an item out only when it is listed.
template <typename T>
void LeaveDrawList(T* item) {
    if (item->inList) item->RemoveFromDrawList();
}

// Set while a pool builds a block: the constructors then leave the new
// elements alone (the pool sets them up when it hands them out).
extern BOOL inNewStaticObj;
extern BOOL inNewDynamicObj;
extern BOOL inNewTerrain;
extern BOOL inNewTexTerr;
// The pools' free lists take back released objects (Pools.cpp).
void ReturnStaticObj(class CObj* object);
void ReturnDynamicObj(class CDynamicObj* object);
// Test support: every block freed, the counts cleared.
void ResetPools();

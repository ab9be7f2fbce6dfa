// MemoryManager: an allocator that refuses failure and the pointer checks that
// catch use of freed or foreign objects before they crash the client.
//
// Checkable objects (gumps, draw items) carry the guard word 0xfeedbeef as a
// named member set by their constructors.  A pointer check only tests the
// pointer for null and the freed fill and the object's guard word; it never
// reads through a pointer that may have been freed.
#pragma once

#include <cstddef>
#include <cstdint>

#include "TWTypes.h"

class MemoryManager {
public:
    static constexpr M_DWORD VALID_OBJECT_BIT_PATTERN = 0xfeedbeef;
    // A pointer holding the freed-memory fill counts as freed.
    static constexpr std::uintptr_t FREED_POINTER = 0xdddddddd;

    static void startup();
    static void shutdown();
    static void report();

    static void* GetMem(long size);
    static void FreeMem(void* p);

    // validationCode is the object's guard word, read by the caller.
    static bool validateRawPointer(const void* p, M_DWORD validationCode, const char* file,
                                   int line);
    static bool isValidPointer(const void* p);

    static void reset();
};

// Checks a pointer to an object that has a `validation` guard member.
#define TW_VALIDATE_OBJECT(p)                                                                      \
    MemoryManager::validateRawPointer((p), MemoryManager::isValidPointer(p) ? (p)->validation : 0, \
                                      __FILE__, __LINE__)

// The object registry that main creates.  Registration does nothing in this
// build; the calls stay where gumps and draw items make them.
class CGlobalList {
public:
    CGlobalList() = default;
    ~CGlobalList();
    CGlobalList(const CGlobalList&) = delete;
    CGlobalList& operator=(const CGlobalList&) = delete;

    void Register(const void*) {}
    void Unregister(const void*) {}

private:
    struct Node {
        Node* next;
    };
    Node* head_ = nullptr;
};

extern CGlobalList* g_globalList;

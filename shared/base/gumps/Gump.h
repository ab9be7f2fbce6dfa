// CGump: the base class of every window.  Only what its callers use so far
// is declared here: keys reach the gump with the keyboard focus, a
// key-capture field hands the captured key to its parent, and the world
// model tells the gumps that show an object what became of it.
#pragma once

#include "MemoryManager.h"
#include "TWTypes.h"

class CObj;

class CGump {
public:
    CGump() = default;
    virtual ~CGump() = default;
    CGump(const CGump&) = delete;
    CGump& operator=(const CGump&) = delete;

    // Takes a key code (navigation keys arrive as 0xE000 + code).
    virtual int HandleKey(int code) {
        (void)code;
        return 0;
    }
    // The key-capture queries a parent answers: whether it captures keys
    // and which child is its capture field.
    virtual BOOL CapturesKeys() { return FALSE; }
    virtual CGump* GetKeyCaptureField() { return nullptr; }
    // A child control was used (for a capture field: a key was captured).
    virtual void HandleButton(CGump* child) { (void)child; }

    // Links the gump at the head of the parent's children, or of the
    // top-level list when parent is null, and shows it.
    BOOL PutInGump(CGump* parent, BOOL show = TRUE);
    // Raise a gump to the top of the stack, minimise it, restore it.
    static void BringToFront(CGump* gump, int flag);
    static void Minimize(CGump* gump);
    static void Restore(CGump* gump);

    // Type queries, one per gump kind that other modules tell apart.
    virtual BOOL IsPaperdollGump() { return FALSE; }
    virtual BOOL IsContainerGump() { return FALSE; }
    virtual BOOL IsShopGump() { return FALSE; }
    virtual BOOL IsMobileStatusGump() { return FALSE; }
    virtual BOOL IsTargetGump() { return FALSE; }
    virtual BOOL IsSpellbook() { return FALSE; }
    virtual BOOL IsBulletinBoard() { return FALSE; }
    virtual BOOL IsBBMessage() { return FALSE; }
    virtual BOOL IsSignGump() { return FALSE; }
    // A gump that keeps its own sorted view of a container, and rebuilds it.
    virtual BOOL KeepsSortedView() { return FALSE; }
    virtual void RebuildSortedView() {}
    // Closed when the player dies.
    virtual BOOL CloseOnDeath() { return FALSE; }

    M_DWORD validation = MemoryManager::VALID_OBJECT_BIT_PATTERN;
    // The object the gump shows, or null.
    CObj* owner = nullptr;
    CGump* parent = nullptr;
    // Position relative to the parent (top level: the screen) and size.
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    // The next gump of its list (the top-level list or its parent's
    // children) and the head of its own children.
    CGump* next = nullptr;
    CGump* firstChild = nullptr;
    // The next gump of the chain a mobile owns.
    CGump* nextOwned = nullptr;
    // 0 blocks the gump's input while a request or a message box is pending.
    BOOL inputEnabled = TRUE;
};

// The gump with the keyboard focus, or null.
extern CGump* g_focusGump;
// The head of the top-level gump list.
extern CGump* g_gumpList;
// Set while a gump destroys its children and while the program shuts down:
// world objects then skip their own clean-up of lists and gumps.
extern BOOL g_gumpTeardown;

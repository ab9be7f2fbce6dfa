// CGump: the base class of every window.
//
// The gump framework (this folder) owns the windows, their lists and the
// managers of the mouse, the text and the speech input line.  It sits above
// the world model and the network core: it meets the world through
// world/GumpHooks.h, which it implements (WorldGumps.h), so that the world
// never names a gump's class; the modules above it (view, login, dialogs,
// communication, application) call it directly.  Most of it is not built
// yet: each part that is not declares its operations as an installed
// service here (GumpService, GumpManagerService, MouseService,
// TextManagerService, InputWindowService), with static functions of the
// names callers use; main installs the stand-ins of shared/base/pending/ at
// start-up and tests install recording doubles.
//
// Only what callers use so far is declared: keys reach the gump with the
// keyboard focus, a key-capture field hands the captured key to its parent,
// and the world model's news about objects reaches the gumps that show them
// through the virtual operations below.
#pragma once

#include "MemoryManager.h"
#include "Service.h"
#include "TWTypes.h"

class CDeathMenuGump;
class CGump;
class CObj;

// The parts of the gump base class and of the gumps that every window uses
// and that are not built yet: linking and raising, the drag gump of a held
// item and the recording of effect sequences.
class GumpService {
public:
    static constexpr const char* kServiceName = "CGump";
    virtual ~GumpService() = default;
    virtual BOOL PutInGump(CGump* gump, CGump* parent, BOOL show) = 0;
    virtual void BringToFront(CGump* gump, int flag) = 0;
    virtual void Minimize(CGump* gump) = 0;
    virtual void Restore(CGump* gump) = 0;
    // A new drag gump (CDragGump) for the item just picked up, and a new
    // death menu.
    virtual CGump* MakeDragGump() = 0;
    virtual CDeathMenuGump* MakeDeathMenuGump() = 0;
    // CSequence::AddPacket: appends a copy of a record to a sequence.
    virtual void AddPacket(class CSequence* sequence, int kind, const M_BYTE* bytes,
                           int length) = 0;
};

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
    BOOL PutInGump(CGump* newParent, BOOL show = TRUE) {
        return tw::Service<GumpService>::Get().PutInGump(this, newParent, show);
    }
    // Raise a gump to the top of the stack, minimise it, restore it.
    static void BringToFront(CGump* gump, int flag) {
        tw::Service<GumpService>::Get().BringToFront(gump, flag);
    }
    static void Minimize(CGump* gump) { tw::Service<GumpService>::Get().Minimize(gump); }
    static void Restore(CGump* gump) { tw::Service<GumpService>::Get().Restore(gump); }

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

    // What the world model's news about objects asks of the gumps that show
    // them; each kind of gump answers its own and the others do nothing.
    // A container gump shows a new object of its container, and places
    // again the objects that fall in an area an object left.
    virtual void AddToGump(CObj* object) { (void)object; }
    virtual void AddContents(const RECT& area) { (void)area; }
    // A paperdoll marks itself for rebuilding (its mobile's equipment
    // changed).
    virtual void Invalidate() {}
    // A shop gump in its second state ignores removals; otherwise it drops
    // an item of its list, then redraws.
    virtual BOOL IgnoresRemovals() { return FALSE; }
    virtual void RemoveItem(M_DWORD serial) { (void)serial; }
    virtual void RedrawFrame() {}
    // A bulletin board removes the entry of one of its messages.
    virtual void RemoveMessage(CGump* messageGump) { (void)messageGump; }
    // The radar redraws its picture.
    virtual void RenderMap() {}
    // The amount gump puts its slider in the middle and lays itself out.
    virtual void CenterAmountSlider() {}
    // The secure-trade gump's serial, which names the trade in the trade
    // messages; 0 for other gumps.
    virtual M_DWORD GetTradeSerial() { return 0; }

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
// The teardown flag, set while a gump destroys its children and while the
// program shuts down, lives with the world objects whose destructors read
// it: g_gumpTeardown of world/Obj.h.

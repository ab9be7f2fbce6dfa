// The world object classes.  Only what their callers use so far is declared
// here.
#pragma once

#include "MemoryManager.h"
#include "TWTypes.h"

// Anything placed in a cell's draw list.
class CDrawItem {
public:
    CDrawItem() = default;
    CDrawItem(const CDrawItem&) = delete;
    CDrawItem& operator=(const CDrawItem&) = delete;
    virtual ~CDrawItem();

    virtual void AddToDrawList();
    virtual void RemoveFromDrawList();
    // TRUE while the world view leaves the item undrawn.
    virtual BOOL IsCutAway();
    // Marks the item's screen rectangle dirty.
    void Invalidate();

    M_DWORD validation = MemoryManager::VALID_OBJECT_BIT_PATTERN;
};

// A static object of the map; the base of every object the server names.
class CObj : public CDrawItem {
public:
    M_WORD objectType = 0;  // the graphic, 14 bits
    // The graphic offset of the current animation frame, added to the
    // object's graphic by the world view.
    int frameOffset = 0;
    // The next object of the object manager's animated-item list.
    CObj* nextAnimated = nullptr;
};

// An object the server names by serial: items and mobiles.
class CDynamicObj : public CObj {
public:
    // The texts shown over the object: deletes every one of kind 0, or
    // deletes the oldest of kind 0 while more than two are attached.
    void ClearOverheadText();
    void ArrangeOverheadText();
};

// One component of a multi shown while the player places it.
class CMultiTargetObj : public CObj {
public:
    // Links itself at the head of the multi-preview list and goes to the
    // world at (x, y) on the placement height.
    CMultiTargetObj(int graphic, int x, int y);
    ~CMultiTargetObj() override;

    // The height the next preview object is made at.
    static int placementZ;
    CMultiTargetObj* nextPreview = nullptr;
};

// Slices of large creatures.  The art of a corpse or of a large creature
// reaches below the diamond of its own cell, over cells that are drawn
// after it; drawn only there, its lower part would be painted over by the
// land of those cells.  Filing therefore cuts the art below the owner's
// foot line into bands 44 pixels high and files one slice per band in a
// cell further down the screen; when its turn comes, a slice draws its
// owner again, clipped to its band.
//
// The owner makes its slices when it is filed and releases them when it is
// taken out; a slice never outlives its owner.
#pragma once

#include "TWTypes.h"
#include "world/Obj.h"

class CBigMobComponent : public CDrawItem {
public:
    // Files nothing: the owner's filing links it into its cell.  A null
    // owner is fatal; the slice goes to the head of the owner's list.
    CBigMobComponent(int x, int y, int bandTop, int bandBottom, CContainerObj* owner);
    ~CBigMobComponent() override;

    void Release() override;
    void Accept(DrawItemVisitor& visitor) override { visitor.Visit(*this); }
    BOOL IsTerrain() override { return FALSE; }
    BOOL IsBigMobComponent() override { return TRUE; }

    // Draws the owner clipped to the band.
    void DrawClip(const RECT& clip);
    BOOL IsHidden();

    int bandTop = 0;     // world pixels
    int bandBottom = 0;  // exclusive
    CContainerObj* owner = nullptr;
    CBigMobComponent* nextMobComp = nullptr;
    CBigMobComponent* prevMobComp = nullptr;
};

// TRUE only while a slice draws its owner: the owner's drawing then does
// not stop at its foot line.
extern BOOL sliceDrawing;

// Releases every slice of an owner (its list is empty afterwards).
void ReleaseSlices(CContainerObj* owner);

// The circle of transparency: statics above the player that overlap a
// screen-space disc are drawn fading out toward its centre.  Only what its
// callers use so far is declared here.
#pragma once

class CDrawItem;
struct CCircleTransEntry;

class CCircleTrans {
public:
    // Start-up: the circle back to its configured radius and position.
    static void Reset();
    // Empties the list of draw items marked see-through (war mode changed).
    static void ClearSeeThroughList();
    // Radius clamped to 2..256.
    void SetRadius(int radius);
    // Centre clamped into the play area.
    void SetPosition(int x, int y);
    // The see-through entry of an item, or null.
    CCircleTransEntry* FindEntry(const CDrawItem* item);
    // Drops an entry whose item is being destroyed.
    void RemoveEntry(CCircleTransEntry* entry);
};

extern CCircleTrans theCircleTrans;

// The circle of transparency: statics above the player that overlap a
// screen-space disc are drawn fading out toward its centre (at the centre
// only what lies behind them shows, at the rim they are opaque), and
// picking goes through them.  The disc is fixed on the play area; its
// radius and centre come from the configuration.  Main thread only.
#pragma once

#include "TWTypes.h"
#include "resources/SkipDraw.h"
#include "resources/SpanHandlers.h"

class CDrawItem;

// An entry of the see-through list.
struct CCircleTransEntry {
    CCircleTransEntry* next = nullptr;
    CCircleTransEntry* prev = nullptr;
    CDrawItem* item = nullptr;
};

class CCircleTrans {
public:
    static constexpr int MIN_RADIUS = 2;
    static constexpr int MAX_RADIUS = 256;
    using BlendFn = M_WORD (*)(const CCircleTrans& circle, M_WORD a, M_WORD b, int d2);

    // Start-up: the see-through list forgotten, the circle rebuilt (its
    // centre in the middle of the play area unless one was set).
    static void Reset();
    // Empties the list of draw items marked see-through (war mode changed).
    static void ClearSeeThroughList();
    // Radius clamped to 2..256.
    void SetRadius(int radius);
    // Centre clamped into the play area.
    void SetPosition(int x, int y);
    // r2, shift, blend and the bounding box from radius and centre.
    void Rebuild();
    // TRUE when the item is a static above the player whose screen
    // rectangle meets the circle's box.
    BOOL IsSeeThrough(CDrawItem* item) const;
    // The see-through entry of an item, or null.
    CCircleTransEntry* FindEntry(const CDrawItem* item);
    // Drops an entry whose item is being destroyed.
    void RemoveEntry(CCircleTransEntry* entry);

    // Each channel (b (r2 - d2) + a d2) / r2, or >> shift for a radius that
    // is a power of two.
    static M_WORD BlendDivide(const CCircleTrans& circle, M_WORD a, M_WORD b, int d2);
    static M_WORD BlendShift(const CCircleTrans& circle, M_WORD a, M_WORD b, int d2);

    RECT box{};
    int radius = 64;
    int r2 = 64 * 64;
    int shift = 12;
    int centreX = -1;  // -1: not set, the middle of the play area
    int centreY = -1;
    BlendFn blend = nullptr;  // null: BlendShift, as for the default radius
    CCircleTransEntry* list = nullptr;
};

extern CCircleTrans theCircleTrans;

// A run of pixels drawn through the circle: outside the disc as the handler
// draws it, inside blended between the old pixel and the handler's.  The
// pixel's place comes from its offset in the draw target.
void CircleSpan(const CCircleTrans& circle, SpanHandler handler, M_WORD* dst, const void* src,
                int n);
// Draws static art like SkipDrawClipped, every run through CircleSpan.
void DrawCircleClipped(SpanHandler handler, const SkipImage& art, const RECT& clip, int x, int y);

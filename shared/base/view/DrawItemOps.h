// The per-class operations of the draw items, as the view implements them
// for the world model's classes: the screen rectangle (CalcRect), the
// drawing clipped to a play-area rectangle (DrawClip) and the hiding test
// (IsHidden).  DrawManager::CalcRect, DrawClip and IsHidden pick the one of
// an item's class through its Accept.  For the view's folder only.
#pragma once

#include "TWTypes.h"
#include "resources/SkipDraw.h"
#include "view/AnimFrames.h"
#include "view/BigMobComponent.h"
#include "world/DrawItemVisitor.h"
#include "world/Mobile.h"
#include "world/Terrain.h"

// A visitor whose classes fall back to their nearest base that it handles:
// the player to the mobile; mobiles, corpses and multi parts to the object;
// land and slices to the plain draw item.  A derived visitor brings the
// overloads it does not replace into scope with "using
// DrawItemVisitorBase::Visit;".
class DrawItemVisitorBase : public DrawItemVisitor {
public:
    void Visit(CDrawItem&) override {}
    void Visit(CTerrain& cell) override { Visit(static_cast<CDrawItem&>(cell)); }
    void Visit(CTexTerr& cell) override { Visit(static_cast<CDrawItem&>(cell)); }
    void Visit(CObj& object) override { Visit(static_cast<CDrawItem&>(object)); }
    void Visit(CMultiTargetObj& part) override { Visit(static_cast<CObj&>(part)); }
    void Visit(CCorpse& corpse) override { Visit(static_cast<CObj&>(corpse)); }
    void Visit(CMobile& mobile) override { Visit(static_cast<CObj&>(mobile)); }
    void Visit(CPlayer& player) override { Visit(static_cast<CMobile&>(player)); }
    void Visit(CBigMobComponent& slice) override { Visit(static_cast<CDrawItem&>(slice)); }
};

namespace drawitem {

// Land (LandDraw.cpp).
void CalcRect(CTerrain& cell);
void DrawClip(CTerrain& cell, const RECT& clip);
BOOL IsHidden(CTerrain& cell);
void CalcRect(CTexTerr& cell);
void DrawClip(CTexTerr& cell, const RECT& clip);
BOOL IsHidden(CTexTerr& cell);

// Objects (ObjDraw.cpp).
// The art an object is drawn with (the censored art in its place where
// asked for).
SkipImage ArtOf(CObj& object);
void CalcRect(CObj& object);
void DrawClip(CObj& object, const RECT& clip);
void DrawClip(CMultiTargetObj& part, const RECT& clip);
BOOL IsHidden(CObj& object);
// The roof cut-away's pass over the objects blended instead of hidden:
// while it runs, IsHidden decides afresh whether each stands in front of
// the player; outside it, the answer of the last pass holds.
BOOL WasInFront(const CObj& object);
void BeginInFrontPass();
void EndInFrontPass();

// Mobiles, the player and corpses (MobileDraw.cpp).
void CalcRect(CMobile& mobile);
void CalcRect(CPlayer& player);
void CalcRect(CCorpse& corpse);
void DrawClip(CMobile& mobile, const RECT& clip);
void DrawClip(CCorpse& corpse, const RECT& clip);
BOOL IsHidden(CMobile& mobile);
// The rectangle of body (or sitting pose) and worn figures without the
// shadow, into *out; sets the cell shift.
void CalcBoundRect(CMobile& mobile, RECT* out);
// The anchor point of a mobile (or the player), in world pixels: where its
// feet stand, less its step offsets (plus the player's draw offsets).
void AnchorPoint(CMobile& mobile, int* x, int* y);
// The cell a mobile (or the player) is filed in, before its cell shift.
void StepCell(CMobile& mobile, int* x, int* y);
// TRUE when a pixel of the mobile's body or worn figures, or of the
// corpse, lies at the world point (wx, wy).
BOOL HitTest(CMobile& mobile, int wx, int wy);
BOOL HitTest(CCorpse& corpse, int wx, int wy);

// Shared by the standing and the sitting figures (MobileDraw.cpp).
// The standing layer order of a direction; its first entry is the mount.
const int* LayerOrder(int direction);
// The animation number of an item's tile data when it is a worn figure
// (400..999), else -1.
int WornAnimation(CObj* item);
// TRUE for an item worn on the hair layers (tile data layer 11 or 16).
bool IsHairLayerItem(CObj* item);
// A frame of an animation; FALSE when the animation or the frame is
// missing.  *count gets the animation's frame count.
bool LoadFrame(int number, int index, AnimFrame* frame, int* count = nullptr);

// A mobile (or the player) sitting on a chair (Sitting.cpp): its
// rectangle, its pose drawn clipped, and the pose's pixel at a world point
// (0: none).  For a mobile that IsSitting answers TRUE for.
void CalcRectSitting(CMobile& mobile);
void DrawClipSitting(CMobile& mobile, const RECT& clip);
M_WORD HitTestSitting(CMobile& mobile, int wx, int wy);

}  // namespace drawitem

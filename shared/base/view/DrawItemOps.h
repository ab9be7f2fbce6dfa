// The per-class operations of the draw items, as the view implements them
// for the world model's classes: the screen rectangle (CalcRect), the
// drawing clipped to a play-area rectangle (DrawClip) and the hiding test
// (IsHidden).  DrawManager::CalcRect, DrawClip and IsHidden pick the one of
// an item's class through its Accept.  For the view's folder only.
#pragma once

#include "TWTypes.h"
#include "resources/SkipDraw.h"
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
    void Visit(CMissileDrawItem& effect) override;
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

// Mobiles, the player and corpses (MobileDraw.cpp).
void CalcRect(CMobile& mobile);
void CalcRect(CPlayer& player);
void CalcRect(CCorpse& corpse);
void DrawClip(CMobile& mobile, const RECT& clip);
void DrawClip(CCorpse& corpse, const RECT& clip);
BOOL IsHidden(CMobile& mobile);
// The anchor point of a mobile (or the player), in world pixels: where its
// feet stand, less its step offsets (plus the player's draw offsets).
void AnchorPoint(CMobile& mobile, int* x, int* y);
// The cell a mobile (or the player) is filed in, before its cell shift.
void StepCell(CMobile& mobile, int* x, int* y);
// TRUE when a pixel of the mobile's body or worn figures, or of the
// corpse, lies at the world point (wx, wy).
BOOL HitTest(CMobile& mobile, int wx, int wy);
BOOL HitTest(CCorpse& corpse, int wx, int wy);

}  // namespace drawitem

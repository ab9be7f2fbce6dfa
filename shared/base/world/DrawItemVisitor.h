// The world view's way into the draw-item classes.
//
// The world model owns the class tree of everything drawn in a map cell
// (Obj.h, Mobile.h, Terrain.h); how each class is filed, measured on screen
// and drawn belongs to the world view above it.  Each class answers Accept
// with the Visit of its own kind, so that the view picks the operation of
// the class by a virtual call, not by asking for the type.  A class without
// a Visit of its own visits as its nearest base that has one.
#pragma once

class CDrawItem;
class CTerrain;
class CTexTerr;
class CObj;
class CMultiTargetObj;
class CCorpse;
class CMobile;
class CPlayer;
// The view's own draw item: one slice of a large creature's art.
class CBigMobComponent;
// The view's draw item of a graphic effect.
class CMissileDrawItem;

class DrawItemVisitor {
public:
    virtual ~DrawItemVisitor() = default;
    virtual void Visit(CDrawItem& item) = 0;
    virtual void Visit(CTerrain& cell) = 0;
    virtual void Visit(CTexTerr& cell) = 0;
    // Static and dynamic objects, items and containers.
    virtual void Visit(CObj& object) = 0;
    virtual void Visit(CMultiTargetObj& part) = 0;
    virtual void Visit(CCorpse& corpse) = 0;
    virtual void Visit(CMobile& mobile) = 0;
    virtual void Visit(CPlayer& player) = 0;
    virtual void Visit(CBigMobComponent& slice) = 0;
    virtual void Visit(CMissileDrawItem& effect) = 0;
};

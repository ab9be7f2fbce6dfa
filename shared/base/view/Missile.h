// Graphic effects: missile gumps.  An effect that flies from a source to a
// target, stays at a point, stays on a mobile or flickers over an object is
// a top-level gump of class CMissileGump that paints nothing into the gump
// layer: it steps its art once a frame (UpdateState) and deletes itself when
// it is done.  A flying or ground-bound effect is drawn inside the world, in
// depth order among items and creatures, through its CMissileDrawItem in the
// draw table; an effect on a mobile has none and is chained on the mobile
// (CMobile::attachedEffects) for the mobile's drawing.
//
// Objects are kept by serial and looked up each frame, so an effect never
// touches an object the server deleted: a flight toward a vanished object
// and an effect on a vanished mobile end at their next update.  A step of
// an effect sequence is kept by the sequence's id (gumps/Sequence.h); the
// gump's destructor tells the sequence that its step ended, and the
// sequence goes on at the next frame.
//
// The server's effect message reaches CreateEffect (through the network
// core's EffectMessages, which this module implements); while a sequence is
// recorded, CreateEffect records step records instead of launching.  Main
// thread only.
#pragma once

#include "TWTypes.h"
#include "gumps/Gump.h"
#include "resources/SkipDraw.h"
#include "world/Coords.h"
#include "world/Obj.h"

class CMissileGump;
class CMobile;

// The effect's companion in the draw table.
class CMissileDrawItem : public CDrawItem {
public:
    CMissileDrawItem(CMissileGump* owner, Coords where);
    ~CMissileDrawItem() override;

    void Release() override { delete this; }
    void Accept(DrawItemVisitor& visitor) override { visitor.Visit(*this); }
    BOOL IsMissile() override { return TRUE; }
    BOOL IsDynamic() override { return FALSE; }
    // Never taken for a roof by the roof cut-away.
    M_DWORD GetTileFlags() override { return 4; }

    void CalcRect();
    void DrawClip(const RECT& clip);
    // Moves by the world step and files the item again in its new cell.
    void Step();

    CMissileGump* owner = nullptr;
    double worldX = 0, worldY = 0, worldZ = 0;
    double stepX = 0, stepY = 0, stepZ = 0;
};

class CMissileGump : public CGump {
public:
    // Flights; fixedDirection keeps the art unrotated, arrival makes a
    // follow-on effect at the target.
    CMissileGump(int art, Coords source, Coords target, int speed, int fixedDirection, int arrival,
                 M_DWORD hue = 0, M_DWORD blend = 0);
    CMissileGump(Coords source, CObj* target, int art, int speed, int fixedDirection, int arrival,
                 M_DWORD hue = 0, M_DWORD blend = 0);
    CMissileGump(CObj* source, Coords target, int art, int speed, int fixedDirection, int arrival,
                 M_DWORD hue = 0, M_DWORD blend = 0);
    CMissileGump(CObj* source, CObj* target, int art, int speed, int fixedDirection, int arrival,
                 M_DWORD hue = 0, M_DWORD blend = 0);
    // Fixed effects at a position and on a mobile: frames change every
    // 11 - speed updates for `duration` updates (0: 256).
    CMissileGump(Coords where, int art, int speed, int duration, int reverse, int bounce,
                 M_DWORD hue = 0, M_DWORD blend = 0);
    CMissileGump(CObj* object, int art, int speed, int duration, int reverse, int bounce,
                 M_DWORD hue = 0, M_DWORD blend = 0);
    // Six frames of random gump art 20000..20009 over the object's cell.
    explicit CMissileGump(CObj* object);
    ~CMissileGump() override;

    void UpdateState() override;
    void ScrollBy(int dx, int dy) override;
    void Draw(const RECT&) override {}
    void DrawContents(const RECT&) override {}
    BOOL HitTest(int, int) override { return FALSE; }
    CGump* GetGumpAt(int, int, CGump*, int) override { return nullptr; }
    BOOL IsMissileGump() override { return TRUE; }
    BOOL IsDisposable() override { return FALSE; }

    // The sequence whose step this effect is (0: none).
    void SetSequence(M_DWORD id) { sequence = id; }

    // ---- State (public for the drawing code and the tests) ----
    Coords targetPos;
    M_DWORD targetSerial = 0;  // the object aimed at or carrying the effect
    CMissileDrawItem* drawItem = nullptr;
    int targetX = 0, targetY = 0;  // play-area pixels
    double stepX = 0, stepY = 0;
    double currentX = 0, currentY = 0;
    M_BYTE direction = 0;
    // Flights count their frames in an int: a long flight outlasts 255.
    int framesLeft = 0;
    int frameDelay = 1;
    int delayCounter = 0;
    int speedFactor = 0;
    int firstArt = 0;
    int lastArt = 0;  // or the index into the animation record
    int currentArt = 0;
    BOOL arrivalEffect = FALSE;
    BOOL rotates = FALSE;
    BOOL fixed = FALSE;
    BOOL backwards = FALSE;
    BOOL bounce = FALSE;
    BOOL animated = FALSE;
    BOOL flicker = FALSE;
    // The next effect on the same mobile.
    CGump* nextEffect = nullptr;
    M_DWORD sequence = 0;
    M_DWORD hue = 0;
    M_DWORD blendMode = 0;
    // Its art was found missing while it rode a mobile (said once).
    BOOL missingArtNoted = FALSE;

private:
    void Init();
    void SetUpArt(int art, bool keepFirstArt);
    void AimFlight(double fromX, double fromY, Coords fromWorld, int speed, int fixedDirection,
                   int arrival);
    void AimAtPosition(Coords from, Coords to, int speed);
    void AimAtObject(Coords from, CObj* to, int speed);
    void SetUpFixed(int art, int speed, int duration, int reverse, int bounce);
    void StepFrame();
    void Arrive();
    CObj* TargetObject() const;
    void AttachTo(CObj* object);
    void Detach();
};

// The screen point (play-area pixels) of a world position: the bottom centre
// of a cell's diamond at its height; and of an object, the middle of its
// screen rectangle.
void ScreenPointOf(Coords where, int* x, int* y);
void ScreenPointOf(CObj* object, int* x, int* y);

// Static art turned by the direction about its centre, which lands on the
// middle of the placement rectangle (a mobile's attached effects), hued and
// blended as asked; nothing when the art is missing.
void DrawRotatedStaticArt(int art, int direction, const RECT& placement, const RECT& clip,
                          M_DWORD hue, M_DWORD blend);

// The effects a mobile carries, over the middle of its rectangle: grows the
// rectangle (and the mobile's effect margins) until each effect's turned art
// fits, and draws them in chain order.  An effect whose art is missing is
// left out, with one log line.
void GrowForAttachedEffects(CMobile& mobile, RECT* rect);
void DrawAttachedEffects(CMobile& mobile, const RECT& clip);

// The effect parameters of the server's message: type, objects (mobiles or
// null), art, positions and p1..p6.
struct EffectRequest {
    int type = 0;
    CObj* source = nullptr;
    CObj* target = nullptr;
    int art = 0;
    Coords sourcePos;
    Coords targetPos;
    M_BYTE p[6] = {};
};
// Launches the effect (or records it while a sequence is recorded).
void CreateEffect(const EffectRequest& request);
// The same with a hue and a blend mode (recorded as the extended kinds).
void CreateExtendedEffect(const EffectRequest& request, M_DWORD hue, M_DWORD blend);

// One moving missile gump linked at the top level.
CMissileGump* LaunchMissilePosToPos(int art, Coords source, Coords target, int speed,
                                    int fixedDirection, int arrival);
CMissileGump* LaunchMissilePosToObj(int art, Coords source, CObj* target, int speed,
                                    int fixedDirection, int arrival);
CMissileGump* LaunchMissileObjToPos(int art, CObj* source, Coords target, int speed,
                                    int fixedDirection, int arrival);
CMissileGump* LaunchMissileObjToObj(int art, CObj* source, CObj* target, int speed,
                                    int fixedDirection, int arrival);

// Plays one recorded effect step (sequence record kinds 0-6 and 9-15):
// the missile gump made and linked, or null when the step's object is gone
// or the record is malformed.
CMissileGump* PlayEffectRecord(int kind, const M_BYTE* bytes, int length);

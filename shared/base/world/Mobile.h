// Mobiles (creatures and characters) and the player.  The server sends a
// mobile's steps one by one; the client queues up to four and plays each as
// a slide across one cell at a speed that depends on the body and on
// running.  CObjectManager::UpdateMovement (Movement.cpp) advances every
// mobile once per frame.
//
// Other objects refer to a mobile by serial wherever the server can delete
// it (the held-item record, the linked pairs, following, the fight target);
// the few pointers kept elsewhere are cleared by ~CMobile.
#pragma once

#include "TWTypes.h"
#include "world/Obj.h"

// One queued step, as the server sent it.
struct MobileStep {
    short x;
    short y;
    short z;
    M_WORD graphic;
    M_BYTE direction;  // bit 7: running
    M_BYTE flags;
};

class CMobile : public CContainerObj {
public:
    static constexpr int LAYERS = 30;
    static constexpr int MAX_STEPS = 4;
    static constexpr int MOUNT_LAYER = 25;

    CMobile(M_DWORD serial, int graphic, int increment);
    ~CMobile() override;

    // The world view's forms: filing a mobile also plays its footstep
    // sound; taking out a mobile that is not listed does nothing.
    void AddToDrawList() override;
    void RemoveFromDrawList() override;
    void Accept(DrawItemVisitor& visitor) override { visitor.Visit(*this); }

    BOOL IsMobile() override { return TRUE; }
    CMobile* AsWearer() override { return this; }
    void GetRangeCell(int* x, int* y, int* widening) override;
    M_DWORD GetTileFlags() override { return 0; }
    BOOL IsMovable() override { return FALSE; }
    int GetHeight() override { return 15; }
    int GetLightId() override { return 1; }
    SkipImage GetArt() override;

    // The current frame of an action animation, else -1.
    virtual int GetAnimFrame();
    // The z the mobile is drawn at during a step (walking code), also kept
    // in drawZ; the player also moves the view with it.
    virtual int CalcDrawZ();
    virtual BOOL IsBody402Or403();
    virtual void PlayFootstepSound();
    virtual void SetStateValue(int value);
    virtual BOOL StateQuery41();
    virtual BOOL StateQuery42();

    // The state value modulo 100.
    int GetStateValue();
    // Frames per cell of the current step.
    int MovesPerTile();
    // Starts an action animation (or records it while a sequence is built).
    void SetAnimation(int action, int frames, int repeat, int fourth, int backward, int delay);
    // Ends a pending animation start for the walk code; the answer of the
    // world view's animation table.
    int UpdateAnimation();
    // Marks the light areas of the equipped light sources dirty (world view).
    void InvalidateEquipmentLights();

    // Queues a step unless it repeats the last queued one (or, with nothing
    // queued, where the mobile already stands); FALSE when the queue is full.
    BOOL QueueStep(const MobileStep& step);
    // Applies the status flags of a server message (bit 6 state, gumps of a
    // mobile that turns hidden).
    void ApplyStatusFlags(int statusFlags);
    // The last queued position, or the position when nothing is queued.
    void GetTargetCell(int* x, int* y, int* zOut);
    // Idle animation, when the dice allow.
    void MaybeIdleAnimation();
    // The slide offset for the frames left of the current step.
    void UpdateSlideOffset();

    CMobile* mobileNext = nullptr;
    CMobile* mobilePrev = nullptr;
    CObj* equippedItem[LAYERS] = {};
    int stepFramesLeft = 0;
    int frameCounter = 0;
    BOOL running = FALSE;
    BOOL resting = FALSE;
    M_DWORD lastActivity = 0;
    int bit6State = 0;
    MobileStep steps[MAX_STEPS] = {};
    short prevX = 0;
    short prevY = 0;
    short prevZ = 0;
    int queueCount = 0;
    int slideX = 0;
    int slideY = 0;
    int drawZ = 0;
    short creationZ = 0;
    int dropFlag = 0;
    int dropHeight = 0;
    // Action animation.
    BOOL animActive = FALSE;
    M_WORD animFrame = 0;
    M_WORD animFrameCount = 0;
    M_WORD animAction = 0;
    M_WORD animTimer = 0;
    M_WORD animRepeat = 0;
    M_WORD animBackward = 0;
    M_WORD animDelay = 0;
    M_WORD animRepeatFlag = 0;
    int animActionOffset = 0;
    // Gumps the mobile owns (linked through CGump::nextOwned).
    CGump* ownedGumps = nullptr;
    int animTableIndex = -1;
    CGump* tradeGump = nullptr;
    int stateValue = 0;
    // The effect sequence whose step this mobile's animation is (0: none);
    // ending the animation, or deleting the mobile, ends the step.
    M_DWORD sequenceId = 0;
    // The head of the chain of effects shown on the mobile (missile gumps,
    // chained through their own link; opaque here).
    CGump* attachedEffects = nullptr;
    // How far the rectangle grew on each side to hold those effects.
    int effectMarginX = 0;
    int effectMarginY = 0;
};

class CPlayer : public CMobile {
public:
    static constexpr int WALK_KEYS = 10;

    CPlayer(M_DWORD serial, int graphic, int increment);
    // The player file's object: the serial alone, body 0 until the server
    // places the player.
    explicit CPlayer(M_DWORD serial) : CPlayer(serial, 0, 0) {}
    ~CPlayer() override;

    BOOL IsPlayer() override { return TRUE; }
    void Accept(DrawItemVisitor& visitor) override { visitor.Visit(*this); }
    void SetStateValue(int value) override;
    BOOL StateQuery41() override { return TRUE; }
    BOOL StateQuery42() override { return TRUE; }

    // Turns towards the fight target when the walk code is idle.
    void FaceFightTarget();

    // The walk keys the server hands out, one for each walk request: the
    // first filled slot is taken (0 when none); a key for slot 0..9 replaces
    // it; an added key goes to the first empty slot and is dropped when all
    // ten are full.
    M_DWORD TakeWalkKey();
    void SetWalkKey(M_DWORD value, int slot);
    void AddWalkKey(M_DWORD value);

    BOOL GetWarMode() const { return warMode; }
    void SetWarModeFlag(BOOL on) { warMode = on ? TRUE : FALSE; }
    BOOL IsInDrawList() const { return inList; }
    // Clears the state word that a logout and a login confirmation reset.
    void ClearResetState() { resetState = 0; }
    // The player follows a mobile (the follow flag); StopFollowing clears it.
    BOOL IsFollowing() const { return following; }
    void StopFollowing() { following = FALSE; }

    BOOL warMode = FALSE;
    M_DWORD resetState = 0;
    M_DWORD fightTargetSerial = 0;  // 0: none
    BOOL following = FALSE;
    M_DWORD followedSerial = 0;
    // Words that a logout sets to all ones.
    M_DWORD resetWords[3] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    M_DWORD walkKeys[WALK_KEYS] = {};
    // The three vital pairs the status messages carry; with the third one
    // full the player walks through other mobiles.
    M_WORD vitalCurrent[3] = {};
    M_WORD vitalMaximum[3] = {};
    BOOL dead = FALSE;
};

// The direction 0..7 from one cell towards another (7 for the same cell).
int DirectionTowards(int fromX, int fromY, int toX, int toY);

// 1 when the item worn on `layer` is hidden by another layer's item: layers
// 3 and 4 under anything on layer 24, layer 11 under item 8270 on layer 22,
// layers 13 and 19 under anything on layer 22; else 0 (every layer outside
// 3..19 included).  `layers` is a wearer's table of CMobile::LAYERS slots.
// Figures in the world and on the paperdoll both leave covered layers out.
int IsLayerCovered(int layer, CObj* const* layers);

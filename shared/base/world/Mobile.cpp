// CMobile and CPlayer: construction and destruction, their queries, the
// step queue, status flags and action animations.
#include "world/Mobile.h"

#include <cstring>

#include "ByteWriter.h"
#include "Clock.h"
#include "resources/GraphicManager.h"
#include "world/GumpHooks.h"
#include "world/ObjectManager.h"
#include "world/ViewHooks.h"
#include "world/WorldInternal.h"
#include "world/WorldRequests.h"

namespace {

using MobileList = IntrusiveList<CMobile, &CMobile::mobileNext, &CMobile::mobilePrev>;

// Deletes every gump of the chain a mobile owns.
void DeleteOwnedGumps(CMobile* mobile) {
    world::Gumps().DeleteOwnedGumps(&mobile->ownedGumps);
}

// Records an animation into the sequence being built: the mobile (by
// serial, which fits the record on any machine) and six 16-bit values.
void RecordAnimation(CMobile* mobile, int action, int frames, int repeat, int fourth, int backward,
                     int delay) {
    std::vector<M_BYTE> bytes;
    ByteWriter w(bytes);
    w.u32le(mobile->GetSerial());
    for (int v : {action, frames, repeat, fourth, backward, delay}) w.u16le(static_cast<M_WORD>(v));
    world::Gumps().RecordAnimation(bytes.data(), static_cast<int>(bytes.size()));
}

}  // namespace

CMobile::CMobile(M_DWORD serial, int graphic, int increment)
    : CContainerObj(serial, graphic, increment, TRUE) {
    MobileList::PushFront(CObjectManager::masterMobileList, this);
    ++CObjectManager::mobileCount;
    lastActivity = g_frameTime;
    animTableIndex = -1;
}

CMobile::~CMobile() {
    CObjectManager::RemoveLink(0, GetSerial(), TRUE);
    if (inList) CMobile::RemoveFromDrawList();
    // The animation table must never keep a deleted mobile, teardown or
    // not; and ending the animation here must not release the mobile a
    // second time, as a death fall's end would.
    if (animActive || animTableIndex >= 0) {
        animAction = 0;
        world::Draw().StopMobileAnimation(this);
    }
    if (!g_gumpTeardown) {
        DeleteOwnedGumps(this);
        world::Gumps().CloseStatusGumps(this);
        if (tradeGump) {
            SendSecureTrade(1, world::Gumps().GetTradeSerial(tradeGump));
            world::Gumps().DeleteGump(tradeGump);
            tradeGump = nullptr;
        }
    }
    // A dying mobile carries the link bit in its serial; it is still the
    // one followed.
    if (CPlayer* player = pPlayerObject;
        player && player != this && player->following &&
        (player->followedSerial & 0x7FFFFFFF) == (GetSerial() & 0x7FFFFFFF))
        player->following = FALSE;
    if (!inVoid) CDynamicObj::ToVoid();
    for (CObj*& worn : equippedItem) {
        if (CObj* item = worn) {
            item->Release();
            worn = nullptr;
        }
    }
    if (!mobilePrev)
        WORLD_ASSERT(CObjectManager::masterMobileList == this, "virtual CMobile::~CMobile()");
    MobileList::Remove(CObjectManager::masterMobileList, this);
    world::Screen().ForgetPointerObject(this);
    CircleOfTransparency& circle = tw::Service<CircleOfTransparency>::Get();
    if (CCircleTransEntry* entry = circle.FindEntry(this)) circle.RemoveEntry(entry);
    --CObjectManager::mobileCount;
}

SkipImage CMobile::GetArt() {
    static const int figures[][2] = {{5, 24861},   {6, 24858},   {200, 24863}, {201, 24859},
                                     {204, 24868}, {205, 24869}, {211, 24856}, {212, 24862},
                                     {214, 24857}, {217, 24860}, {225, 24866}, {226, 24864},
                                     {228, 24865}, {238, 24867}, {291, 24870}, {292, 24871}};
    for (const auto& f : figures)
        if (f[0] == objectType) return GetArtData(f[1]);
    return SkipImage();
}

int CMobile::GetAnimFrame() {
    return animActive ? animFrame : -1;
}

BOOL CMobile::IsBody402Or403() {
    return objectType == 402 || objectType == 403;
}

void CMobile::SetStateValue(int value) {
    stateValue = value;
    Invalidate();
}

BOOL CMobile::StateQuery41() {
    return stateValue % 100 != 1;
}

BOOL CMobile::StateQuery42() {
    const int v = stateValue % 100;
    return v < 4 || v > 6;
}

int CMobile::GetStateValue() {
    if (stateValue > 99) world::Screen().ClearCriminalWarning();
    return stateValue % 100;
}

int CMobile::MovesPerTile() {
    // Bodies come from the server; one outside the speed table moves at the
    // table's default speeds.
    const M_BYTE* speeds = GraphicManager::GetAnimInfo(objectType);
    const int walk = static_cast<signed char>(speeds[0]);
    const int run = static_cast<signed char>(speeds[1]);
    if (dropFlag) return walk + (dropHeight / 11) * 2;
    return running ? run : walk;
}

void CMobile::SetAnimation(int action, int frames, int repeat, int fourth, int backward,
                           int delay) {
    if (world::Gumps().IsRecordingSequence()) {
        RecordAnimation(this, action, frames, repeat, fourth, backward, delay);
        return;
    }
    lastActivity = g_frameTime;
    const BOOL listed = inList;
    if (listed) RemoveFromDrawList();
    animActive = TRUE;
    animAction = static_cast<M_WORD>(action);
    animFrameCount = static_cast<M_WORD>(frames);
    animRepeat = static_cast<M_WORD>(repeat);
    animBackward = static_cast<M_WORD>(backward);
    animDelay = static_cast<M_WORD>(delay);
    // Back and forth is the animation message's alone to ask for.
    animRepeatFlag = 0;
    if (backward) {
        animFrame = static_cast<M_WORD>(frames - 1);
        animActionOffset = fourth - 1;
    } else {
        animFrame = 0;
        animActionOffset = 0;
    }
    animTimer = 0;
    world::Draw().StartMobileAnimation(this);
    if (listed) AddToDrawList();
}

int CMobile::UpdateAnimation() {
    if (!animActive) return 0;
    animActive = FALSE;
    return world::Draw().StopMobileAnimation(this);
}

// The world view's forms for mobiles.
void CMobile::AddToDrawList() {
    world::Draw().AddMobileToDrawList(this);
}
void CMobile::RemoveFromDrawList() {
    world::Draw().RemoveMobileFromDrawList(this);
}
void CMobile::InvalidateEquipmentLights() {
    world::Light().InvalidateEquipmentLights(this);
}

BOOL CMobile::QueueStep(const MobileStep& step) {
    if (queueCount >= MAX_STEPS) return FALSE;
    if (queueCount > 0) {
        const MobileStep& last = steps[queueCount - 1];
        if (last.x == step.x && last.y == step.y && last.z == step.z &&
            last.direction == step.direction && last.graphic == step.graphic &&
            last.flags == step.flags)
            return TRUE;
    } else if (locX == step.x && locY == step.y && z == step.z &&
               direction == (step.direction & 127) &&
               running == ((step.direction & 0x80) ? TRUE : FALSE) &&
               objectType == (step.graphic & 0x3FFF) && statusFlags == step.flags) {
        return TRUE;
    }
    steps[queueCount++] = step;
    return TRUE;
}

void CMobile::ApplyStatusFlags(int newFlags) {
    if ((newFlags & 0x80) && !(statusFlags & 0x80) && this != pPlayerObject) DeleteOwnedGumps(this);
    bit6State = (newFlags & 0x40) && !IsBody402Or403() ? 1 : 0;
    statusFlags = static_cast<M_BYTE>(newFlags);
}

void CMobile::GetTargetCell(int* x, int* y, int* zOut) {
    const MobileStep* last = queueCount > 0 ? &steps[queueCount - 1] : nullptr;
    if (x) *x = last ? last->x : locX;
    if (y) *y = last ? last->y : locY;
    if (zOut) *zOut = last ? last->z : z;
}

CPlayer::CPlayer(M_DWORD serial, int graphic, int increment)
    : CMobile(serial, graphic, increment) {}

CPlayer::~CPlayer() {
    if (pPlayerObject == this) pPlayerObject = nullptr;
}

void CPlayer::SetStateValue(int value) {
    stateValue = value;
    for (CMobile* m = CObjectManager::masterMobileList; m; m = m->mobileNext) m->Invalidate();
}

int IsLayerCovered(int layer, CObj* const* layers) {
    if (!layers || layer < 3 || layer > 19) return 0;
    constexpr int kCoversHair = 8270;
    switch (layer) {
        case 3:
        case 4:
            return layers[24] != nullptr;
        case 11:
            return layers[22] != nullptr && layers[22]->objectType == kCoversHair;
        case 13:
        case 19:
            return layers[22] != nullptr;
        default:
            return 0;
    }
}

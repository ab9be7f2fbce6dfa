// CObj: the static object of the map and the base of every object; its
// queries by tile data, its art, and the multi-preview parts.
#include "world/Obj.h"

#include "world/ObjectManager.h"
#include "world/WorldInternal.h"

BOOL g_objectDeletingTexts = FALSE;
BOOL g_gumpTeardown = FALSE;

CObj::CObj() = default;

CObj::~CObj() {
    if (!g_gumpTeardown) {
        if (!inVoid) CObj::ToVoid();
        DeleteTextGumps();
        if (flags & 1) LeaveMultiCompList();
    }
}

void CObj::ResetObj() {
    worldNext = worldPrev = nullptr;
    lightNext = lightPrev = nullptr;
    nextAnimated = prevAnimated = nullptr;
    roofNext = roofPrev = nullptr;
    multiNext = multiPrev = nullptr;
    textGumps = nullptr;
    inVoid = 1;
    inLightList = 0;
    direction = 0;
    frameOffset = 0;
    flags = 0;
    locX = -1;
    locY = -1;
    z = 0;
    objectType = 0;
    increment = 0;
    amount = 0;
    hue = 0;
}

void CObj::DeleteTextGumps() {
    // Each text is unlinked before it goes, so the loop ends whatever the
    // gump's own destructor does with the list.
    const BOOL saved = g_objectDeletingTexts;
    g_objectDeletingTexts = TRUE;
    while (ObjectText* text = textGumps) {
        textGumps = text->nextText;
        text->nextText = nullptr;
        delete text;
    }
    g_objectDeletingTexts = saved;
}

void CObj::LeaveMultiCompList() {
    IntrusiveList<CObj, &CObj::multiNext, &CObj::multiPrev>::Remove(
        CObjectManager::multiCompList, CObjectManager::multiCompTail, this);
    flags &= static_cast<M_BYTE>(~1);
}

M_DWORD CObj::GetTileFlags() {
    return CObjectManager::ItemTile(TileIndex()).flags;
}

int CObj::GetHeight() {
    return CObjectManager::ItemTile(TileIndex()).height;
}

int CObj::GetLightId() {
    return CObjectManager::ItemTile(TileIndex()).light;
}

BOOL CObj::IsAmountArt() {
    return IsAmountArtGraphic(objectType);
}

BOOL CObj::IsDrawnDoubled() {
    return (GetTileFlags() & TILE_STACKABLE) && !IsAmountArt() && amount > 1;
}

int CObj::GetArtId() {
    if (objectType > 16384) return -1;
    int id = 16384 + objectType;
    if (IsAmountArt()) {
        if (amount > 5)
            id += 2;
        else if (amount >= 2)
            id += 1;
    } else {
        id += increment;
    }
    return id;
}

SkipImage CObj::GetArt() {
    const int id = GetArtId();
    return id < 0 ? SkipImage() : GetArtData(id);
}

const char* CObj::GetDisplayName() {
    const BOOL plural = (GetTileFlags() & TILE_STACKABLE) && amount > 1;
    return CObjectManager::GetTileName(TileIndex(), plural);
}

int CMultiTargetObj::placementZ = 0;

CMultiTargetObj::CMultiTargetObj(int graphic, int x, int y) {
    objectType = static_cast<M_WORD>(graphic & 0x3FFF);
    increment = 0;
    IntrusiveList<CMultiTargetObj, &CMultiTargetObj::nextPreview,
                  &CMultiTargetObj::prevPreview>::PushFront(CObjectManager::multiPreviewList, this);
    ToWorld(Coords(static_cast<short>(x), static_cast<short>(y), static_cast<short>(placementZ)));
}

CMultiTargetObj::~CMultiTargetObj() {
    if (!inVoid) CObj::ToVoid();
    IntrusiveList<CMultiTargetObj, &CMultiTargetObj::nextPreview,
                  &CMultiTargetObj::prevPreview>::Remove(CObjectManager::multiPreviewList, this);
}

void CObj::Release() {
    if (!inVoid) ToVoid();
    ReturnStaticObj(this);
    DeleteTextGumps();
    if (flags & 1) LeaveMultiCompList();
}

#include "view/BigMobComponent.h"

#include <algorithm>
#include <cstdint>

#include "TWReport.h"
#include "strings/AssertFail.h"
#include "view/DrawManager.h"
#include "view/WorldView.h"

BOOL sliceDrawing = FALSE;

namespace {

bool IsFreedFill(const void* p) {
    return reinterpret_cast<std::uintptr_t>(p) == MemoryManager::FREED_POINTER;
}

}  // namespace

CBigMobComponent::CBigMobComponent(int x, int y, int top, int bottom, CContainerObj* myOwner) {
    if (!myOwner) TWReport::fatal("CBigMobComponent::CBigMobComponent: myOwner == NULL\n");
    if (myOwner->IsBigMobComponent())
        AssertFail("!owner->IsBigMobComponent()", __FILE__, __LINE__,
                   "CBigMobComponent::CBigMobComponent(int, int, int, int, class CContainerObj *)");
    owner = myOwner;
    locX = static_cast<short>(x);
    locY = static_cast<short>(y);
    z = owner->z;
    bandTop = top;
    bandBottom = bottom;
    rect = RECT{owner->rect.left, top, owner->rect.right, bottom};
    screenColumn = owner->screenColumn;
    screenRow = x + y;
    drawKey = owner->drawKey;
    auto* head = static_cast<CBigMobComponent*>(owner->bigMobComponents);
    nextMobComp = head;
    prevMobComp = nullptr;
    if (head) head->prevMobComp = this;
    owner->bigMobComponents = this;
}

CBigMobComponent::~CBigMobComponent() {
    if (inList) DrawManager::RemoveFromDrawList(this);
    // A link holding the freed fill is left alone: a stale list must not
    // crash the client.
    if (IsFreedFill(nextMobComp)) {
        TWReport::warning(
            "CBigMobComponent::~CBigMobComponent: nextMobComp == "
            "reinterpret_cast<CBigMobComponent*>(0xdddddddd) ... code would have crashed. "
            "continuing...\n");
    } else if (nextMobComp) {
        nextMobComp->prevMobComp = prevMobComp;
    }
    if (IsFreedFill(prevMobComp)) {
        TWReport::warning(
            "CBigMobComponent::~CBigMobComponent: prevMobComp == "
            "reinterpret_cast<CBigMobComponent*>(0xdddddddd) ... code would have crashed. "
            "continuing...\n");
    } else if (prevMobComp) {
        prevMobComp->nextMobComp = IsFreedFill(nextMobComp) ? nullptr : nextMobComp;
    } else if (IsFreedFill(owner)) {
        TWReport::warning(
            "CBigMobComponent::~CBigMobComponent: owner == "
            "reinterpret_cast<CContainerObj*>(0xdddddddd) ... code would have crashed. "
            "continuing...\n");
    } else if (owner && owner->bigMobComponents == this) {
        owner->bigMobComponents = IsFreedFill(nextMobComp) ? nullptr : nextMobComp;
    }
    nextMobComp = prevMobComp = nullptr;
    owner = nullptr;
    next = prev = nullptr;
    inList = FALSE;
}

void CBigMobComponent::Release() {
    if (IsFreedFill(owner)) {
        TWReport::warning(
            "CBigMobComponent::Release: owner == reinterpret_cast<CContainerObj*>(0xdddddddd) "
            "... code would have crashed. continuing...\n");
        return;
    }
    delete this;
}

void CBigMobComponent::DrawClip(const RECT& clip) {
    RECT band = clip;
    band.top = std::max(clip.top, bandTop - g_viewOffsetY);
    band.bottom = std::min(clip.bottom, bandBottom - g_viewOffsetY);
    if (band.bottom <= band.top || !owner) return;
    sliceDrawing = TRUE;
    DrawManager::DrawClip(owner, band);
    sliceDrawing = FALSE;
}

BOOL CBigMobComponent::IsHidden() {
    if (!inList) return TRUE;
    return !owner || DrawManager::IsHidden(owner);
}

void ReleaseSlices(CContainerObj* owner) {
    // Each release unlinks the slice from the owner's list.
    while (auto* slice = static_cast<CBigMobComponent*>(owner->bigMobComponents)) {
        if (IsFreedFill(slice)) break;
        slice->Release();
        if (owner->bigMobComponents == slice) {
            // A slice that would not go (a stale owner word) must not hold
            // the loop.
            owner->bigMobComponents = slice->nextMobComp;
        }
    }
    owner->bigMobComponents = nullptr;
}

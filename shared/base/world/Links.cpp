// Linked pairs: a dying mobile and its corpse.  While a pair exists the
// corpse is not drawn and the mobile (its serial marked with bit 31) plays
// its death animation; when that ends, the pair goes and so does the mobile.
#include "world/Mobile.h"
#include "world/ObjectManager.h"
#include "world/WorldInternal.h"

namespace {
constexpr M_DWORD kDyingBit = 0x80000000;
}

void CObjectManager::AddLink(CMobile* mobile, M_DWORD corpseSerial, int flag) {
    if (!mobile) return;
    mobile->SetSerial(mobile->GetSerial() | kDyingBit);
    if (corpseSerial != 0) {
        bool known = false;
        for (const LinkedPair& pair : linkedPairs)
            if (pair.first == corpseSerial) known = true;
        if (!known)
            linkedPairs.push_back({corpseSerial, mobile->GetSerial(), mobile->direction, flag});
    }
    const int body = mobile->objectType;
    int action = 0;
    int frames = 5;
    if (body < 150) {
        action = flag ? 130 : 131;
    } else if (body < 200) {
        action = 136;
        frames = 15;
    } else if (body < 400) {
        action = flag ? 136 : 140;
    } else {
        action = flag ? 149 : 150;
    }
    mobile->SetAnimation(action, frames, 0, 1, 0, 0);
}

BOOL CObjectManager::IsLinked(M_DWORD first, M_DWORD second) {
    for (const LinkedPair& pair : linkedPairs)
        if (pair.first == first || pair.second == second) return TRUE;
    return FALSE;
}

CDynamicObj* CObjectManager::GetLinkedObject(M_DWORD mobileSerial) {
    for (const LinkedPair& pair : linkedPairs)
        if (pair.second == mobileSerial) return FindObject(pair.first);
    return nullptr;
}

void CObjectManager::RemoveLink(M_DWORD first, M_DWORD second, BOOL keep) {
    M_DWORD victim = second;
    for (size_t i = 0; i < linkedPairs.size();) {
        const LinkedPair pair = linkedPairs[i];
        if (pair.first != first && pair.second != second) {
            ++i;
            continue;
        }
        linkedPairs.erase(linkedPairs.begin() + static_cast<long>(i));
        victim = pair.second;
        if (CDynamicObj* corpse = FindObject(pair.first)) {
            const BOOL listed = corpse->inList;
            if (listed) corpse->RemoveFromDrawList();
            corpse->direction =
                static_cast<M_BYTE>((pair.direction & 7) | (pair.flag == 0 ? 0x80 : 0));
            if (listed) corpse->AddToDrawList();
        }
    }
    if (keep) return;
    CDynamicObj* mobile = FindObject(victim);
    if (!mobile) return;
    // The player's object outlives its death animation; it takes back its
    // own serial, or the server's messages for it would find nothing.
    if (mobile == pPlayerObject)
        mobile->SetSerial(mobile->GetSerial() & ~kDyingBit);
    else
        mobile->Release();
}

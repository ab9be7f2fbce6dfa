// The gump framework's answers to the world model's news about objects, and
// the framework's lists and slots.
#include "gumps/WorldGumps.h"

#include "MemoryManager.h"
#include "TWReport.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"
#include "gumps/InputWindow.h"
#include "gumps/MouseManager.h"
#include "gumps/Sequence.h"
#include "gumps/TextManager.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"

BOOL g_sequencing = FALSE;
CSequence* g_currentSequence = nullptr;
CInputWindow* g_inputWindow = nullptr;

namespace {

// The amount gump's id for CGumpManager::OpenGump.
constexpr int kAmountGumpId = 49;

// A gump pointer is checked for the freed-memory fill and its guard word
// before use (the check logs what failed).
bool GumpOk(CGump* gump) {
    const M_DWORD guard = MemoryManager::isValidPointer(gump) ? gump->validation : 0;
    return MemoryManager::validateRawPointer(gump, guard, __FILE__, __LINE__);
}

// Calls visit for every top-level gump and every gump one level inside one.
template <typename Visit>
void ForTopTwoLevels(Visit visit) {
    for (CGump* g = g_gumpList; g; g = g->next) {
        visit(g);
        for (CGump* child = g->firstChild; child; child = child->next) visit(child);
    }
}

}  // namespace

void WorldGumps::DeleteGump(CGump* gump) {
    delete gump;
}

void WorldGumps::CloseContainerGump(CGump* gump) {
    if (!gump || !GumpOk(gump)) return;
    if (CGump* parent = gump->parent) {
        for (CGump** link = &parent->firstChild; *link; link = &(*link)->next)
            if (*link == gump) {
                *link = gump->next;
                break;
            }
    }
    delete gump;
}

void WorldGumps::DeleteOwnedGumps(CGump** chain) {
    while (CGump* g = *chain) {
        *chain = g->nextOwned;
        g->nextOwned = nullptr;
        delete g;
    }
}

void WorldGumps::CloseStatusGumps(CMobile* mobile) {
    // Deleting a gump may take others with it: walk again from the head.
    for (CGump* g = g_gumpList; g;) {
        if (g->IsStatusGump() && g->owner == mobile) {
            delete g;
            g = g_gumpList;
        } else {
            g = g->next;
        }
    }
}

void WorldGumps::CloseObjectGump(CGump* gump) {
    if (gump->IsBBMsgGump() && gump->parent && gump->parent->IsBBGump())
        gump->parent->RemoveMessage(gump);
    else
        delete gump;
}

void WorldGumps::ForgetObject(CDynamicObj* object) {
    if (object->gump && object->gump->owner == object) object->gump->owner = nullptr;
    if (object->gump2 && object->gump2->owner == object) object->gump2->owner = nullptr;
    ForTopTwoLevels([object](CGump* g) {
        if (g->owner == object) g->owner = nullptr;
    });
}

BOOL WorldGumps::RebuildSortedView(CGump* containerGump) {
    if (!containerGump->KeepsSortedView()) return FALSE;
    containerGump->RebuildSortedView();
    return TRUE;
}

void WorldGumps::AddToGump(CGump* containerGump, CObj* object) {
    containerGump->AddToGump(object);
}

BOOL WorldGumps::IsBulletinBoard(CGump* gump) {
    return gump->IsBBGump();
}

void WorldGumps::AddContents(CContainerObj* holder, const RECT& area) {
    ForTopTwoLevels([holder, &area](CGump* g) {
        if (g->owner == holder) g->AddContents(area);
    });
}

void WorldGumps::RemoveFromShopGumps(CMobile* vendor, M_DWORD serial, BOOL firstOnly) {
    for (CGump* g = g_gumpList; g; g = g->next) {
        if (!g->IsShopGump() || g->owner != vendor || g->IgnoresRemovals()) continue;
        g->RemoveItem(serial);
        g->RedrawFrame();
        if (firstOnly) return;
    }
}

void WorldGumps::InvalidatePaperdolls(CMobile* mobile) {
    for (CGump* g = g_gumpList; g; g = g->next)
        if (g->IsPaperdollGump() && g->owner == mobile) g->Invalidate();
}

void WorldGumps::RenderRadar() {
    if (CGumpManager::radarGump) CGumpManager::radarGump->RenderMap();
}

M_DWORD WorldGumps::GetTradeSerial(CGump* tradeGump) {
    return tradeGump->GetTradeSerial();
}

void WorldGumps::BringToFront(CGump* gump) {
    CGump::BringToFront(gump, 0);
}

CGump* WorldGumps::OpenAmountGump(CDynamicObj* stack) {
    CGump* gump = CGumpManager::OpenGump(stack, kAmountGumpId, nullptr, FALSE);
    if (gump) gump->CenterAmountSlider();
    return gump;
}

CGump* WorldGumps::MakeDragGump() {
    return tw::Service<GumpService>::Get().MakeDragGump();
}

void WorldGumps::CloseContainersOutOfReach() {
    if (CGump* worn = CGumpManager::wornContainerGump) {
        CGumpManager::wornContainerGump = nullptr;
        delete worn;
    }
    for (CGump* g = g_gumpList; g;) {
        CGump* next = g->next;
        CObj* shown = g->owner;
        if (g->IsContainerGump() && shown && shown->IsDynamic() &&
            !CObjectManager::CanReachObject(static_cast<CDynamicObj*>(shown)))
            delete g;
        g = next;
    }
}

BOOL WorldGumps::IsMouseNearPlayer() {
    return MouseManager::IsMouseNearPlayer();
}

CGump* WorldGumps::FindHolderGump(CContainerObj* holder, BOOL worn) {
    for (CGump* g = g_gumpList; g; g = g->next) {
        M_DWORD guard = MemoryManager::isValidPointer(g) ? g->validation : 0;
        if (!MemoryManager::validateRawPointer(g, guard, "shared/base/graphic", 0)) {
            TWReport::error(
                "GraphicManager::FindOwnerGump: either pointer 'pGump' is not valid, "
                "or the data it points to is not valid. breaking out of loop.\n");
            break;
        }
        if (g->owner == holder && (worn ? g->IsPaperdollGump() : g->IsContainerGump())) return g;
    }
    return nullptr;
}

void WorldGumps::ScrollMissiles(int dx, int dy) {
    CGumpManager::ScrollMissiles(dx, dy);
}

void WorldGumps::UpdateBarkPositions() {
    CGumpManager::UpdateBarkPositions();
}

void WorldGumps::AddSystemMessage(int hue, int font, const char* text) {
    TextManager::AddSystemMessage(hue, font, text);
}

BOOL WorldGumps::IsRecordingSequence() {
    return g_sequencing && g_currentSequence;
}

void WorldGumps::RecordAnimation(const M_BYTE* bytes, int length) {
    CSequence::AddPacket(g_currentSequence, CSequence::ANIMATION_RECORD, bytes, length);
}

void ResetGumpFramework() {
    g_focusGump = nullptr;
    g_gumpList = nullptr;
    CSequence::reset();
    g_inputWindow = nullptr;
    CGumpManager::radarGump = nullptr;
    CGumpManager::wornContainerGump = nullptr;
}

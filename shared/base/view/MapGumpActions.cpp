// What the play area's clicks do: answer a target or look (single click),
// use, open or attack (double click), pull a creature's status gump off the
// map or pick an item up (left drag), walk to a point (double right click).
#include <string_view>

#include "TWReport.h"
#include "config/Config.h"
#include "gumps/GumpHooks.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "net/TargetState.h"
#include "view/AnimFrames.h"
#include "view/DrawManager.h"
#include "view/MapGump.h"
#include "view/MapManager.h"
#include "view/PlayAreaState.h"
#include "view/WorldView.h"
#include "world/Mobile.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"
#include "world/PathManager.h"

namespace {

constexpr int kInnocentHue = 89;
constexpr M_BYTE kStatusRequestType = 4;

void Send(PDSTRUCT& packet) {
    if (g_pGameSocket) g_pGameSocket->Write(&packet);
}

void SendSerialRequest(void (*build)(PDSTRUCT*, M_DWORD), M_DWORD serial) {
    PDSTRUCT packet;
    build(&packet, serial);
    Send(packet);
}

// Whether answering a target with the mobile needs the question first: a
// harmful target on an innocent, a helpful one on a hostile kind.
bool TargetNeedsQuestion(CMobile* mobile) {
    if (!NotorietyQuery) return false;
    const int notoriety = mobile->GetStateValue();
    switch (g_targetCursorFlag) {
        case 1:
            return notoriety == 1;
        case 2:
            return notoriety == 4 || notoriety == 5 || notoriety == 6;
        default:
            return false;
    }
}

PlayAreaQuestions* Questions() {
    return tw::Service<PlayAreaQuestions>::IsInstalled() ? &tw::Service<PlayAreaQuestions>::Get()
                                                         : nullptr;
}

}  // namespace

void CMapGump::HandleClick(int px, int py) {
    if (playarea::Targeting()) {
        PlayAreaSession* session = playarea::Session();
        AnswerTargetWith(
            DrawManager::GetItemAtScreenPoint(px, py, session->TargetKind() != 1 ? TRUE : FALSE));
        return;
    }
    CObj* object = CObjectManager::GetObjAtScreenLoc(px, py);
    if (!object) return;
    if (!object->IsDynamic()) {
        CObjectManager::ShowName(object);
        return;
    }
    SendSerialRequest(PacketManager::BuildLook, static_cast<CDynamicObj*>(object)->GetSerial());
}

void CMapGump::AnswerTargetWith(CDrawItem* picked) {
    PlayAreaSession* session = playarea::Session();
    if (!session || !session->IsTargeting()) return;
    if (picked && picked->IsMobile() && TargetNeedsQuestion(static_cast<CMobile*>(picked))) {
        const M_DWORD serial = static_cast<CMobile*>(picked)->GetSerial();
        session->EndTarget();
        g_onMobileSerial = 0;
        picked->Invalidate();
        ConfirmCriminalAction(serial);
        return;
    }
    // The answer may take the pick out of the world: a dynamic object is
    // looked up again by its serial before it is repainted.
    const bool dynamic = picked && picked->IsObj() && picked->IsDynamic();
    const M_DWORD serial = dynamic ? static_cast<CDynamicObj*>(picked)->GetSerial() : 0;
    if (picked && !dynamic) picked->Invalidate();
    session->AnswerTarget(picked);
    if (CDynamicObj* still = serial ? CObjectManager::FindObject(serial) : nullptr)
        still->Invalidate();
}

void CMapGump::UseObjectAt(int px, int py) {
    UseObject(CObjectManager::GetObjAtScreenLoc(px, py));
}

void CMapGump::UseObject(CObj* target) {
    if (!target || !target->IsDynamic() || playarea::Targeting()) return;
    CPlayer* player = pPlayerObject;
    if (!player) return;
    auto* object = static_cast<CDynamicObj*>(target);
    const M_DWORD serial = object->GetSerial();
    if (object == player || (object->IsMobile() && !player->warMode)) {
        SendSerialRequest(PacketManager::BuildUseObject, serial);
        return;
    }
    if (!object->IsMobile()) {
        if (!object->IsCorpse()) {
            CObjectManager::UseObject(object);
            return;
        }
        // Corpses stacked on one spot open together.  Serials are taken
        // first: using an object may change the cell's list.
        M_DWORD stacked[64];
        int count = 0;
        const int cx = object->locX, cy = object->locY, cz = object->z;
        for (CDrawItem* item = DrawMapThingie::table[cy & 63][cx & 63]; item && count < 64;
             item = item->next)
            if (item->IsObj() && static_cast<CObj*>(item)->IsCorpse() && item->locX == cx &&
                item->locY == cy && item->z == cz)
                stacked[count++] = static_cast<CDynamicObj*>(item)->GetSerial();
        if (count == 0) stacked[count++] = serial;
        for (int i = 0; i < count; ++i)
            if (CDynamicObj* corpse = CObjectManager::FindObject(stacked[i]))
                CObjectManager::UseObject(corpse);
        return;
    }
    if (NotorietyQuery && GetNotorietyHue(static_cast<CMobile*>(object)) == kInnocentHue) {
        if (PlayAreaQuestions* questions = Questions())
            questions->AskBeforeAttack(serial, CriminalQuestion());
        return;
    }
    SendSerialRequest(PacketManager::BuildAttack, serial);
}

void CMapGump::OpenStatusGumpOf(int px, int py) {
    dragOffTried = TRUE;
    CPlayer* player = pPlayerObject;
    if (!player) return;
    if (player->IsBody402Or403()) {
        dragOffActive = FALSE;
        leftClickState = 0;
        return;
    }
    CObj* under = CObjectManager::GetObjAtScreenLoc(px, py);
    if (!under || !under->IsDynamic()) return;
    auto* object = static_cast<CDynamicObj*>(under);
    if (object->IsMobile()) {
        CGump* gump = CGumpManager::FindGump(object, FALSE, FALSE, nullptr);
        if (!gump && tw::Service<GumpFactory>::IsInstalled()) {
            gump = tw::Service<GumpFactory>::Get().CreateStatusGump(object, 1);
            if (gump) {
                gump->NewFrameBlock(0, gump->width, gump->height);
                gump->PutInGump(nullptr);
            }
        }
        if (!gump || std::string_view(gump->name) != "status gump") return;
        gump->grabX = gump->width / 2;
        gump->grabY = gump->height / 2;
        MouseManager::SetCapture(gump);
        draggedStatusSerial = object->GetSerial();
        PDSTRUCT packet;
        PacketManager::BuildStatusRequest(&packet, kStatusRequestType, object->GetSerial());
        Send(packet);
        return;
    }
    if (CObjectManager::holdingItem || !object->IsMovable()) return;
    CObjectManager::GetObject(object, 0);
    dragOffActive = FALSE;
    leftClickState = 0;
}

void CMapGump::PathfindToPoint(int px, int py) {
    CPlayer* player = pPlayerObject;
    if (!AllowPathfind || !player || g_pathWalk.active || playarea::WalkBusy()) return;
    CDrawItem* goal = DrawManager::GetItemAtScreenPoint(px, py, FALSE);
    if (!goal) return;
    // The world model's search and hand-over to the walker.  Its countdown
    // thins out the server's path requests; the player's own click is
    // always carried out.
    MoveManager::pathfindCountdown = 0;
    MoveManager::PathfindTo(goal->locX, goal->locY, goal->z);
    if (!g_pathWalk.active) player->AddOverheadText("Can't get there", 3, 0, nullptr, 0);
}

const char* CriminalQuestion() {
    return playarea::CriminalWarning() ? "This may flag you criminal!"
                                       : "This will lower notoriety !";
}

void ConfirmCriminalAction(M_DWORD serial) {
    if (PlayAreaQuestions* questions = Questions()) questions->AskBeforeTarget(serial);
}

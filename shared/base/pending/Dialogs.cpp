// Stand-in of the game dialogs: their gumps' operations, the skill and
// spell tables (empty), the target bars and the player's gumps.
#include "dialogs/ContainerGump.h"
#include "dialogs/PaperdollGump.h"
#include "dialogs/PlayerGumps.h"
#include "dialogs/RadarGump.h"
#include "dialogs/ShopGump.h"
#include "dialogs/SkillGump.h"
#include "dialogs/SpellBook.h"
#include "dialogs/StackGump.h"
#include "dialogs/TargetManager.h"
#include "dialogs/TradeGump.h"
#include "gumps/DragGump.h"
#include "net/WorldMessageEvents.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

void CContainerGump::AddToGump(CObj*) {
    TW_PENDING("CContainerGump::AddToGump");
}
void CContainerGump::AddContents(const RECT&) {
    TW_PENDING("CContainerGump::AddContents");
}
void CPaperdollGump::Invalidate() {
    TW_PENDING("CPaperdollGump::Invalidate");
}
void CRadarGump::RenderMap() {
    TW_PENDING("CRadarGump::RenderMap");
}
void CShopGump::RemoveItem(M_DWORD) {
    TW_PENDING("CShopGump::RemoveItem");
}
void CShopGump::RedrawFrame() {
    TW_PENDING("CShopGump::RedrawFrame");
}
void CStackGump::CenterAmountSlider() {
    TW_PENDING("CStackGump::CenterAmountSlider");
}
M_DWORD CTradeGump::GetTradeSerial() {
    TW_PENDING("CTradeGump::GetTradeSerial");
    return 0;
}

namespace {

class DialogsStandIn : public DialogsService, public WorldMessageDialogs {
public:
    int GetSkillNameCount() override {
        TW_PENDING("CSkillGump::GetSkillNameCount");
        return 0;
    }
    const char* GetSkillName(int) override {
        TW_PENDING("CSkillGump::GetSkillName");
        return nullptr;
    }
    void NoteSkillListRequested() override { TW_PENDING("NoteSkillListRequested"); }
    const char* GetSpellTableName(int) override {
        TW_PENDING("CSpellBookGump::GetSpellTableName");
        return nullptr;
    }
    void SetLastTarget(CObj*) override { TW_PENDING("TargetManager::SetLastTarget"); }
    void RefreshPlayerStatusGumps() override { TW_PENDING("RefreshPlayerStatusGumps"); }
    void ShowPaperdollWarMode(BOOL) override { TW_PENDING("ShowPaperdollWarMode"); }
    void OpenStringQuery(M_DWORD, M_WORD, const char*, int, int, M_DWORD, const char*) override {
        TW_PENDING("CStringQueryGump::CStringQueryGump");
    }
    void OpenHuePicker(M_DWORD, M_WORD, M_WORD) override { TW_PENDING("CHueGump::CHueGump"); }
    // No text query exists, so no name request is ever pending.
    BOOL AnswerNameRequest(const char*) override {
        TW_PENDING("CStringQueryGump::AnswerNameRequest");
        return FALSE;
    }

    // What the world's server messages ask of the dialogs.
    void RefreshStatusGumps(CMobile*) override { TW_PENDING("CStatusGump::Refresh"); }
    void ShowStatus(M_DWORD, const StatusRecord&, BOOL) override {
        TW_PENDING("CStatusGump::SetStatus");
    }
    void SetShopGold(M_WORD) override { TW_PENDING("CBillGump::RedrawFrame"); }
    void UpdateTargetGumps(M_DWORD, int, int) override { TW_PENDING("TargetGump::SetVitals"); }
    void UpdateStatusVitals(CMobile*, int, const M_WORD*, const M_WORD*) override {
        TW_PENDING("CStatusGump::SetVitals");
    }
    void CloseHolderShopGump(CContainerObj*) override { TW_PENDING("CShopGump::Close"); }
    void ShowContainerContents(CContainerObj*) override {
        TW_PENDING("CContainerGump::AddContents");
    }
    BOOL RedrawContainerGump(CContainerObj*) override {
        TW_PENDING("CContainerGump::RedrawFrame");
        return FALSE;
    }
    void OpenSpellBook(CDynamicObj*) override { TW_PENDING("CSpellBookGump::CSpellBookGump"); }
    void CloseRadarGump() override { TW_PENDING("CRadarGump::Close"); }
    void ShowSkillChange(int, int) override { TW_PENDING("ShowSkillChange"); }
    void RedrawSkillGump() override { TW_PENDING("CSkillGump::RedrawFrame"); }
    void SkillListArrived(int) override { TW_PENDING("CSkillGump::CSkillGump"); }
    void UpdateShopGumps(CMobile*, int) override { TW_PENDING("CShopGump::RedrawFrame"); }
    void OpenCourseGump(CItemObj*, int, const M_WORD*) override {
        TW_PENDING("CCourseGump::CCourseGump");
    }
    void SetServerTarget(M_DWORD) override { TW_PENDING("TargetManager::SetServerTarget"); }
};

// No paperdoll or container gump exists to take a drop.
class DragDropStandIn : public DragDropTargets {
public:
    int GetPaperdollLayerAt(CGump*, int, int) override {
        TW_PENDING("CPaperdollGump::GetLayerAt");
        return -1;
    }
    void MarkPaperdollLayer(CGump*, int) override { TW_PENDING("CPaperdollGump::MarkLayer"); }
    BOOL ContainerTakesDrop(CGump*, int, int) override {
        TW_PENDING("CContainerGump::HandleDrop");
        return FALSE;
    }
};

}  // namespace

void InstallPendingDialogs() {
    InstallStandIn<DialogsStandIn, DialogsService, WorldMessageDialogs>();
    InstallStandIn<DragDropStandIn, DragDropTargets>();
    InstallPendingDialogCallbacks();
}

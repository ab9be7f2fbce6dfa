// Stand-in of the draw manager and the draw lists.  Until the lists exist
// an item only keeps its listed flag, and no cell holds anything.
#include "view/DrawManager.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"
#include "world/Mobile.h"

namespace {

class DrawManagerStandIn : public DrawManagerService, public DrawLists {
public:
    void ClearTable() override { TW_PENDING("DrawManager::ClearTable"); }
    void startup() override { TW_PENDING("DrawManager::startup"); }
    void shutdown() override { TW_PENDING("DrawManager::shutdown"); }

    void AddToDrawList(CDrawItem* item) override {
        TW_PENDING("CDrawItem::AddToDrawList");
        item->inList = TRUE;
    }
    void RemoveFromDrawList(CDrawItem* item) override {
        TW_PENDING("CDrawItem::RemoveFromDrawList");
        item->inList = FALSE;
    }
    void AddMobileToDrawList(CMobile* mobile) override {
        TW_PENDING("CMobile::AddToDrawList");
        AddToDrawList(mobile);
        mobile->PlayFootstepSound();
    }
    void RemoveMobileFromDrawList(CMobile* mobile) override {
        TW_PENDING("CMobile::RemoveFromDrawList");
        if (mobile->inList) RemoveFromDrawList(mobile);
    }
    void Invalidate(CDrawItem*) override { TW_PENDING("CDrawItem::Invalidate"); }
    void SetTileAndLocation(CDrawItem*, int, const TerrainLocation*) override {
        TW_PENDING("CDrawItem::SetTileAndLocation");
    }
    void CalcNormals(CTexTerr*, const signed char*) override {
        TW_PENDING("CTexTerr::CalcNormals");
    }

    CDrawItem* GetTopItemAt(int, int) override {
        TW_PENDING("DrawManager::GetTopItemAt");
        return nullptr;
    }
    CDrawItem* GetItemAtScreenPoint(int, int, BOOL) override {
        TW_PENDING("DrawManager::GetItemAtScreenPoint");
        return nullptr;
    }
    void ResortItemsOfTile(int) override { TW_PENDING("DrawManager::ResortItemsOfTile"); }
    void InvalidateTerrainOfTile(int) override {
        TW_PENDING("DrawManager::InvalidateTerrainOfTile");
    }
    void UpdateRoofCut() override { TW_PENDING("DrawManager::UpdateRoofCut"); }
    // Without the roof cut-away there is no height cut.
    BOOL IsHeightCut() override { return FALSE; }

    void ClearMobileAnimations() override { TW_PENDING("ClearMobileAnimations"); }
    void StartMobileAnimation(CMobile*) override { TW_PENDING("StartMobileAnimation"); }
    int StopMobileAnimation(CMobile*) override {
        TW_PENDING("StopMobileAnimation");
        return 0;
    }
};

}  // namespace

void InstallPendingDrawManager() {
    InstallStandIn<DrawManagerStandIn, DrawManagerService, DrawLists>();
}

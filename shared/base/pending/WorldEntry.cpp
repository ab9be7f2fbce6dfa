// Stand-in of what entering the world asks of windows not built yet: no
// front-end gump holds it back, and the saved desktop and the popup help's
// text window are not built.  The play window's frame is the view's.
#include "app/SmallMessages.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"
#include "view/GameAreaEdge.h"

namespace {

class WorldEntryStandIn : public WorldEntry {
public:
    BOOL DeferLoginCompletion(void (*)()) override { return FALSE; }
    void LoadDesktop() override { TW_PENDING("CGumpManager::LoadDesktop"); }
    void ResetGameAreaEdges() override { ::ResetGameAreaEdges(); }
    CGump* OpenScrollText(int, int, int, int, const M_WORD*) override {
        TW_PENDING("CScrollTextGump::CScrollTextGump");
        return nullptr;
    }
};

}  // namespace

void InstallPendingWorldEntry() {
    InstallStandIn<WorldEntryStandIn, WorldEntry>();
}

// Stand-in of what entering the world asks of windows not built yet: no
// front-end gump holds it back, and the saved desktop, the play area's
// edges and the popup help's text window are not built.
#include "app/SmallMessages.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class WorldEntryStandIn : public WorldEntry {
public:
    BOOL DeferLoginCompletion(void (*)()) override { return FALSE; }
    void LoadDesktop() override { TW_PENDING("CGumpManager::LoadDesktop"); }
    void ResetGameAreaEdges() override { TW_PENDING("ResetGameAreaEdges"); }
    CGump* OpenScrollText(int, int, int, int, const M_WORD*) override {
        TW_PENDING("CScrollTextGump::CScrollTextGump");
        return nullptr;
    }
};

}  // namespace

void InstallPendingWorldEntry() {
    InstallStandIn<WorldEntryStandIn, WorldEntry>();
}

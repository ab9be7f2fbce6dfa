// Stand-in of what entering and leaving the world and the popup help ask of
// dialogs not built yet: the saved desktop and the popup help's text window.
#include "app/SmallMessages.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class WorldEntryStandIn : public WorldEntry {
public:
    void LoadDesktop() override { TW_PENDING("CGumpManager::LoadDesktop"); }
    void SaveDesktop() override { TW_PENDING("CGumpManager::SaveDesktop"); }
    CGump* OpenScrollText(int, int, int, int, const M_WORD*) override {
        TW_PENDING("CScrollTextGump::CScrollTextGump");
        return nullptr;
    }
};

}  // namespace

void InstallPendingWorldEntry() {
    InstallStandIn<WorldEntryStandIn, WorldEntry>();
}

// Stand-in of character creation: the selection's new-character button
// opens no profession gump yet.  And of what entering the world asks of
// windows not built yet.
#include "app/SmallMessages.h"
#include "login/CharCreation.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class CharacterCreationStandIn : public CharacterCreation {
public:
    void OpenProfessionGump() override { TW_PENDING("CGump::OpenProfessionGump"); }
    void CloseCreationGumps() override {}
};

// Entering the world: no front-end gump holds it back, and the saved
// desktop, the play area's edges and the popup help's text window are not
// built.
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

void InstallPendingLogin() {
    InstallStandIn<CharacterCreationStandIn, CharacterCreation>();
    InstallStandIn<WorldEntryStandIn, WorldEntry>();
}

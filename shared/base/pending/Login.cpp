// Stand-in of character creation: the selection's new-character button
// opens no profession gump yet.
#include "login/CharCreation.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class CharacterCreationStandIn : public CharacterCreation {
public:
    void OpenProfessionGump() override { TW_PENDING("CGump::OpenProfessionGump"); }
    void CloseCreationGumps() override {}
};

}  // namespace

void InstallPendingLogin() {
    InstallStandIn<CharacterCreationStandIn, CharacterCreation>();
}

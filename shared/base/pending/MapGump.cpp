// Stand-in of the questions the play area asks before harmful acts: the
// yes/no gump that asks them belongs to the login screens.  No question is
// asked, so nothing is answered or attacked.
#include "view/MapGump.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class PlayAreaQuestionsStandIn : public PlayAreaQuestions {
public:
    void AskBeforeTarget(M_DWORD) override { TW_PENDING("CYesNoGump::CYesNoGump"); }
    void AskBeforeAttack(M_DWORD, const char*) override { TW_PENDING("CYesNoGump::CYesNoGump"); }
};

}  // namespace

void InstallPendingPlayAreaQuestions() {
    InstallStandIn<PlayAreaQuestionsStandIn, PlayAreaQuestions>();
}

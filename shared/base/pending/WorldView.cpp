// Stand-in of the play area's pointer, path walker and on-screen lists:
// nothing is on screen and the criminal-warning switch is kept.  The screen
// itself is the view's: invalidating it goes to the real view.
#include "view/WorldView.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class WorldViewStandIn : public WorldViewService, public PlayArea {
public:
    void FollowPathStep() override { TW_PENDING("FollowPathStep"); }

    void InvalidateScreen() override { ::InvalidateScreen(); }
    // The lists of what is on screen are not built: nothing is on screen.
    int GetMobilesOnScreen(CObj**, int) override {
        TW_PENDING("GetMobilesOnScreen");
        return 0;
    }
    int GetCorpsesOnScreen(CObj**, int) override {
        TW_PENDING("GetCorpsesOnScreen");
        return 0;
    }
    void ForgetPointerObject(const CObj* object) override {
        if (g_pointerObject == object) g_pointerObject = nullptr;
    }
    void ClearCriminalWarning() override { criminalWarning_ = FALSE; }
    void RelinkPathBackPointers() override { TW_PENDING("RelinkPathBackPointers"); }

private:
    // The criminal-warning switch (set at start).
    BOOL criminalWarning_ = TRUE;
};

}  // namespace

void InstallPendingWorldView() {
    InstallStandIn<WorldViewStandIn, WorldViewService, PlayArea>();
}

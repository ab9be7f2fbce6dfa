// Stand-in of the play area: the screen is cleared when it is invalidated,
// nothing is on screen, and the play area's state is kept.
#include <cstring>

#include "FrameBuf.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"
#include "view/WorldView.h"

namespace {

class WorldViewStandIn : public WorldViewService, public PlayArea {
public:
    void FollowPathStep() override { TW_PENDING("FollowPathStep"); }
    void ClearWorldLightLevels() override { TW_PENDING("ClearWorldLightLevels"); }

    void InvalidateScreen() override {
        TW_PENDING("InvalidateScreen");
        if (g_backBuffer != nullptr && g_frameBuf != nullptr)
            std::memset(g_backBuffer, 0,
                        static_cast<size_t>(g_frameBuf->GetWidth()) * g_frameBuf->GetHeight() * 2);
    }
    // The screen rectangles are the view's: nothing is on screen yet.
    int GetMobilesOnScreen(CObj**, int) override {
        TW_PENDING("GetMobilesOnScreen");
        return 0;
    }
    int GetCorpsesOnScreen(CObj**, int) override {
        TW_PENDING("GetCorpsesOnScreen");
        return 0;
    }
    void ForgetPointerObject(const CObj* object) override {
        if (pointerObject_ == object) pointerObject_ = nullptr;
    }
    void ClearCriminalWarning() override { criminalWarning_ = FALSE; }
    void RelinkPathBackPointers() override { TW_PENDING("RelinkPathBackPointers"); }

private:
    // The object under the pointer, and the criminal-warning switch (set at
    // start).
    const CObj* pointerObject_ = nullptr;
    BOOL criminalWarning_ = TRUE;
};

}  // namespace

void InstallPendingWorldView() {
    InstallStandIn<WorldViewStandIn, WorldViewService, PlayArea>();
}

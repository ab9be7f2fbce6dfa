// Stand-in of the circle of transparency: nothing is see-through.
#include "view/CircleTrans.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class CircleTransStandIn : public CircleTransService, public CircleOfTransparency {
public:
    void Reset() override { TW_PENDING("CCircleTrans::Reset"); }
    void ClearSeeThroughList() override { TW_PENDING("CCircleTrans::ClearSeeThroughList"); }
    void SetRadius(int) override { TW_PENDING("CCircleTrans::SetRadius"); }
    void SetPosition(int, int) override { TW_PENDING("CCircleTrans::SetPosition"); }
    CCircleTransEntry* FindEntry(const CDrawItem*) override {
        TW_PENDING("CCircleTrans::FindEntry");
        return nullptr;
    }
    void RemoveEntry(CCircleTransEntry*) override { TW_PENDING("CCircleTrans::RemoveEntry"); }
};

}  // namespace

void InstallPendingCircleTrans() {
    InstallStandIn<CircleTransStandIn, CircleTransService, CircleOfTransparency>();
}

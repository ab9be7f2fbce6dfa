// Stand-in of the light module: the sum of personal light is kept.
#include "view/Light.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class LightStandIn : public LightService, public ViewLight {
public:
    void startup() override { TW_PENDING("thelightthingie::startup"); }
    void shutdown() override { TW_PENDING("thelightthingie::shutdown"); }
    void PaintFrame() override { TW_PENDING("thelightthingie::PaintFrame"); }

    void InvalidateObjectLight(CObj*) override { TW_PENDING("InvalidateObjectLight"); }
    void InvalidateEquipmentLights(CMobile*) override {
        TW_PENDING("CMobile::InvalidateEquipmentLights");
    }
    void AddPersonalLight(int change) override { personalLight_ += change; }
    void ScrollView(int, int) override { TW_PENDING("thelightthingie::ScrollView"); }

private:
    // The sum of the personal light the player contributes.
    int personalLight_ = 0;
};

}  // namespace

void InstallPendingLight() {
    InstallStandIn<LightStandIn, LightService, ViewLight>();
}

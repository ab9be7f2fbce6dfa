// Stand-in of the play-area gump.
#include "view/MapGump.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class MapGumpStandIn : public MapGumpService {
public:
    CMapGump* MakeMapGump() override {
        TW_PENDING("CMapGump::CMapGump");
        return new CMapGump();
    }
    void ForgetObjectUnderPointer() override { TW_PENDING("CMapGump::ForgetObjectUnderPointer"); }
};

}  // namespace

void InstallPendingMapGump() {
    InstallStandIn<MapGumpStandIn, MapGumpService>();
}

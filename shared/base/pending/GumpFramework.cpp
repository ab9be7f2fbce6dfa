// Stand-in of the drag gump.
#include "gumps/DragGump.h"
#include "gumps/Gump.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"
#include "world/ObjectManager.h"

CDragGump::CDragGump() {
    TW_PENDING("CDragGump::CDragGump");
}
// The object manager's pointer to the drag gump goes with it.
CDragGump::~CDragGump() {
    if (CObjectManager::dragGump == this) CObjectManager::dragGump = nullptr;
}

namespace {

class GumpFrameworkStandIn : public GumpService {
public:
    CGump* MakeDragGump() override { return new CDragGump(); }
};

}  // namespace

void InstallPendingGumpFramework() {
    InstallStandIn<GumpFrameworkStandIn, GumpService>();
}

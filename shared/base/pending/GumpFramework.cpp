// Stand-in of the drag gump and of effect sequences.
#include "gumps/DragGump.h"
#include "gumps/Gump.h"
#include "gumps/Sequence.h"
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
    void AddPacket(CSequence*, int, const M_BYTE*, int) override {
        TW_PENDING("CSequence::AddPacket");
    }
};

}  // namespace

void InstallPendingGumpFramework() {
    InstallStandIn<GumpFrameworkStandIn, GumpService>();
}

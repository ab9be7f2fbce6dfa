// Stand-in of the gump base class's linking and raising, the drag gump and
// effect sequences.
#include "gumps/DeathMenuGump.h"
#include "gumps/DragGump.h"
#include "gumps/Gump.h"
#include "gumps/Sequence.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

CDragGump::CDragGump() {
    TW_PENDING("CDragGump::CDragGump");
}
CDragGump::~CDragGump() = default;

namespace {

class GumpFrameworkStandIn : public GumpService {
public:
    BOOL PutInGump(CGump* gump, CGump* parent, BOOL) override {
        TW_PENDING("CGump::PutInGump");
        gump->parent = parent;
        return TRUE;
    }
    void BringToFront(CGump*, int) override { TW_PENDING("CGump::BringToFront"); }
    void Minimize(CGump*) override { TW_PENDING("CGump::Minimize"); }
    void Restore(CGump*) override { TW_PENDING("CGump::Restore"); }
    CGump* MakeDragGump() override { return new CDragGump(); }
    CDeathMenuGump* MakeDeathMenuGump() override {
        TW_PENDING("CDeathMenuGump::CDeathMenuGump");
        return new CDeathMenuGump();
    }
    void AddPacket(CSequence*, int, const M_BYTE*, int) override {
        TW_PENDING("CSequence::AddPacket");
    }
};

}  // namespace

void InstallPendingGumpFramework() {
    InstallStandIn<GumpFrameworkStandIn, GumpService>();
}

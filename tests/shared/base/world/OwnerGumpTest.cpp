// The open gump that shows where an object is held.
#include "gumps/Gump.h"
#include "resources/GraphicManager.h"
#include "shared/base/resources/DataFileTestSupport.h"
#include "world/Mobile.h"
#include "world/Obj.h"

using namespace tw::test;

namespace {

// A gump that answers one of the two type queries for an owner.
class HolderGump : public CGump {
public:
    HolderGump(CObj* shows, bool paperdoll) : paperdoll_(paperdoll) { owner = shows; }
    BOOL IsPaperdollGump() override { return paperdoll_; }
    BOOL IsContainerGump() override { return !paperdoll_; }

private:
    bool paperdoll_;
};

}  // namespace

TEST_F(ResourceTest, OwnerGumpIsThePaperdollOfTheWearerOrTheGumpOfTheContainer) {
    auto* bag = new CContainerObj(0x40000001, 0x0E75, 0, TRUE);
    auto* man = new CMobile(0x00000002, 400, 0);
    CDynamicObj* coin = NewDynamicObj(0x40000003, 3821, 0);
    CDynamicObj* ring = NewDynamicObj(0x40000004, 4234, 0);
    CDynamicObj* loose = NewDynamicObj(0x40000005, 4234, 0);
    coin->ToContainer(bag, Coords{10, 10, 0});
    ring->ToEquipped(man, 1);
    EXPECT_EQ(GraphicManager::FindOwnerGump(coin), nullptr) << "no gump open";

    HolderGump otherBag(nullptr, false), bagAsPaperdoll(bag, true), bagGump(bag, false),
        paperdoll(man, true);
    for (CGump* g : {&otherBag, &bagAsPaperdoll}) tw::doubles::LinkGump(g, nullptr);
    EXPECT_EQ(GraphicManager::FindOwnerGump(coin), nullptr) << "only gumps of the right kind";
    tw::doubles::LinkGump(&bagGump, nullptr);
    tw::doubles::LinkGump(&paperdoll, nullptr);
    EXPECT_EQ(GraphicManager::FindOwnerGump(coin), &bagGump);
    EXPECT_EQ(GraphicManager::FindOwnerGump(ring), &paperdoll);
    EXPECT_EQ(GraphicManager::FindOwnerGump(loose), nullptr) << "held by nothing";
    EXPECT_EQ(GraphicManager::FindOwnerGump(nullptr), nullptr);
}

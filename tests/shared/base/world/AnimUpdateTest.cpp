// The per-frame walk over the animated items: each item in a draw list steps
// by its animation data.
#include "resources/AnimData.h"
#include "shared/base/resources/DataFileTestSupport.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"

using namespace tw::test;
using namespace tw::datafiles;

namespace {

AnimDataRecord sequence(int count, int interval, int start) {
    AnimDataRecord r;
    for (int i = 0; i < 64; ++i) r.frames[i] = std::int8_t(i * 2 + 1);
    r.frameCount = M_BYTE(count);
    r.interval = M_BYTE(interval);
    r.start = M_BYTE(start);
    return r;
}

}  // namespace

TEST_F(ResourceTest, ItemsSharingAnEntryAdvanceOncePerTick) {
    std::map<int, AnimDataRecord> records;
    records[50] = sequence(4, 1, 0);
    WriteBytes("animdata.mul", EncodeAnimData(records, 7));
    LoadAnimData();
    CObj a, b, c, hidden;
    for (CObj* o : {&a, &b, &c, &hidden}) o->objectType = 50;
    c.objectType = 51;  // not animated (interval 0)
    a.nextAnimated = &b;
    b.nextAnimated = &c;
    c.nextAnimated = &hidden;
    CObjectManager::animatedItemList = &a;
    // Only items the view draws (in a draw list) animate.
    for (CObj* o : {&a, &b, &c}) o->inList = TRUE;

    animCrap::Update();
    EXPECT_EQ(a.frameOffset, 3);
    EXPECT_EQ(b.frameOffset, 3) << "the second item does not step the entry again";
    animCrap::Update();
    EXPECT_EQ(a.frameOffset, 5);
    EXPECT_EQ(b.frameOffset, 5);
    EXPECT_EQ(c.frameOffset, 0);
    EXPECT_EQ(hidden.frameOffset, 0);
    auto& events = world.view.objEvents;
    ASSERT_EQ(events.size(), 8u);
    EXPECT_EQ(events[0].what, "remove");
    EXPECT_EQ(events[1].what, "add");
    EXPECT_EQ(events[1].item, &a);

    // A broken link ends the walk with a log line instead of a crash.
    CObj dead;
    dead.validation = 0;
    b.nextAnimated = &dead;
    dead.nextAnimated = &a;
    animCrap::Update();
    EXPECT_NE(ReportLog().find("animCrap::Update: either pointer 'pObj' is not valid"),
              std::string::npos);
}

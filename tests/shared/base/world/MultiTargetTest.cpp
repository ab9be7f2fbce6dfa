// The multi and object-list placement list.
#include <cstring>

#include "ByteWriter.h"
#include "resources/DHDCache.h"
#include "shared/base/resources/DataFileTestSupport.h"
#include "world/MultiTarget.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"

using namespace tw::test;
using namespace tw::datafiles;

namespace {

Bytes objectRecords(std::initializer_list<std::array<int, 5>> records) {
    Bytes out;
    ByteWriter w(out);
    for (const auto& r : records)
        for (int v : r) w.u32le(static_cast<M_DWORD>(v));
    return out;
}

}  // namespace

TEST_F(ResourceTest, MultiListsLoadReplaceAndKeepTheOldListWhenAbsent) {
    FileSet files = MinimalFiles();
    IndexedPair multis;
    multis.add(1, EncodeMulti({{100, 0, 0, 0, 0}, {200, 3, -2, 5, 1}, {300, -1, 4, 0, 0}}));
    multis.add(2, EncodeMulti({{400, 7, 8, 9, 1}}));
    files["multi.idx"] = multis.indexBytes();
    files["multi.mul"] = multis.data();
    WriteInstall(files, InstallKind::MaxHD);
    StartCache();

    MultiTarget target;
    EXPECT_EQ(g_multiTarget, &target);
    EXPECT_EQ(target.previewX, -1);
    ASSERT_TRUE(LoadMultiList(&target, 1, 1, 2, 3));
    EXPECT_STREQ(target.name, "multi");
    ASSERT_EQ(target.count, 3);
    EXPECT_EQ(target.components[1].graphic, 200);
    EXPECT_EQ(target.components[1].x, 2);
    EXPECT_EQ(target.components[1].y, -4);
    EXPECT_EQ(target.components[1].z, 2);
    EXPECT_EQ(target.components[1].second, 0);
    EXPECT_TRUE(target.active);

    ASSERT_TRUE(LoadMultiList(&target, 2, 0, 0, 0));
    ASSERT_EQ(target.count, 1);
    EXPECT_EQ(target.components[0].graphic, 400);

    target.previewX = 5;
    EXPECT_FALSE(LoadMultiList(&target, 3, 0, 0, 0));
    EXPECT_FALSE(LoadMultiList(&target, -1, 0, 0, 0));
    EXPECT_EQ(target.count, 1) << "the old list stays";
    EXPECT_EQ(target.previewX, 5);

    Bytes records = objectRecords({{0x10500, 7, 10, 0xFFFF, 2}, {600, 0, 0, 0, 0}});
    ASSERT_TRUE(LoadObjectList(&target, 2, records.data(), records.size(), 10, 0, 1));
    EXPECT_STREQ(target.name, "objlist");
    ASSERT_EQ(target.count, 2);
    EXPECT_EQ(target.components[0].graphic, 0x0500) << "low 16 bits";
    EXPECT_EQ(target.components[0].second, 7);
    EXPECT_EQ(target.components[0].x, 0);
    EXPECT_EQ(target.components[0].y, -1);
    EXPECT_EQ(target.components[0].z, 1);

    // Counts beyond any message, below zero, or beyond the bytes that
    // arrived (read from a buffer of exactly those bytes).
    Bytes big(size_t(MAX_OBJECT_LIST_RECORDS + 1) * OBJECT_LIST_RECORD_SIZE);
    EXPECT_FALSE(
        LoadObjectList(&target, MAX_OBJECT_LIST_RECORDS + 1, big.data(), big.size(), 0, 0, 0));
    EXPECT_FALSE(LoadObjectList(&target, -1, records.data(), records.size(), 0, 0, 0));
    Bytes shortList(records.begin(), records.end() - 1);
    EXPECT_FALSE(LoadObjectList(&target, 2, shortList.data(), shortList.size(), 0, 0, 0));
    EXPECT_FALSE(LoadObjectList(&target, 1, nullptr, 0, 0, 0, 0));
    EXPECT_EQ(target.count, 2) << "a refused list leaves the old one";
    EXPECT_NE(ReportLog().find("LoadObjectList: refused a list of 2 records in 39 bytes."),
              std::string::npos);

    target.heightOffset = 4;
    target.partHeight = 2;
    DeleteMultiTarget(&target);
    EXPECT_EQ(target.count, 0);
    EXPECT_EQ(target.components, nullptr);
    EXPECT_EQ(target.heightOffset, 0);
    EXPECT_EQ(target.partHeight, 0);
}

TEST_F(ResourceTest, PreviewShowsEveryPartOnTheGroundAndClearDeletesThem) {
    MultiTarget target;
    Bytes records = objectRecords({{500, 0, 0, 0, 0}, {501, 0, 1, -1, 3}});
    ASSERT_TRUE(LoadObjectList(&target, 2, records.data(), records.size(), 0, 0, 0));
    // The ground of cell (40, 50): corners 1 and 3 average to 10.
    world.view.corners[{40, 50}] = {0, 8, 0, 12};
    target.heightOffset = 2;
    ShowMultiTargetPreview(&target, 40, 50);
    // Each part is made at the head of the preview list and placed at once.
    std::vector<CMultiTargetObj*> parts;
    for (CMultiTargetObj* p = CObjectManager::multiPreviewList; p; p = p->nextPreview)
        parts.insert(parts.begin(), p);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0]->locX, 40);
    EXPECT_EQ(parts[0]->z, 12);
    EXPECT_EQ(parts[1]->objectType, 501);
    EXPECT_EQ(parts[1]->locX, 41);
    EXPECT_EQ(parts[1]->locY, 49);
    EXPECT_EQ(parts[1]->z, 15);
    EXPECT_FALSE(parts[1]->inVoid);
    EXPECT_EQ(target.previewX, 40);
    EXPECT_EQ(target.previewZ, 12);

    auto& events = world.view.objEvents;
    events.clear();
    ClearMultiTargetPreview();
    EXPECT_EQ(CObjectManager::multiPreviewList, nullptr);
    EXPECT_EQ(CObjectManager::worldList, nullptr) << "the parts left the world";
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].what, "invalidate");
    EXPECT_EQ(events[1].what, "remove");
    EXPECT_EQ(events[0].item, events[1].item);
}

TEST_F(ResourceTest, ThePlacementStateForgetsItselfWhenDestroyed) {
    {
        MultiTarget target;
        Bytes records = objectRecords({{1, 0, 0, 0, 0}});
        LoadObjectList(&target, 1, records.data(), records.size(), 0, 0, 0);
    }
    EXPECT_EQ(g_multiTarget, nullptr);
}

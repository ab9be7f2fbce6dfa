// Multis: component lists loaded from the multi files through the data-file
// cache, placed with their object, freed with or without a shared owner;
// the server's multi records in host order.
#include <cstring>
#include <vector>

#include "WorldTestSupport.h"
#include "app/App.h"
#include "config/Config.h"
#include "resources/DHDCache.h"
#include "world/MultiManager.h"

using namespace tw::test;
using namespace tw::datafiles;

namespace {

const bool registered = [] {
    AddServiceReset(&CDHDCache::reset);
    return true;
}();

constexpr int kHouse = 12;

class MultiTest : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        StartWorld();
    }

    // Writes an installation whose multi files hold the given items and
    // starts the data-file cache over it.
    void Install(const IndexedPair& multis) {
        for (int i = 0; i < CDHDCache::NUM_FILES; ++i)
            WriteBytes(CDHDCache::GetFileName(i), Bytes(i == FN_MAP0 ? 196 : 12, 0xFF));
        multis.write("multi.idx", "multi.mul");
        hdConfig = MaxHD;
        CacheSize = 1;
        CDHDCache::startup();
        CDHDCache::Init();
    }

    void InstallHouse() {
        IndexedPair multis;
        multis.add(kHouse, EncodeMulti({{0x4000 | 500, 0, 0, 0, 0},
                                        {1100, 0, 0, 0, 1},
                                        {1101, -3, 2, 5, 1},
                                        {1102, 1, -4, 0, 0},  // not a component
                                        {1103, 2, 1, 20, 1}}));
        multis.add(13, EncodeMulti({{600, 0, 0, 0, 0}, {1200, 1, 1, 0, 1}}));
        multis.add(14, Bytes(11, 0));  // shorter than one record
        Install(multis);
    }

    static std::vector<MultiComponentNode*> Nodes(const MultiComponentList* list) {
        std::vector<MultiComponentNode*> nodes;
        for (MultiComponentNode* n = list->first; n; n = n->next) nodes.push_back(n);
        return nodes;
    }

    static bool InMultiCompList(CObj* o) {
        for (CObj* p = CObjectManager::multiCompList; p; p = p->multiNext)
            if (p == o) return true;
        return false;
    }

    CDynamicObj* MakeHouse() { return NewDynamicObj(kItem | 1, 1, 0); }
};

}  // namespace

TEST_F(MultiTest, ADefinitionGivesTheGraphicAndOneComponentPerFlaggedRecord) {
    InstallHouse();
    CDynamicObj* house = MakeHouse();
    ASSERT_TRUE(LoadMultiComponents(kHouse, house));
    EXPECT_EQ(house->objectType, 500);
    MultiComponentList* list = house->multi;
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->multiNumber, kHouse);
    EXPECT_EQ(list->placed, 0);
    EXPECT_EQ(list->sharedOwner, nullptr);
    EXPECT_EQ(list->extent, 3) << "the largest of max(|x|, |y|) over the components";

    std::vector<MultiComponentNode*> nodes = Nodes(list);
    ASSERT_EQ(nodes.size(), 3u);
    const int graphics[3] = {1100, 1101, 1103};
    const short offsets[3][3] = {{0, 0, 0}, {-3, 2, 5}, {2, 1, 20}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(nodes[i]->object->objectType, graphics[i]);
        EXPECT_EQ(nodes[i]->xOffset, offsets[i][0]);
        EXPECT_EQ(nodes[i]->yOffset, offsets[i][1]);
        EXPECT_EQ(nodes[i]->zOffset, offsets[i][2]);
        EXPECT_TRUE(nodes[i]->object->IsMultiComp());
        EXPECT_TRUE(InMultiCompList(nodes[i]->object));
        EXPECT_TRUE(nodes[i]->object->inVoid);
    }
    EXPECT_EQ(list->last, nodes[2]);
    EXPECT_EQ(nodes[2]->prev, nodes[1]);
}

TEST_F(MultiTest, PlacingMovesTheComponentsWithTheObjectAndNothingWhenItStays) {
    InstallHouse();
    CDynamicObj* house = MakeHouse();
    SetObjectMulti(house, 100, 200, 10, kHouse);
    ASSERT_NE(house->multi, nullptr);
    EXPECT_EQ(house->multi->placed, 1);
    EXPECT_EQ(house->locX, 100);
    EXPECT_EQ(house->z, 10);
    std::vector<MultiComponentNode*> nodes = Nodes(house->multi);
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_EQ(view.CellItems(97, 202), std::vector<CDrawItem*>{nodes[1]->object});
    EXPECT_EQ(nodes[2]->object->locX, 102);
    EXPECT_EQ(nodes[2]->object->locY, 201);
    EXPECT_EQ(nodes[2]->object->z, 30);

    const size_t events = view.objEvents.size();
    SetObjectMulti(house, 100, 200, 10, kHouse);
    EXPECT_EQ(view.objEvents.size(), events) << "already there: nothing moves";

    SetObjectMulti(house, 101, 200, 10, kHouse);
    EXPECT_EQ(house->locX, 101);
    EXPECT_EQ(nodes[1]->object->locX, 98);
    EXPECT_TRUE(view.CellItems(97, 202).empty());
    EXPECT_EQ(Nodes(house->multi), nodes) << "the same parts, moved";
}

TEST_F(MultiTest, AnotherMultiNumberReplacesTheParts) {
    InstallHouse();
    CDynamicObj* house = MakeHouse();
    SetObjectMulti(house, 100, 200, 0, kHouse);
    const int inUse = StaticPoolCounts().inUse;
    SetObjectMulti(house, 100, 200, 0, 13);
    EXPECT_EQ(house->objectType, 600);
    EXPECT_EQ(house->multi->multiNumber, 13);
    ASSERT_EQ(Nodes(house->multi).size(), 1u);
    EXPECT_EQ(StaticPoolCounts().inUse, inUse - 3 + 1) << "the old parts went back";
    EXPECT_EQ(house->multi->placed, 1);
}

TEST_F(MultiTest, WithoutAUsableDefinitionTheObjectStandsAlone) {
    InstallHouse();
    for (int number : {40, 14, -1}) {
        CDynamicObj* lone = NewDynamicObj(kItem | 2, 1, 0);
        SetObjectMulti(lone, 50, 60, 7, number);
        EXPECT_EQ(lone->multi, nullptr) << number;
        EXPECT_FALSE(lone->inVoid);
        EXPECT_EQ(lone->locX, 50);
        EXPECT_EQ(lone->objectType, 1);
        lone->Release();
    }
    EXPECT_NE(ReportLog().find("multi 14 has 11 bytes"), std::string::npos);
}

TEST_F(MultiTest, ASharedOwnerKeepsThePartsWhenTheListGoes) {
    InstallHouse();
    CDynamicObj* house = MakeHouse();
    ASSERT_TRUE(LoadMultiComponents(kHouse, house));
    const int inUse = StaticPoolCounts().inUse;
    std::vector<CObj*> parts;
    for (MultiComponentNode* n : Nodes(house->multi)) parts.push_back(n->object);

    house->multi->SetSharedOwner(house);
    MultiManager::FreeComponentList(house->multi);
    EXPECT_EQ(house->multi->first, nullptr);
    EXPECT_EQ(house->multi->multiNumber, -1);
    EXPECT_EQ(house->multi->placed, 0);
    EXPECT_EQ(StaticPoolCounts().inUse, inUse) << "the parts belong to the owner";
    for (CObj* part : parts) EXPECT_TRUE(InMultiCompList(part));

    ASSERT_TRUE(LoadMultiComponents(kHouse, house));
    delete house->multi;  // no shared owner: its parts go with it
    house->multi = nullptr;
    EXPECT_EQ(StaticPoolCounts().inUse, inUse);
    for (CObj* part : parts) part->Release();
}

TEST_F(MultiTest, ServerRecordsAreConvertedToHostOrder) {
    const Bytes wire = {0x12, 0x34, 0xFF, 0xFE, 0x00, 0x02, 0x80, 0x00, 0x00, 0x00,
                        0x00, 0x01, 0xAB, 0xCD, 0x00, 0x01, 0x00, 0x02, 0x00, 0x03,
                        0xDE, 0xAD, 0xBE, 0xEF, 0x55, 0x66, 0x77};  // three bytes of a record that
                                                                    // is not whole
    M_BYTE* block = ConvertMultiRecords(wire.data(), static_cast<int>(wire.size()));
    ASSERT_NE(block, nullptr);
    M_WORD words[4];
    M_DWORD flags;
    memcpy(words, block, 8);
    memcpy(&flags, block + 8, 4);
    EXPECT_EQ(words[0], 0x1234);
    EXPECT_EQ(static_cast<short>(words[1]), -2);
    EXPECT_EQ(words[2], 2);
    EXPECT_EQ(static_cast<short>(words[3]), -32768);
    EXPECT_EQ(flags, 1u);
    memcpy(words, block + 12, 8);
    memcpy(&flags, block + 20, 4);
    EXPECT_EQ(words[0], 0xABCD);
    EXPECT_EQ(words[3], 3);
    EXPECT_EQ(flags, 0xDEADBEEFu);
    EXPECT_EQ(Bytes(block + 24, block + 27), Bytes(3, 0));
    delete[] block;

    EXPECT_EQ(ConvertMultiRecords(wire.data(), -12), nullptr);
    EXPECT_NE(ReportLog().find("negative length -12 refused"), std::string::npos);
    M_BYTE* empty = ConvertMultiRecords(nullptr, 0);
    EXPECT_NE(empty, nullptr);
    delete[] empty;
}

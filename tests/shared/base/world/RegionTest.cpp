// The region table: the three layouts of "regions.mul", slots, short and
// oversized files, and the point-in-region test.
#include <cstring>
#include <string>
#include <vector>

#include "support/TwTest.h"
#include "support/datafiles/WorldFormats.h"
#include "world/RegionManager.h"

using namespace tw::test;
using namespace tw::datafiles;

namespace {

const bool registered = [] {
    AddServiceReset(&RegionManager::reset);
    return true;
}();

Region MakeRegion(M_WORD slot, const std::string& name) {
    Region r;
    r.slot = slot;
    r.name = name;
    r.x = 100;
    r.y = -200;
    r.width = 30;
    r.height = 40;
    r.lowZ = -5;
    r.highZ = 20;
    r.word = 0x11223344;
    r.secondName = name + " too";
    r.value1 = 0x0101;
    r.value2 = 0x0202;
    r.value3 = 0x0303;
    r.value4 = 0x44;
    r.value5 = 0x0505;
    return r;
}

int CountRegions() {
    int n = 0;
    for (int slot = 0; slot < RegionManager::MAX_REGIONS; ++slot)
        if (RegionManager::GetRegion(slot)) ++n;
    return n;
}

void Load(const Bytes& file) {
    WriteBytes("regions.mul", file);
    RegionManager::startup();
}

class RegionTest : public TwTest {};

}  // namespace

TEST_F(RegionTest, EachLayoutFillsTheSlotsItsRecordsName) {
    struct Case {
        RegionLayout layout;
        bool secondName;
        M_WORD value1, value2, value3;
        M_BYTE value4;
        M_WORD value5;
    } cases[] = {
        {RegionLayout::Padded112, true, 0x0101, 0x0202, 0x0303, 0x44, 0x0505},
        {RegionLayout::Face103, true, 0x0101, 0x0202, 0, 0x44, 0},
        {RegionLayout::Unversioned58, false, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.layout));
        Load(EncodeRegions({MakeRegion(7, "Fen_Hollow"), MakeRegion(8191, "Last")}, c.layout));
        ASSERT_EQ(CountRegions(), 2);
        const RegionRecord* r = RegionManager::GetRegion(7);
        ASSERT_NE(r, nullptr);
        EXPECT_STREQ(r->name, "Fen_Hollow");
        EXPECT_EQ(r->x, 100);
        EXPECT_EQ(r->y, -200);
        EXPECT_EQ(r->width, 30);
        EXPECT_EQ(r->height, 40);
        EXPECT_EQ(r->lowZ, -5);
        EXPECT_EQ(r->highZ, 20);
        EXPECT_STREQ(r->secondName, c.secondName ? "Fen_Hollow too" : "");
        EXPECT_EQ(r->value1, c.value1);
        EXPECT_EQ(r->value2, c.value2);
        EXPECT_EQ(r->value3, c.value3);
        EXPECT_EQ(r->value4, c.value4);
        EXPECT_EQ(r->value5, c.value5);
        ASSERT_NE(RegionManager::GetRegion(8191), nullptr);
        EXPECT_STREQ(RegionManager::GetRegion(8191)->name, "Last");
    }
}

TEST_F(RegionTest, FullWidthNamesAreTerminated) {
    const std::string forty(40, 'N');
    Region r = MakeRegion(3, forty);
    r.secondName = std::string(40, 'S');
    r.value1 = 0x4141;  // text right after the name must not run on into it
    Load(EncodeRegions({r}, RegionLayout::Padded112));
    const RegionRecord* got = RegionManager::GetRegion(3);
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(std::string(got->name), forty);
    EXPECT_EQ(std::string(got->secondName), std::string(40, 'S'));
}

TEST_F(RegionTest, SlotsBeyondTheTableAreSkippedAndLaterRecordsReplaceEarlierOnes) {
    Load(EncodeRegions(
        {MakeRegion(5, "first"), MakeRegion(8192, "beyond"), MakeRegion(0xFFFF, "far beyond"),
         MakeRegion(5, "second"), MakeRegion(0, "zero")},
        RegionLayout::Padded112));
    EXPECT_EQ(CountRegions(), 2);
    EXPECT_STREQ(RegionManager::GetRegion(5)->name, "second");
    EXPECT_STREQ(RegionManager::GetRegion(0)->name, "zero");
    EXPECT_EQ(RegionManager::GetRegion(8192), nullptr);
    EXPECT_EQ(RegionManager::GetRegion(-1), nullptr);
    EXPECT_NE(ReportLog().find("names slot 8192"), std::string::npos);
}

TEST_F(RegionTest, ACutRecordEndsReadingAndKeepsTheWholeOnes) {
    for (RegionLayout layout :
         {RegionLayout::Padded112, RegionLayout::Face103, RegionLayout::Unversioned58}) {
        SCOPED_TRACE(static_cast<int>(layout));
        RegionManager::reset();
        Bytes file =
            EncodeRegions({MakeRegion(1, "a"), MakeRegion(2, "b"), MakeRegion(3, "c")}, layout);
        file.resize(file.size() - 1);
        Load(file);
        EXPECT_EQ(CountRegions(), 2);
        EXPECT_EQ(RegionManager::GetRegion(3), nullptr);
    }
}

TEST_F(RegionTest, FilesWithoutRecordsLeaveTheTableEmpty) {
    struct Case {
        const char* what;
        Bytes file;
        const char* log;
    } cases[] = {
        {"just the version word", {0xCF, 0xFA}, nullptr},
        {"empty file", {}, nullptr},
        {"one byte", {0xCF}, nullptr},
        {"unknown version word", EncodeRegions({MakeRegion(1, "a")}, RegionLayout::Padded112),
         "unknown layout 0xFAD0"},
    };
    cases[3].file[0] = 0xD0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Load(c.file);
        EXPECT_EQ(CountRegions(), 0);
        if (c.log) {
            EXPECT_NE(ReportLog().find(c.log), std::string::npos);
        }
    }
}

TEST_F(RegionTest, AMissingFileIsLoggedAndLeavesTheTableEmpty) {
    RegionManager::startup();
    EXPECT_EQ(CountRegions(), 0);
    EXPECT_NE(
        ReportLog().find("RegionManager::readRegionsIntoMemory: cannot open file 'regions.mul'."),
        std::string::npos);
}

TEST_F(RegionTest, NoMoreThan8192RecordsAreRead) {
    std::vector<Region> regions;
    for (int n = 0; n < RegionManager::MAX_REGIONS; ++n)
        regions.push_back(MakeRegion(static_cast<M_WORD>(n), "r"));
    regions.push_back(MakeRegion(9, "one too many"));
    Load(EncodeRegions(regions, RegionLayout::Padded112));
    EXPECT_EQ(CountRegions(), RegionManager::MAX_REGIONS);
    EXPECT_STREQ(RegionManager::GetRegion(9)->name, "r");
}

TEST_F(RegionTest, APointIsInsideUpToButNotOnTheEastAndSouthEdges) {
    RegionRecord r;
    r.x = 10;
    r.y = 20;
    r.width = 5;
    r.height = 4;
    r.lowZ = -3;
    r.highZ = 7;
    struct Case {
        int x, y, z;
        BOOL inside;
    } cases[] = {
        {10, 20, 0, TRUE},  {14, 23, 0, TRUE},   {15, 20, 0, FALSE}, {10, 24, 0, FALSE},
        {9, 20, 0, FALSE},  {10, 19, 0, FALSE},  {12, 22, 7, TRUE},  {12, 22, -3, TRUE},
        {12, 22, 8, FALSE}, {12, 22, -4, FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(r.Contains(c.x, c.y, c.z), c.inside) << c.x << "," << c.y << "," << c.z;

    RegionRecord cleared;
    EXPECT_STREQ(cleared.name, "");
    EXPECT_FALSE(cleared.Contains(0, 0, 0));  // an empty box holds nothing
}

// Regions: the named boxes of the world read once from "regions.mul".  The
// table lives from start-up to exit; the region gump reads it, and the
// server's region message only fills a record of its own that it discards.
#pragma once

#include <memory>

#include "TWTypes.h"

// One named box of the world in x, y and height.
class RegionRecord {
public:
    static constexpr int NAME_LENGTH = 40;

    // A cleared record.
    RegionRecord();

    // East and south edges are outside; both height limits are inside.
    BOOL Contains(int px, int py, int pz) const;

    // The file's fixed fields, always terminated here.
    char name[NAME_LENGTH + 1];
    short x;
    short y;
    short width;
    short height;
    short lowZ;
    short highZ;
    char secondName[NAME_LENGTH + 1];
    M_WORD value1;
    M_WORD value2;
    M_WORD value3;
    M_BYTE value4;
    M_WORD value5;
};

class RegionManager {
public:
    static constexpr int MAX_REGIONS = 8192;
    // The layouts of "regions.mul", told by its first u16.
    static constexpr M_WORD VERSION_FACE = 0xFACE;
    static constexpr M_WORD VERSION_FACF = 0xFACF;

    static void startup();
    static void shutdown();
    // Fills the table from "regions.mul"; records already in the table stay
    // unless the file names their slot.
    static void readRegionsIntoMemory();
    static void ClearRegion(RegionRecord* record);

    // The record of a slot, or null for an empty slot or one outside the table.
    static const RegionRecord* GetRegion(int slot);

    // Test only: an empty table.
    static void reset();

private:
    static std::unique_ptr<RegionRecord> regions_[MAX_REGIONS];
};

// The region table and its reader.
//
// "regions.mul" (every number little-endian) starts with a u16 that tells
// its layout; each record names the slot it goes to.
//
//   0xFACF, then 112-byte records:
//     0  char name[40]        54  2 bytes padding      104  u16 value 3
//    40  u16 slot             56  i32 (unused)         106  u8  value 4
//    42  i16 x, y, width,     60  char second[40]      107  1 byte padding
//        height, low z,      100  u16 value 1          108  u16 value 5
//        high z              102  u16 value 2          110  2 bytes padding
//   0xFACE, then 103-byte records, the fields one after another:
//     name[40], u16 slot, six i16, i32, second[40], u16 value 1,
//     u16 value 2, u8 value 4 (values 3 and 5 stay 0)
//   below 0xFACE: no version word; 58-byte records from offset 0:
//     name[40], u16 slot, six i16, i32
//   above 0xFACF: a layout this client does not know; nothing is read.
#include <cstring>
#include <vector>

#include "ByteReader.h"
#include "DebugHooks.h"
#include "FileManager.h"
#include "TWReport.h"
#include "world/RegionManager.h"

namespace {

const char REGIONS_FILE[] = "regions.mul";

constexpr size_t RECORD_FACF = 112;
constexpr size_t RECORD_FACE = 103;
constexpr size_t RECORD_PLAIN = 58;
// Nothing past 8192 records of the largest layout is ever read.
constexpr size_t MAX_FILE_BYTES = 2 + RECORD_FACF * RegionManager::MAX_REGIONS;

// The fields every layout starts with: name, slot and the box.
void ReadHead(ByteReader& r, RegionRecord& rec, M_WORD& slot) {
    r.fixedString(rec.name, sizeof rec.name, RegionRecord::NAME_LENGTH);
    slot = r.u16le();
    rec.x = r.i16le();
    rec.y = r.i16le();
    rec.width = r.i16le();
    rec.height = r.i16le();
    rec.lowZ = r.i16le();
    rec.highZ = r.i16le();
}

void ReadRecord(ByteReader& r, M_WORD version, RegionRecord& rec, M_WORD& slot) {
    ReadHead(r, rec, slot);
    if (version == RegionManager::VERSION_FACF) {
        r.skip(2);
        r.i32le();
        r.fixedString(rec.secondName, sizeof rec.secondName, RegionRecord::NAME_LENGTH);
        rec.value1 = r.u16le();
        rec.value2 = r.u16le();
        rec.value3 = r.u16le();
        rec.value4 = r.u8();
        r.skip(1);
        rec.value5 = r.u16le();
        r.skip(2);
    } else if (version == RegionManager::VERSION_FACE) {
        r.i32le();
        r.fixedString(rec.secondName, sizeof rec.secondName, RegionRecord::NAME_LENGTH);
        rec.value1 = r.u16le();
        rec.value2 = r.u16le();
        rec.value4 = r.u8();
    } else {
        r.i32le();
    }
}

// At most limit bytes of the file; the rest is never needed.
std::vector<M_BYTE> ReadAtMost(FILE* f, size_t limit) {
    std::vector<M_BYTE> bytes(limit);
    size_t got = 0;
    while (got < limit) {
        size_t n = FileManager::read(bytes.data() + got, 1, limit - got, f);
        if (n == 0) break;
        got += n;
    }
    bytes.resize(got);
    return bytes;
}

}  // namespace

std::unique_ptr<RegionRecord> RegionManager::regions_[RegionManager::MAX_REGIONS];

RegionRecord::RegionRecord() {
    RegionManager::ClearRegion(this);
}

BOOL RegionRecord::Contains(int px, int py, int pz) const {
    return px >= x && px < x + width && py >= y && py < y + height && pz >= lowZ && pz <= highZ;
}

void RegionManager::ClearRegion(RegionRecord* record) {
    memset(record->name, 0, sizeof record->name);
    memset(record->secondName, 0, sizeof record->secondName);
    record->x = record->y = record->width = record->height = 0;
    record->lowZ = record->highZ = 0;
    record->value1 = record->value2 = record->value3 = record->value5 = 0;
    record->value4 = 0;
}

void RegionManager::startup() {
    TWReport::message("RegionManager::startup: begin.\n");
    for (auto& slot : regions_) slot.reset();
    readRegionsIntoMemory();
}

void RegionManager::shutdown() {
    TWReport::message("RegionManager::shutdown: begin.\n");
    for (auto& slot : regions_) slot.reset();
}

void RegionManager::reset() {
    for (auto& slot : regions_) slot.reset();
}

const RegionRecord* RegionManager::GetRegion(int slot) {
    if (slot < 0 || slot >= MAX_REGIONS) return nullptr;
    return regions_[slot].get();
}

void RegionManager::readRegionsIntoMemory() {
    FILE* f = FileManager::open(REGIONS_FILE, "rb");
    if (!f) {
        TWReport::warning("RegionManager::readRegionsIntoMemory: cannot open file '%s'.\n",
                          REGIONS_FILE);
        return;
    }
    TWReport::message("RegionManager::readRegionsIntoMemory: ???.\n");
    std::vector<M_BYTE> bytes = ReadAtMost(f, MAX_FILE_BYTES);
    FileManager::close(f);

    ByteReader r(bytes.data(), bytes.size());
    M_WORD version = r.u16le();
    if (!r.ok()) return;
    size_t recordSize = RECORD_PLAIN;
    if (version == VERSION_FACF) {
        recordSize = RECORD_FACF;
    } else if (version == VERSION_FACE) {
        recordSize = RECORD_FACE;
    } else if (version > VERSION_FACF) {
        TWReport::warning(
            "RegionManager::readRegionsIntoMemory: unknown layout 0x%04X of '%s'; no regions "
            "read.\n",
            version, REGIONS_FILE);
        return;
    } else {
        r.seek(0);
    }

    for (int n = 0; n < MAX_REGIONS; ++n) {
        // A record cut short ends the file; the whole ones before it stay.
        if (!r.has(recordSize)) break;
        ByteReader rec = r.sub(recordSize);
        RegionRecord fresh;
        M_WORD slot = 0;
        ReadRecord(rec, version, fresh, slot);
        if (slot >= MAX_REGIONS) {
            TWReport::warning(
                "RegionManager::readRegionsIntoMemory: '%s' record %d names slot %u, beyond "
                "the table; skipped.\n",
                REGIONS_FILE, n, slot);
            continue;
        }
        regions_[slot] = std::make_unique<RegionRecord>(fresh);
    }
    DataFileChangedHook(REGIONS_FILE);
}

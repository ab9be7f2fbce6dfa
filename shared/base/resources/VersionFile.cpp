// "verdata.mul": the version patches.  Item records go into a patch table
// that every lookup consults first; group records go to the owners of the
// tile data (through PatchOwners), animation data, hues and fonts.
//
//   0   i32 count
//   4   count records of 20 bytes: i32 file id, i32 index, i32 payload offset
//       (from the start of the file), i32 payload length, i32 extra word
// Payload of a group record: a 4-byte group header, then the group's records.
#include <cstring>

#include "ByteReader.h"
#include "FileManager.h"
#include "MMF.h"
#include "Service.h"
#include "TWReport.h"
#include "resources/AnimData.h"
#include "resources/DHDCacheState.h"
#include "resources/FontManager.h"
#include "resources/HueManager.h"
#include "resources/PatchOwners.h"
#include "resources/ResourceSettings.h"

namespace dhdcache {

namespace {

constexpr int kVersionRecordSize = 20;
constexpr int kGroupHeaderSize = 4;
constexpr int kReportedSkips = 10;

int& patchBucket(int file, int index) {
    return g.patchBuckets[size_t(file) * kPatchBuckets + (index & (kPatchBuckets - 1))];
}

// What a group record needs: its number range and its bytes after the header.
struct GroupKind {
    int first;
    int last;
    int bytes;
};

bool groupFits(const GroupKind& kind, int index, int length) {
    return index >= kind.first && index <= kind.last && length >= kGroupHeaderSize + kind.bytes;
}

}  // namespace

void ClearPatches() {
    g.patches.clear();
    g.patchBuckets.assign(size_t(CDHDCache::NUM_FILES) * kPatchBuckets, -1);
}

const PatchNode* FindPatch(int file, int index) {
    if (g.patches.empty()) return nullptr;
    for (int n = patchBucket(file, index); n >= 0; n = g.patches[n].next)
        if (g.patches[n].index == index) return &g.patches[n];
    return nullptr;
}

}  // namespace dhdcache

using namespace dhdcache;

namespace {

// Applies one record; false when it does not fit the table it names.
bool applyRecord(std::int32_t id, std::int32_t index, const M_BYTE* payload, std::int32_t length,
                 std::int32_t extra) {
    const M_BYTE* records = payload + kGroupHeaderSize;
    const int recordBytes = length - kGroupHeaderSize;
    if (id >= 0 && id < CDHDCache::NUM_FILES) {
        const int itemSize = kFiles[id].itemSize;
        // A fixed-size item is read whole by its users.
        if (index < 0 || (itemSize > 0 && length != 0 && length < itemSize)) return false;
        if (g.patchBuckets.empty()) ClearPatches();
        int& head = patchBucket(id, index);
        g.patches.push_back(PatchNode{index, payload, length, extra, head});
        head = static_cast<int>(g.patches.size()) - 1;
        return true;
    }
    switch (id) {
        case 30:
            if (groupFits({0, 511, 32 * 26}, index, length) ||
                groupFits({512, 1023, 32 * 37}, index, length)) {
                tw::Service<PatchOwners>::Get().PatchTileDataGroup(index, records, recordBytes);
                return true;
            }
            return false;
        case 31:
            if (!groupFits({0, animCrap::NUM_GROUPS - 1, 8 * 68}, index, length)) return false;
            animCrap::PatchAnimDataGroup(index, records, recordBytes);
            return true;
        case 32:
            if (!groupFits({0, HueManager::NUM_GROUPS - 1, 8 * 88}, index, length)) return false;
            HueManager::PatchHueGroup(index, records, recordBytes);
            return true;
        case 33:
            if (index < 0 || index >= FontManager::MAX_FONTS || length <= 0) return false;
            FontManager::PatchFont(index, payload, length);
            return true;
        default:
            return true;  // other ids carry nothing for this client
    }
}

}  // namespace

void LoadVersionFile() {
    TWReport::print("LoadVersionFile(): begin.\n");
    if (!resource_settings::UseVerData()) return;
    FILE* test = FileManager::open("verdata.mul", "rb");
    if (!test) return;
    char path[1024];
    const char* actual = FileManager::getNameOfStream(test);
    snprintf(path, sizeof path, "%s", actual ? actual : "verdata.mul");
    FileManager::close(test);

    TWReport::print("LoadVersionFile(): mapping file '%s'.\n", path);
    // Patches point into the mapping: a second reading starts from none.
    ClearPatches();
    delete g.verdata;
    g.verdata = new CMMF(path);
    const M_BYTE* base = static_cast<const M_BYTE*>(g.verdata->Open());
    if (!base) return;
    const size_t fileLength = static_cast<size_t>(g.verdata->getLength());
    ByteReader r(base, fileLength);
    std::int32_t count = r.i32le();
    if (count <= 0) return;
    const std::int64_t present = std::int64_t(r.remaining()) / kVersionRecordSize;
    if (count > present) {
        TWReport::warning(
            "LoadVersionFile(): '%s' names %d records but holds %lld. the rest is "
            "ignored.\n",
            path, count, static_cast<long long>(present));
        count = static_cast<std::int32_t>(present);
    }
    if (g.patchBuckets.empty()) ClearPatches();
    g.patches.reserve(g.patches.size() + size_t(count));

    int skipped = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t id = r.i32le();
        std::int32_t index = r.i32le();
        std::int32_t offset = r.i32le();
        std::int32_t length = r.i32le();
        std::int32_t extra = r.i32le();
        bool inside =
            offset >= 0 && length >= 0 && std::int64_t(offset) + length <= std::int64_t(fileLength);
        if (inside && applyRecord(id, index, base + offset, length, extra)) continue;
        if (++skipped <= kReportedSkips)
            TWReport::warning(
                "LoadVersionFile(): record %d (file %d, index %d, offset %d, "
                "length %d) does not fit. skipped.\n",
                i, id, index, offset, length);
    }
    if (skipped > kReportedSkips)
        TWReport::warning("LoadVersionFile(): %d records of '%s' skipped in all.\n", skipped, path);
}

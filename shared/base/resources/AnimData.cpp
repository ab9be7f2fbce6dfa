#include "resources/AnimData.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "ByteReader.h"
#include "DebugHooks.h"
#include "FileManager.h"
#include "TWReport.h"
#include "resources/FileRead.h"

AnimDataEntry animCrap::entries[animCrap::NUM_ENTRIES];
M_DWORD animCrap::tick = 0;

namespace {

constexpr int kGroupHeader = 4;

// One record: 64 frame bytes, current frame, frame count, interval, start.
// Counts above 64 would index past the frames; a current frame at or past
// the count would never wrap.
void readRecord(ByteReader& r, AnimDataEntry* e) {
    for (std::int8_t& f : e->frames) f = r.i8();
    e->current = r.u8();
    e->frameCount = r.u8();
    e->interval = r.u8();
    e->start = r.u8();
    if (e->frameCount > animCrap::MAX_FRAMES) e->frameCount = animCrap::MAX_FRAMES;
    if (e->current >= e->frameCount) e->current = 0;
}

}  // namespace

void animCrap::reset() {
    memset(entries, 0, sizeof entries);
    for (AnimDataEntry& e : entries) e.interval = 8;
    tick = 0;
}

void LoadAnimData() {
    TWReport::print("LoadAnimData(): begin.\n");
    animCrap::reset();
    FILE* f = FileManager::open("animdata.mul", "rb");
    if (!f) return;
    const std::vector<M_BYTE> bytes =
        ReadOpenTable(f, size_t(animCrap::NUM_GROUPS) * (kGroupHeader + 8 * animCrap::RECORD_SIZE));
    FileManager::close(f);

    ByteReader r(bytes.data(), bytes.size());
    for (int id = 0; id < animCrap::NUM_ENTRIES; ++id) {
        if (id % 8 == 0 && !r.skip(kGroupHeader)) break;
        if (!r.has(animCrap::RECORD_SIZE)) break;
        readRecord(r, &animCrap::entries[id]);
        if (id % 8 == 7) AnimDataProgressHook();
    }
}

void FreeAnimData() {}

void animCrap::PatchAnimDataGroup(int group, const M_BYTE* records, int length) {
    if (group < 0 || group >= NUM_GROUPS || length < 8 * RECORD_SIZE) return;
    ByteReader r(records, size_t(length));
    for (int i = 0; i < 8; ++i) {
        AnimDataEntry& e = entries[group * 8 + i];
        readRecord(r, &e);
    }
}

BOOL animCrap::StepEntry(int graphic, int* frameOffset) {
    if (graphic < 0 || graphic >= NUM_ENTRIES) return FALSE;
    AnimDataEntry& e = entries[graphic];
    if (e.interval == 0 || (e.start + tick) % e.interval != 0) return FALSE;
    if (e.lastTick != tick) {
        if (++e.current >= e.frameCount) e.current = 0;
        e.lastTick = tick;
    }
    // A patch may have shortened the sequence under a running entry.
    if (e.current >= MAX_FRAMES) e.current = 0;
    *frameOffset = e.frames[e.current];
    return TRUE;
}

// Animation data: the frame sequences of animated items (water, fire,
// clocks) from "animdata.mul", and the per-frame step that moves every
// animated item on screen by them.  The table and the tick live for the
// process; version patches replace whole groups of 8 entries.
#pragma once

#include <cstdint>

#include "TWTypes.h"

// One entry per item graphic id.
struct AnimDataEntry {
    std::int8_t frames[64];  // graphic offsets added to the item's id per frame
    M_BYTE current;          // current frame index
    M_BYTE frameCount;
    M_BYTE interval;  // ticks per frame; 0 = not animated
    M_BYTE start;     // start offset
    M_DWORD lastTick;
};

class animCrap {
public:
    static constexpr int NUM_ENTRIES = 16384;
    static constexpr int NUM_GROUPS = 2048;
    static constexpr int RECORD_SIZE = 68;
    static constexpr int MAX_FRAMES = 64;

    static AnimDataEntry entries[NUM_ENTRIES];
    static M_DWORD tick;

    // The per-frame step over the object manager's animated items.
    static void Update();
    // Advances the entry of a graphic for the current tick when it steps on
    // it (once per tick, however many items share it) and gives the frame
    // offset; FALSE when the graphic does not step on this tick.
    static BOOL StepEntry(int graphic, int* frameOffset);
    // Replaces entries group * 8 to group * 8 + 7 from a version patch: 8
    // records of 68 bytes.
    static void PatchAnimDataGroup(int group, const M_BYTE* records, int length);
    // Every entry zero with interval 8, the tick 0.
    static void reset();
};

// Reads "animdata.mul" (a missing file leaves the defaults).
void LoadAnimData();
// The shutdown of the animation data, registered right after it: nothing to
// free.
void FreeAnimData();

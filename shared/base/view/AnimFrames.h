// Animation frames: the run-length pictures of mobiles, corpses and worn
// equipment, the choice of animation number and frame, and the two frame
// blitters (shadow and frame with its hue modes) and the frame hit test.
//
// An animation item (from "anim.idx"/"anim.mul" through the data cache) is
// 256 u16 colours, a u32 frame count, a u32 offset per frame (counted from
// the count field; 0: no frame), and at each offset a frame: u16 centre x,
// centre y, width, height, then runs.  A run is a u32 header (length bits
// 0-11, signed 10-bit y offset at bit 12, signed 10-bit x offset at bit 22)
// and length colour indexes; 0x7FFF7FFF ends the frame.
//
// Items come from files and are not trusted: a frame is used only when its
// offset, header and every run up to the end marker lie inside the item; a
// frame that does not is a missing frame.  Main thread only.
#pragma once

#include <cstddef>

#include "TWTypes.h"

class CMobile;

constexpr M_DWORD kFrameEnd = 0x7FFF7FFF;
constexpr int kAnimColours = 256;

// One checked frame of an animation item.
struct AnimFrame {
    const M_WORD* colours = nullptr;  // unaligned: read with ColourAt
    const M_BYTE* item = nullptr;
    int centreX = 0, centreY = 0, width = 0, height = 0;
    const M_BYTE* runs = nullptr;  // the first run header
    size_t runBytes = 0;           // through the end marker

    M_WORD ColourAt(int index) const;
};

// One run of a frame.
struct FrameRun {
    int length;
    int dx;
    int dy;
    const M_BYTE* pixels;
};

// The frame count of an item of `size` bytes, 0 when the item cannot hold
// its colours, count and offsets.
int AnimFrameCount(const M_BYTE* item, size_t size);
// Checks frame `index` of an item and fills *frame; FALSE for a missing or
// bad frame.
BOOL ReadAnimFrame(const M_BYTE* item, size_t size, int index, AnimFrame* frame);
// The runs of a checked frame, in order.
template <typename F>
void ForEachRun(const AnimFrame& frame, F&& f);

// The animation item `number` through the data cache (null when absent or
// when the number lies beyond the index), and its size.
const M_BYTE* GetAnimationItem(int number, size_t* size);

// Body classes: the first animation number of a body.
int FirstAnimationNumber(int body);
// The direction group of a direction byte and whether it is drawn mirrored.
int DirectionGroup(int direction);
BOOL IsMirrored(int direction);

// The notoriety hue of a mobile's state value (0 for none).
int GetNotorietyHue(CMobile* mobile);
// Chooses a mobile's animation number and frame.
void GetAnimationId(int body, int direction, int stepCounter, int actionFrame, int frameCount,
                    int actionNumber, BOOL fast, int* number, int* frame, CMobile* mobile);
// A corpse's death animation number and the frame drawn.
void GetCorpseAnimation(int body, int direction, int* number, int* frameIndex);

// The frame blitters.  The anchor is in world pixels, the clip in pixels of
// the draw target (thelightthingie::target).
void BlitAnimFrameShadow(BOOL mirrored, int anchorX, int anchorY, const RECT& clip,
                         const AnimFrame& frame);
void BlitAnimFrame(BOOL mirrored, int hue, int anchorX, int anchorY, const RECT& clip,
                   const AnimFrame& frame);
// TRUE when the frame drawn with its anchor at (ax, ay) has a pixel at
// (px, py).
BOOL HitFrameRuns(int px, int py, BOOL flipped, int ax, int ay, const AnimFrame& frame);

// ---- implementation of the template ----
#include "ByteReader.h"

template <typename F>
void ForEachRun(const AnimFrame& frame, F&& f) {
    ByteReader r(frame.runs, frame.runBytes);
    for (;;) {
        const M_DWORD header = r.u32le();
        if (!r.ok() || header == kFrameEnd) return;
        FrameRun run;
        run.length = static_cast<int>(header & 0xFFF);
        // Signed 10-bit fields, sign-extended.
        run.dy = static_cast<int>((header >> 12) & 0x3FF);
        if (run.dy & 0x200) run.dy -= 0x400;
        run.dx = static_cast<int>((header >> 22) & 0x3FF);
        if (run.dx & 0x200) run.dx -= 0x400;
        run.pixels = r.view(static_cast<size_t>(run.length));
        if (!run.pixels && run.length) return;
        if (!f(run)) return;
    }
}

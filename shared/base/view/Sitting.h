// Sitting poses: a human mobile (or the player) standing on a chair is
// drawn sitting.  Its standing frame (body and worn figures) is composed
// into a small buffer, remapped by one of four fixed pixel maps (one per
// facing) and blitted shifted by the chair's offset; a chair whose back
// stands in front of the sitter is drawn again over it up to a cut line.
// The mobile drawing asks IsSitting and then calls the sitting forms of
// its rectangle, drawing and picking (DrawItemOps.h).  Main thread only.
#pragma once

#include "TWTypes.h"

class CMobile;
struct AnimFrame;

// A chair: its art, the facings it seats (1 north, 2 east, 4 south,
// 8 west; 0x10: only a mobile that stands still), the pose's screen-y
// offset for east and south and for north and west facings, and the width
// of the back redrawn over a sitter facing north or west (0: none).
struct ChairRecord {
    int art;
    int facings;
    int offsetEastSouth;
    int offsetNorthWest;
    int backCut;
};

// The chair table's record of an art id, or -1.
int FindChair(int art);
const ChairRecord& ChairAt(int index);

// TRUE when the mobile sits on a chair of its cell now; records the chair
// (SittingChair).
BOOL IsSitting(CMobile* mobile);
// The chair IsSitting found last.
int SittingChair();
// Turns a direction to the nearest facing the chair seats (an even one).
void ChooseSittingDirection(int chairIndex, int* direction);

// The composition buffer: 64 x 128 pixels (0: empty); a frame's anchor
// lies at column 32, row 80.
constexpr int kPoseWidth = 64;
constexpr int kPoseHeight = 128;
void ClearSittingPose();
// Draws one frame into the composition buffer: hue low 14 bits select the
// hue (0 none); bit 0x8000 hues only the grey parts.
void ComposeSittingFrame(int hue, BOOL mirrored, const AnimFrame& frame);
// The composed pixel that the pose of a facing shows at (column, row) of
// its 64 x 128 picture.
M_WORD SittingPosePixel(int facing, int column, int row);

// The pose's pixel at a world point for a mobile that IsSitting answers
// TRUE for (0: none): what picking tests.
M_WORD HitTestSitting(CMobile* mobile, int wx, int wy);

// Placing a multi (a house, a ship) or a list of objects: the placement list
// that the two loaders fill, and the preview of every part at the target
// cursor's cell.  The one placement state is reached through g_multiTarget
// while it exists; its lifetime is its creator's (no start-up step makes
// one).
#pragma once

#include <cstddef>
#include <cstdint>

#include "TWTypes.h"

// One part of the placement list.
struct MultiComponent {
    std::int16_t x;
    std::int16_t y;
    std::int16_t z;
    M_WORD graphic;
    M_WORD second;  // 0 for multis; the record's second value for object lists
    M_DWORD zero;
};

class MultiTarget {
public:
    MultiTarget();
    ~MultiTarget();
    MultiTarget(const MultiTarget&) = delete;
    MultiTarget& operator=(const MultiTarget&) = delete;

    char name[16];  // "multi" or "objlist"
    int previewX;   // -1: no preview
    int previewY;
    int previewZ;      // the ground height of the preview cell
    int markX;         // a second position, -1 while unset
    int heightOffset;  // added to the ground height
    int partHeight;    // height of the part being placed
    BOOL active;

    int count;
    MultiComponent* components;  // owned
};

extern MultiTarget* g_multiTarget;

// Object-list records as the placement message passes them: five 32-bit
// words (graphic, second value, x, y, z) of which the low 16 bits count.
constexpr int OBJECT_LIST_RECORD_SIZE = 20;
// As many as a message of 65535 bytes can hold.
constexpr int MAX_OBJECT_LIST_RECORDS = 0xFFFF / OBJECT_LIST_RECORD_SIZE;

// Loads multi `multiId` (records of "multi.idx"/"multi.mul") into the
// placement list, offsets less (dx, dy, dz); FALSE, with the list kept, when
// the multi is absent.
BOOL LoadMultiList(MultiTarget* target, int multiId, M_WORD dx, M_WORD dy, M_WORD dz);
// The same for count object-list records (count * 20 bytes) out of the
// `length` bytes that arrived; FALSE, with the list kept, when they do not
// hold them all.
BOOL LoadObjectList(MultiTarget* target, int count, const M_BYTE* records, size_t length, M_WORD dx,
                    M_WORD dy, M_WORD dz);
// Shows every part at the cell (x, y) on its ground height.
void ShowMultiTargetPreview(MultiTarget* target, int x, int y);
void ClearMultiTargetPreview();
void DeleteMultiTarget(MultiTarget* target);

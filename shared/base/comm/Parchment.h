// What the journal window and the tips window share of their parchment
// layout: the strip of gump art 2080 (top), 2081-2082 (middle, in turn) and
// 2083 (bottom) drawn down a frame.
#pragma once

#include "resources/BlitTarget.h"

namespace parchment {

int ArtWidth(int art);
int ArtHeight(int art);
void DrawArtColumn(const BlitTarget& target, int frameHeight);

}  // namespace parchment

// Stand-in of the data-file cache: tests register the sound records (index
// entry and data) they play.
#pragma once

#include <vector>

namespace tw::fake {

// A sound record: the 40-byte header (zeros) and then the samples as 16-bit
// little-endian values.  The index entry names its offset and length.
void AddSound(int id, const std::vector<short>& samples);
// An index entry alone, for entries whose data must not matter.
void AddSoundIndex(int id, int offset, int length);

}  // namespace tw::fake

// Colour files: "hues.mul", "palette.mul", the hue list texts and
// "radarcol.mul".
#pragma once

#include <array>
#include <string>
#include <vector>

#include "support/datafiles/DataFile.h"

namespace tw::datafiles {

// One hue, 88 bytes:
//   0   u16 colours[32]  (15-bit pixels, index 0 darkest)
//   64  u16 start colour
//   66  u16 end colour
//   68  char name[20]    (NUL-padded; a name of 20 characters has no NUL)
struct HueRecord {
    std::array<M_WORD, 32> colours{};
    M_WORD start = 0;
    M_WORD end = 0;
    std::string name;
};
constexpr int kHueRecordSize = 88;
constexpr int kHueGroupSize = 708;  // u32 header + 8 hues
constexpr int kHueGroups = 375;
constexpr int kHueCount = 3000;

// A hue whose 32 colours run evenly from start to end (5-5-5 channels).
HueRecord RampHue(M_WORD start, M_WORD end, const std::string& name);

Bytes EncodeHueRecord(const HueRecord& hue);
// One group: u32 header, then 8 hues (missing ones are zero).  Also the
// payload of a hue patch in "verdata.mul".
Bytes EncodeHueGroup(const std::vector<HueRecord>& eight, M_DWORD header = 0);
// "hues.mul": `groups` groups of 8 hues; hue n is hues[n] when given, else
// zero.  375 groups make the whole table; fewer make a short file.
Bytes EncodeHues(const std::vector<HueRecord>& hues, int groups = kHueGroups);

// "palette.mul": 256 x {u8 r, u8 g, u8 b}.
Bytes EncodePalette(const std::array<M_BYTE, 768>& rgb);
// A grey ramp: entry i is (i, i, i).
Bytes GreyPalette();

// "skinhue.txt", "hairhue.txt": one "(r,g,b)" line per colour, 8-bit
// components; a line of (0,0,0) starts a new group.
std::string EncodeHueList(const std::vector<std::array<int, 3>>& colours);

// "radarcol.mul": 65536 u16 colours, land tiles by tile id, then static art
// from entry 16384 on; missing entries are zero.
Bytes EncodeRadarColours(const std::vector<M_WORD>& colours);

}  // namespace tw::datafiles

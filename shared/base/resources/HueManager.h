// HueManager: the 3000 hues, colour ramps of 32 pixels through which the
// blitters recolour art, fonts and gumps.  Read from "hues.mul" at start-up
// and normalised so that no ramp entry is the transparent value 0; version
// patches may replace groups of 8 afterwards.  The table and the group lists
// live for the process.
#pragma once

#include "TWTypes.h"

// One hue: its ramp (index 0 darkest), the two colours it was made from and
// its name.  In "hues.mul" a hue is 88 bytes: u16 colours[32], u16 start,
// u16 end, char name[20].
struct Hue {
    M_WORD colors[32];
    M_WORD startColor;
    M_WORD endColor;
    char name[20];
};
using HueEntry = Hue;

class HueManager {
public:
    static constexpr int kNumHues = 3000;
    static constexpr int NUM_HUES = kNumHues;
    static constexpr int NUM_GROUPS = 375;  // of 8 hues, behind a u32 header
    static constexpr int HUE_RECORD_SIZE = 88;
    static constexpr int GROUP_SIZE = 708;
    static constexpr int MAX_SKIN_GROUPS = 8;

    static Hue hueTable[NUM_HUES];
    // Group starts (offsets into the skin or hair hues) for the hue picker.
    static int skinGroupCount;
    static int skinGroups[MAX_SKIN_GROUPS];
    static int hairGroupCount;
    static int hairGroups[MAX_SKIN_GROUPS];

    static void startup();
    static void shutdown();

    // The hue of that number, or null when the number names no hue.
    static const Hue* GetHue(int number);

    // Writes the 8 hues of one group into "hues.mul" and the table; data is
    // 8 records in the file layout, length the bytes that arrived (fewer
    // than 8 * 88 are refused).
    static void SetHues(int group, int header, const char* data, int length);
    // The hue among 1-1000 whose end colour is nearest to a 15-bit colour
    // (the first of equally near ones); 0 when no hue has colours.
    static int FindNearestHue(int colour);
    // Fills hue `number` with a ramp from start to end and names it.
    static void MakeHue(M_WORD number, M_WORD start, M_WORD end, const char* name);

    // Replaces hues group * 8 to group * 8 + 7 from a version patch: 8
    // records in the file layout (length at least 8 * 88).
    static void PatchHueGroup(int group, const M_BYTE* records, int length);

    // Hue tools.
    static void LoadSkinHues();
    static void LoadHairHues();
    static void LoadHueList(const char* fileName, int firstNumber, const char* prefix);
    static void MakeSkinHues(int firstNumber, const M_BYTE colours[20][3]);
    static void ListHues();
    static void WriteHueFile();

    static void reset();
};

// A hue-lightness-saturation colour to three components 0..1 (hue in
// degrees).
void HSIToRGB(double hue, double intensity, double saturation, double* out1, double* out2,
              double* out3);
// 8-bit components to hue (degrees, 0 up to 360), lightness and saturation
// (0..1): the hue picker's conversion, which the hue tools share.
void RGBToHSV(int r, int g, int b, double* hue, double* lightness, double* saturation);

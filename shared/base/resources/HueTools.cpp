// Hue tools: lists of skin and hair colours, generated skin ramps, the hue
// listing and the writer of the whole table.  Nothing in the running client
// calls them.
#include <cstdio>
#include <cstring>
#include <vector>

#include "ByteWriter.h"
#include "FileManager.h"
#include "TWReport.h"
#include "resources/GraphicManager.h"
#include "resources/HueManager.h"

namespace {

// Reads "(r,g,b)" lines; each non-black line makes the next hue, a black line
// starts a new group.  Returns the number of hues made.
int loadList(const char* fileName, int firstNumber, const char* format, const char* prefix,
             int runningStart, int* groups, int* groupCount) {
    FILE* f = FileManager::open(fileName, "rt");
    if (!f) {
        TWReport::warning("HueManager::LoadHueList: cannot open file '%s'.\n", fileName);
        return 0;
    }
    if (groups) {
        groups[0] = 0;
        *groupCount = 1;
    }
    int made = 0;
    char line[264];
    while (fgets(line, sizeof line, f)) {
        int r = 0, g = 0, b = 0;
        if (sscanf(line, "(%d,%d,%d)", &r, &g, &b) != 3) continue;
        if (r == 0 && g == 0 && b == 0) {
            if (groups && *groupCount < HueManager::MAX_SKIN_GROUPS) groups[(*groupCount)++] = made;
            continue;
        }
        char name[64];
        snprintf(name, sizeof name, format, prefix, runningStart + made);
        HueManager::MakeHue(M_WORD(firstNumber + made), 1,
                            GraphicManager::MakeColor(M_BYTE(r), M_BYTE(g), M_BYTE(b)), name);
        ++made;
    }
    FileManager::close(f);
    return made;
}

}  // namespace

void HueManager::LoadSkinHues() {
    loadList("skinhue.txt", 1001, "%sSkinHue #%d", "", 1, skinGroups, &skinGroupCount);
}

void HueManager::LoadHairHues() {
    loadList("hairhue.txt", 1101, "%sHairHue #%d", "", 1, hairGroups, &hairGroupCount);
}

void HueManager::LoadHueList(const char* fileName, int firstNumber, const char* prefix) {
    loadList(fileName, firstNumber, "%s #%d", prefix ? prefix : "", 0, nullptr, nullptr);
}

void HueManager::MakeSkinHues(int firstNumber, const M_BYTE colours[20][3]) {
    static const int kSteps[10] = {0, 100, 200, 300, 400, 500, 600, 700, 800, 900};
    for (int i = 0; i < 20; ++i) {
        double hue = 0, lightness = 0, saturation = 0;
        RGBToHSV(colours[i][0], colours[i][1], colours[i][2], &hue, &lightness, &saturation);
        // The ramp runs from a quarter of the colour's lightness to the colour.
        double r = 0, g = 0, b = 0;
        HSIToRGB(hue, lightness / 4, saturation, &r, &g, &b);
        M_WORD dark = GraphicManager::MakeColor(M_BYTE(r * 255), M_BYTE(g * 255), M_BYTE(b * 255));
        HSIToRGB(hue, lightness, saturation, &r, &g, &b);
        M_WORD light = GraphicManager::MakeColor(M_BYTE(r * 255), M_BYTE(g * 255), M_BYTE(b * 255));
        for (int step : kSteps) MakeHue(M_WORD(firstNumber + step), dark, light, "SKIN");
        firstNumber += 5;
    }
}

void HueManager::ListHues() {
    int first = -1;
    for (int n = 0; n <= NUM_HUES; ++n) {
        bool used = n < NUM_HUES && (hueTable[n].startColor || hueTable[n].endColor);
        if (used && first < 0) first = n;
        if (!used && first >= 0) {
            TWReport::print("Hue (%d->%d)\n", first, n - 1);
            first = -1;
        }
    }
}

void HueManager::WriteHueFile() {
    const char* name = "d:\\tw_final\\hues\\hues.mul";
    std::vector<M_BYTE> bytes;
    ByteWriter w(bytes);
    for (int n = 0; n < NUM_HUES; ++n) {
        if (n % 8 == 0) w.u32le(0);
        const Hue& hue = hueTable[n];
        for (M_WORD c : hue.colors) w.u16le(c);
        w.u16le(hue.startColor).u16le(hue.endColor).raw(hue.name, sizeof hue.name);
    }
    FILE* f = FileManager::openAbsolute(name, "wb");
    if (!f || FileManager::write(bytes.data(), 1, bytes.size(), f) != bytes.size())
        TWReport::error("HueManager::WriteHueFile: cannot write '%s'.\n", name);
    if (f) FileManager::close(f);
}

#include "resources/HueManager.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "ByteReader.h"
#include "ByteWriter.h"
#include "DebugHooks.h"
#include "FileManager.h"
#include "TWReport.h"
#include "resources/FileRead.h"
#include "resources/GraphicManager.h"
#include "resources/ResourceSettings.h"

Hue HueManager::hueTable[HueManager::NUM_HUES];
int HueManager::skinGroupCount = 0;
int HueManager::skinGroups[HueManager::MAX_SKIN_GROUPS];
int HueManager::hairGroupCount = 0;
int HueManager::hairGroups[HueManager::MAX_SKIN_GROUPS];

namespace {

constexpr int kGroupHeader = 4;

// One hue record of 88 bytes in the file layout; false when it is short.
bool readHue(ByteReader& r, Hue* hue) {
    if (!r.has(HueManager::HUE_RECORD_SIZE)) return false;
    for (M_WORD& c : hue->colors) c = r.u16le();
    hue->startColor = r.u16le();
    hue->endColor = r.u16le();
    r.bytes(hue->name, sizeof hue->name);
    return true;
}

void writeHue(ByteWriter& w, const Hue& hue) {
    for (M_WORD c : hue.colors) w.u16le(c);
    w.u16le(hue.startColor).u16le(hue.endColor).raw(hue.name, sizeof hue.name);
}

// No ramp entry may be the transparent value 0, nor carry bit 15.
void normalise(Hue& hue) {
    for (M_WORD& c : hue.colors)
        if (c == 0 || (c & 0x8000)) c = 1;
}

int channelDistance(int a, int b) {
    int d = 0;
    for (int shift : {10, 5, 0}) {
        int x = (a >> shift & 31) - (b >> shift & 31);
        d += x * x;
    }
    return d;
}

}  // namespace

void HueManager::startup() {
    TWReport::print("HueManager::startup: begin.\n");
    memset(hueTable, 0, sizeof hueTable);
    FILE* f = FileManager::open("hues.mul", "rb");
    if (f) {
        std::vector<M_BYTE> bytes = ReadOpenTable(f, size_t(NUM_GROUPS) * GROUP_SIZE);
        FileManager::close(f);
        ByteReader r(bytes.data(), bytes.size());
        // A short file stops at its end; the hues after it stay empty.
        for (int n = 0; n < NUM_HUES; ++n) {
            if (n % 8 == 0 && !r.skip(kGroupHeader)) break;
            Hue& hue = hueTable[n];
            if (!readHue(r, &hue)) {
                memset(&hue, 0, sizeof hue);
                break;
            }
            if (hue.startColor || hue.endColor)
                for (M_WORD& c : hue.colors)
                    if (c == 0) c = 1;
        }
    } else {
        TWReport::error(
            "File:%s, Function:HueManager::CHueManager(): cannot open file ''. "
            "in-game colours may no be correct.\n",
            "shared/base/hue");
    }

    static const int kSkinGroups[MAX_SKIN_GROUPS] = {0, 7, 14, 21, 28, 35, 43, 50};
    skinGroupCount = MAX_SKIN_GROUPS;
    memcpy(skinGroups, kSkinGroups, sizeof skinGroups);

    for (Hue& hue : hueTable) normalise(hue);

    int* colours = resource_settings::HighlightColors();
    int* hues = resource_settings::HighlightHues();
    for (int i = 0; i < resource_settings::kHighlightEntries; ++i) {
        if (colours[i] == 0) continue;
        hues[i] = colours[i] > 0 ? FindNearestHue(colours[i]) : -colours[i];
        colours[i] = 0;
    }
}

void HueManager::shutdown() {
    TWReport::print("HueManager::shutdown: begin.\n");
}

void HueManager::reset() {
    memset(hueTable, 0, sizeof hueTable);
    skinGroupCount = hairGroupCount = 0;
    memset(skinGroups, 0, sizeof skinGroups);
    memset(hairGroups, 0, sizeof hairGroups);
}

int HueManager::FindNearestHue(int colour) {
    int best = 0;
    int bestDistance = 0;
    for (int n = 1; n <= 1000; ++n) {
        const Hue& hue = hueTable[n];
        if (!hue.startColor && !hue.endColor) continue;
        int d = channelDistance(hue.endColor, colour);
        if (best == 0 || d < bestDistance) {
            best = n;
            bestDistance = d;
        }
    }
    return best;
}

void HueManager::MakeHue(M_WORD number, M_WORD start, M_WORD end, const char* name) {
    if (number >= NUM_HUES) return;
    Hue& hue = hueTable[number];
    memset(hue.name, 0, sizeof hue.name);
    if (name) strncpy(hue.name, name, sizeof hue.name - 1);
    hue.startColor = start;
    hue.endColor = end;
    const M_DWORD a = GraphicManager::PixelToRGB(start);
    const M_DWORD b = GraphicManager::PixelToRGB(end);
    double value[3];
    double step[3];
    for (int c = 0; c < 3; ++c) {
        value[c] = double(a >> (8 * c) & 255);
        step[c] = (double(b >> (8 * c) & 255) - value[c]) * 0.03125;
    }
    for (M_WORD& colour : hue.colors) {
        colour = GraphicManager::MakeColor(M_BYTE(int(value[0]) & 255), M_BYTE(int(value[1]) & 255),
                                           M_BYTE(int(value[2]) & 255));
        for (int c = 0; c < 3; ++c) value[c] += step[c];
    }
}

void HueManager::PatchHueGroup(int group, const M_BYTE* records, int length) {
    if (group < 0 || group >= NUM_GROUPS || length < 8 * HUE_RECORD_SIZE) return;
    ByteReader r(records, size_t(length));
    for (int i = 0; i < 8; ++i) {
        Hue& hue = hueTable[group * 8 + i];
        readHue(r, &hue);
        hue.name[sizeof hue.name - 1] = 0;
        // Patches come after the start-up normalisation.
        normalise(hue);
    }
}

void HueManager::SetHues(int group, int header, const char* data, int length) {
    DataFileChangedHook();
    if (group < 0 || group >= NUM_GROUPS || !data) return;
    // The caller's buffer is as long as what arrived, no longer.
    if (length < 8 * HUE_RECORD_SIZE) {
        TWReport::error("HueManager::SetHues: %d bytes for group %d, %d needed. refused.\n", length,
                        group, 8 * HUE_RECORD_SIZE);
        return;
    }
    FILE* f = FileManager::open("hues.mul", "r+b");
    if (!f) TWReport::fatal("HueManager::SetHues: cannot open file '%s'.\n", "hues.mul");
    ByteReader r(data, size_t(length));
    std::vector<M_BYTE> bytes;
    ByteWriter w(bytes);
    w.u32le(static_cast<M_DWORD>(header));
    for (int i = 0; i < 8; ++i) {
        Hue hue;
        readHue(r, &hue);
        writeHue(w, hue);
        normalise(hue);
        int n = group * 8 + i;
        if (n < NUM_HUES) hueTable[n] = hue;
    }
    if (FileManager::seek(f, long(group) * GROUP_SIZE, SEEK_SET) != 0 ||
        FileManager::write(bytes.data(), 1, bytes.size(), f) != bytes.size())
        TWReport::error("HueManager::SetHues: cannot write group %d of '%s'.\n", group, "hues.mul");
    FileManager::close(f);
}

const Hue* HueManager::GetHue(int number) {
    if (number < 0 || number >= NUM_HUES) return nullptr;
    return &hueTable[number];
}

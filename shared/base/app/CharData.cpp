// "chardata.mul": the saved speech and emote hue of each character slot.
//
//   offset  size  field
//   0       2x5   speech hue of slots 0-4, u16 little-endian
//   10      2x5   emote hue of slots 0-4, u16 little-endian
#include <vector>

#include "App.h"
#include "ByteReader.h"
#include "ByteWriter.h"
#include "FileManager.h"
#include "TWReport.h"

namespace {

const char* const kCharData = "chardata.mul";
constexpr size_t kCharDataSize = 20;

// Hues pick rows of the hue table; one outside it becomes 1, as server hues
// do.
M_WORD normalHue(M_WORD hue) {
    return hue > 2999 ? 1 : hue;
}

}  // namespace

void CApp::LoadCharData() {
    for (int i = 0; i < CHAR_SLOTS; ++i) {
        savedSpeechHues[i] = 690;
        savedEmoteHues[i] = 549;
    }
    FILE* file = FileManager::open(kCharData, "rb");
    if (!file) {
        TWReport::print("CApp::LoadCharData: cannot open file '%s'.\n", kCharData);
        return;
    }
    M_BYTE bytes[kCharDataSize];
    size_t got = FileManager::read(bytes, 1, sizeof bytes, file);
    FileManager::close(file);
    // A short file keeps the defaults of the slots it does not hold.
    ByteReader in(bytes, got);
    for (int i = 0; i < CHAR_SLOTS && in.has(2); ++i) savedSpeechHues[i] = normalHue(in.u16le());
    for (int i = 0; i < CHAR_SLOTS && in.has(2); ++i) savedEmoteHues[i] = normalHue(in.u16le());
}

void CApp::SaveCharData() {
    FILE* file = FileManager::open(kCharData, "wb");
    if (!file) {
        TWReport::warning("CApp::SaveCharData: cannot open file '%s' with mode '%s'.\n", kCharData,
                          "wb");
        return;
    }
    std::vector<M_BYTE> bytes;
    ByteWriter out(bytes);
    for (M_WORD hue : savedSpeechHues) out.u16le(hue);
    for (M_WORD hue : savedEmoteHues) out.u16le(hue);
    FileManager::write(bytes.data(), 1, bytes.size(), file);
    FileManager::close(file);
}

// The language loaders over arbitrary images: the first byte chooses a
// section file or "langcode.iff"; a section that loads is then read through
// every accessor.
#include <cstdint>

#include "fuzz/FuzzSupport.h"
#include "strings/LanguageManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    if (size < 1) return 0;
    if (data[0] & 1) {
        LanguageManager::reset();
        LanguageManager::loadLanguageCodes(data + 1, size - 1);
        (void)LanguageManager::getLanguageId("enu");
        return 0;
    }
    LanguageSection section;
    if (!section.loadFromImage(data + 1, size - 1, "fuzz.enu")) return 0;
    int count = section.getNumStrings();
    int value = 0;
    for (int i = -1; i <= count && i < 8; ++i) {
        if (USimStr* s = section.getStr(i)) (void)s->length();
        section.getFont(i, value);
        section.getColor(i, value);
        (void)section.getPosX(i);
        (void)section.getPosY(i);
        int index = 0;
        section.getStrForFrame(i, index);
    }
    return 0;
}

#include "resources/HueManager.h"
#include "resources/SpanHandlers.h"

const M_WORD* HueColours(int hue) {
    const Hue* entry = HueManager::GetHue(hue);
    return entry ? entry->colors : nullptr;
}

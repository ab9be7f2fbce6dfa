#include "resources/FontManager.h"

#include "pending/Pending.h"

void FontManager::startup() {
    TW_PENDING("FontManager::startup");
}
void FontManager::shutdown() {
    TW_PENDING("FontManager::shutdown");
}
void FontManager::PatchFont(int, const M_BYTE*, int) {
    TW_PENDING("FontManager::PatchFont");
}

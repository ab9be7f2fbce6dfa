#include "VersionManager.h"

#include <cstdio>

#include "DebugHooks.h"
#include "TWReport.h"
#include "config/Config.h"
#include "gumps/TextManager.h"

namespace {
const char* const kVersionText = "1.26.1 Test_01";
const M_DWORD kSizes[CVersionManager::LAYOUT_ENTRIES] = {299592, 65536, 1024, 2048, 128,
                                                         8192,   50,    4096, 0,    0};
}  // namespace

M_DWORD CVersionManager::layoutSize[LAYOUT_ENTRIES];
M_DWORD CVersionManager::layoutStart[LAYOUT_ENTRIES];

void CVersionManager::startup() {
    TWReport::print("CVersionManager::startup: begin.\n");
    M_DWORD start = 0;
    for (int i = 0; i < LAYOUT_ENTRIES; ++i) {
        layoutSize[i] = kSizes[i];
        start += kSizes[i];
        layoutStart[i] = start;
    }
    VersionStartupHook();
}

void CVersionManager::shutdown() {
    VersionHookA();
    VersionHookB();
}

void CVersionManager::CheckEditServer() {
    if (EditServerAddress != 0) VersionEditServerHook();
}

void CVersionManager::ShowVersion() {
    char text[64];
    snprintf(text, sizeof text, "TW Version %s.", kVersionText);
    TextManager::AddSystemMessage(0, 3, text);
}

const char* CVersionManager::GetVersionText() {
    return kVersionText;
}

void CVersionManager::reset() {
    for (int i = 0; i < LAYOUT_ENTRIES; ++i) layoutSize[i] = layoutStart[i] = 0;
}

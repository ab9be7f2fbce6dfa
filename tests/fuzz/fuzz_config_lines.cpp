// The "tw.cfg" reader over arbitrary file contents.
#include <cstdint>
#include <cstdio>

#include "ConfigurationManager.h"
#include "FileManager.h"
#include "TWReport.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    FILE* f = fopen("tw.cfg", "wb");
    fwrite(data, 1, size, f);
    fclose(f);
    ConfigurationManager::reset();
    ConfigurationManager::startup();
    ConfigurationManager::loadFromFile("tw.cfg");
    for (auto* item = ConfigurationManager::first(); item; item = item->next)
        (void)ConfigurationManager::getValue(item->getName());
    return 0;
}

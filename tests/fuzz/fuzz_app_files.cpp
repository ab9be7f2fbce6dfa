// The application's own small files: the word list, the ignore list and the
// saved character hues, each read from the same arbitrary bytes.
#include <cstdint>
#include <cstdio>

#include "app/App.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    for (const char* name : {"twbscene.lst", "ignore.lst", "chardata.mul"}) {
        FILE* f = fopen(name, "wb");
        fwrite(data, 1, size, f);
        fclose(f);
    }
    CApp::reset();
    CApp::LoadWordLists();
    CApp::LoadCharData();
    for (int i = 0; i < CApp::ignoreCount; ++i)
        if (CApp::ignoreList[i].name[30] != 0) __builtin_trap();
    return 0;
}

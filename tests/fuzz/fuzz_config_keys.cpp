// The configuration key reader and the single-key writer over arbitrary
// "tw.cfg" contents.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "app/App.h"
#include "app/Config.h"
#include "fuzz/FuzzSupport.h"
#include "resources/GraphicManager.h"
#include "support/doubles/RecordingUpperServices.h"

// The play-area size takes only its two sizes and ends the program on any
// other, which a fuzzed file gives at once.
void GraphicManager::setGameplayWindowPixelWidthAndHeight(int, int) {}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    // The circle of transparency the keys reach.
    static tw::doubles::RecordingCircleTrans circle;
    circle.radii.clear();
    circle.positions.clear();
    FILE* f = fopen("tw.cfg", "wb");
    fwrite(data, 1, size, f);
    fclose(f);

    ResetConfigForTests();
    // Every line through the key reader, except the keys that look host
    // names up or fill the search-path table whose overflow is fatal.
    FILE* in = fopen("tw.cfg", "rb");
    char line[300];
    while (fgets(line, sizeof line, in)) {
        line[strcspn(line, "\r\n")] = 0;
        char *key, *value;
        if (!SplitConfigLine(line, &key, &value) || !value) continue;
        int id = FindConfigKey(key);
        if (id == CFG_EditServer || id == CFG_FileManagerAddSearchPath) continue;
        SetConfigValue(id, value, FALSE);
    }
    fclose(in);

    // Rewrite or append one key chosen by the first byte.
    int id = size ? data[0] % 130 : 0;
    saveConfigDirective(id, "on");
    char out[64];
    getTWCfgDirective(id, out, sizeof out);
    return 0;
}

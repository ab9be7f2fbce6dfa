// The configuration key reader and the single-key writer over arbitrary
// "tw.cfg" contents.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "Service.h"
#include "config/Config.h"
#include "config/ConfigHooks.h"
#include "fuzz/FuzzSupport.h"

namespace {

// What the keys hand to the view, as no-ops here.
class NoHooks final : public ConfigHooks {
public:
    void setGameplayWindowPixelWidthAndHeight(int, int) override {}
    void SetCircleTransRadius(int) override {}
    void SetCircleTransPosition(int, int) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static NoHooks hooks;
    tw::Service<ConfigHooks>::Install(&hooks);
    tw::fuzz::EnterScratchDir();
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

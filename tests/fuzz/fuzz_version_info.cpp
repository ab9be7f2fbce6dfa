// The patch program's version-info reader over arbitrary file contents: what
// it accepts is written back and must read back the same.  The same bytes
// also go through the patch info ("pat") reader.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "OutputManager.h"
#include "PatchClient.h"
#include "fuzz/FuzzSupport.h"

namespace {

bool Same(const std::vector<VersionItem>& a, const std::vector<VersionItem>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].name != b[i].name || a[i].version != b[i].version) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    static COutputManager out;
    FILE* f = fopen("verinfo", "wb");
    fwrite(data, 1, size, f);
    fclose(f);

    CPatchClient client(out, "");
    std::vector<VersionItem> items;
    if (client.ReadVersionInfo("verinfo", items, CPatchClient::MAX_VERSION_ITEMS)) {
        if (!client.WriteVersionInfo("written", items)) abort();
        CPatchClient again(out, "");
        std::vector<VersionItem> reread;
        if (!again.ReadVersionInfo("written", reread, CPatchClient::MAX_VERSION_ITEMS)) abort();
        if (!Same(items, reread) || again.Version() != client.Version() ||
            again.ClientPath() != client.ClientPath() ||
            again.PathPrefix() != client.PathPrefix() ||
            again.ServerAddress() != client.ServerAddress() || again.Port() != client.Port())
            abort();
    }
    CPatchClient merged(out, "");
    merged.DoPatchInfoFile("verinfo");
    if (merged.VersionItems().size() > CPatchClient::MAX_VERSION_ITEMS) abort();
    return 0;
}

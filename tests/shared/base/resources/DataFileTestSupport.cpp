#include "DataFileTestSupport.h"

#include <sys/stat.h>

#include "ByteReader.h"
#include "FileManager.h"
#include "app/App.h"
#include "config/Config.h"
#include "gumps/WorldGumps.h"
#include "resources/AnimData.h"
#include "resources/DHDCache.h"
#include "resources/GraphicManager.h"
#include "resources/HueManager.h"
#include "world/ObjectManager.h"

namespace tw::test {

namespace {
const bool registered = [] {
    AddServiceReset([] {
        // The gumps a test listed are gone with it: forget them before the
        // world's objects go (they tell the open gumps).
        ResetGumpFramework();
        CObjectManager::reset();
        CDHDCache::reset();
        HueManager::reset();
        GraphicManager::reset();
        animCrap::reset();
        ResetConfigForTests();
    });
    return true;
}();

bool isIndexFile(const std::string& name) {
    return name.find("idx") != std::string::npos || name == "anim.idx" || name == "multi.idx" ||
           name == "skills.idx";
}
}  // namespace

std::string Str(const M_BYTE* p, int n) {
    return p ? std::string(reinterpret_cast<const char*>(p), size_t(n)) : std::string("<null>");
}

void ResourceTest::SetUp() {
    TwTest::SetUp();
    FileManager::startup();
}

FileSet ResourceTest::MinimalFiles() {
    FileSet files;
    for (int i = 0; i < CDHDCache::NUM_FILES; ++i)
        files[CDHDCache::GetFileName(i)] = datafiles::Bytes(i == FN_MAP0 ? 196 : 12, 0xFF);
    return files;
}

void ResourceTest::WriteInstall(const FileSet& files, InstallKind kind, int cacheMegabytes) {
    mkdir("cd", 0755);
    for (const auto& [name, bytes] : files) {
        bool onCD = kind == InstallKind::CD || (kind == InstallKind::Mixed && !isIndexFile(name));
        datafiles::WriteBytes(onCD ? "cd/" + name : name, bytes);
    }
    hdConfig = kind == InstallKind::MaxHD ? MaxHD : CDInstall;
    CacheSize = cacheMegabytes;
    snprintf(CdRomDataPath, sizeof CdRomDataPath, "%s/cd", dir().c_str());
}

void ResourceTest::StartCache() {
    CDHDCache::startup();
    CDHDCache::Init();
}

ResourceTest::CacheLists ResourceTest::ReadCacheLists() const {
    std::string bytes = ReadFile("cache0.tw");
    ByteReader r(bytes.data(), bytes.size());
    std::int32_t head[6];
    for (auto& v : head) v = r.i32le();
    auto block = [&](int h) {
        ByteReader b(bytes.data(), bytes.size());
        b.seek(24 + size_t(h) * 24);
        Block out{h, 0, 0, 0, 0};
        out.length = b.i32le();
        out.file = b.i32le();
        out.offset = b.i32le();
        int next = b.i32le();
        b.i32le();
        out.first = b.i32le();
        return std::make_pair(out, next);
    };
    CacheLists lists;
    for (int h = head[0], guard = 0; h >= 0 && guard < 100000; ++guard) {
        auto [b, next] = block(h);
        lists.used.push_back(b);
        h = next;
    }
    for (int h = head[2], guard = 0; h >= 0 && guard < 100000; ++guard) {
        auto [b, next] = block(h);
        lists.free.push_back(b);
        h = next;
    }
    for (int h = head[4], guard = 0; h >= 0 && guard < 100000; ++guard) {
        ++lists.spare;
        h = block(h).second;
    }
    return lists;
}

}  // namespace tw::test

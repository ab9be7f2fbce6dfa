// The data-file cache over hard-disk, CD and mixed installs, its block cache,
// the version patches and the writing of new item versions.
#include <signal.h>
#include <sys/resource.h>

#include <cstring>

#include "ByteReader.h"
#include "DataFileTestSupport.h"
#include "FileManager.h"
#include "Service.h"
#include "TWReport.h"
#include "app/App.h"
#include "config/Config.h"
#include "resources/AnimData.h"
#include "resources/DHDCache.h"
#include "resources/FontManager.h"
#include "resources/HueManager.h"
#include "resources/PatchOwners.h"
#include "view/ViewServices.h"
#include "world/ObjectManager.h"

using namespace tw::test;
using namespace tw::datafiles;

namespace {

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

// Art: items 0 ("land"), 2 (absent), 3 (zero length), 16384 ("static",
// extra 7); gump art 5 with extra 0x00020003; a map block 1 of its own
// bytes; sound index record 4.
FileSet sampleFiles() {
    FileSet files = ResourceTest::MinimalFiles();
    IndexedPair art;
    art.add(0, text("land tile")).add(16384, text("static art"), 7);
    art.setRecord(3, {0, 0, 1});
    art.reserve(16385);
    files["artidx.mul"] = art.indexBytes();
    files["art.mul"] = art.data();
    IndexedPair gumps;
    gumps.add(5, text("gump five"), 0x00020003);
    files["gumpidx.mul"] = gumps.indexBytes();
    files["gumpart.mul"] = gumps.data();
    Bytes map(3 * 196, 0);
    for (int i = 0; i < 196; ++i) map[196 + i] = M_BYTE(i);
    files["map0.mul"] = map;
    IndexedPair sounds;
    sounds.add(4, text("sound four"), 9);
    files["soundidx.mul"] = sounds.indexBytes();
    files["sound.mul"] = sounds.data();
    return files;
}

std::string item(FileNumber idx, FileNumber data, int index, int* size = nullptr,
                 int* extra = nullptr) {
    int s = -1, e = -1;
    const M_BYTE* p = CDHDCache::GetCacheItem(idx, data, index, &s, &e);
    if (size) *size = s;
    if (extra) *extra = e;
    return Str(p, s);
}

class InstallKinds : public ResourceTest, public ::testing::WithParamInterface<InstallKind> {};

}  // namespace

TEST_P(InstallKinds, ReturnTheSameBytesSizeAndExtraWord) {
    WriteInstall(sampleFiles(), GetParam());
    StartCache();
    struct Case {
        FileNumber idx, data;
        int index;
        std::string bytes;
        int size;
        int extra;
    } cases[] = {
        {FN_ARTIDX, FN_ART, 0, "land tile", 9, 0},
        {FN_ARTIDX, FN_ART, 16384, "static art", 10, 7},
        {FN_GUMPIDX, FN_GUMPART, 5, "gump five", 9, 0x00020003},
        {FN_SOUNDIDX, FN_SOUND, 4, "sound four", 10, 9},
        {FN_ARTIDX, FN_ART, 2, "<null>", 0, 0},      // absent record
        {FN_ARTIDX, FN_ART, 3, "<null>", 0, 1},      // zero length
        {FN_ARTIDX, FN_ART, 16385, "<null>", 0, 0},  // past the index
        {FN_ARTIDX, FN_ART, -1, "<null>", 0, 0},
    };
    for (int pass = 0; pass < 2; ++pass)  // the second pass hits the cached blocks
        for (const Case& c : cases) {
            int size = 0, extra = 0;
            EXPECT_EQ(item(c.idx, c.data, c.index, &size, &extra), c.bytes) << c.index;
            EXPECT_EQ(size, c.size) << c.index;
            EXPECT_EQ(extra, c.extra) << c.index;
        }
    const M_BYTE* block = CDHDCache::GetItemData(FN_MAP0, 1);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block[195], 195);
    EXPECT_EQ(CDHDCache::GetItemData(FN_MAP0, 3), nullptr);
    EXPECT_EQ(CDHDCache::GetItemData(FN_ART, 0), nullptr)
        << "variable-size files have no fixed items";
    const M_BYTE* record = CDHDCache::GetItemData(FN_SOUNDIDX, 4);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record[4], 10) << "the index record's length field";
}

INSTANTIATE_TEST_SUITE_P(DHDCache, InstallKinds,
                         ::testing::Values(InstallKind::MaxHD, InstallKind::CD,
                                           InstallKind::Mixed));

TEST_F(ResourceTest, CorruptIndexRecordsAreAbsentInEveryInstall) {
    for (InstallKind kind : {InstallKind::MaxHD, InstallKind::CD}) {
        CDHDCache::reset();
        FileSet files = MinimalFiles();
        IndexedPair art;
        art.add(0, text("0123456789"));
        art.setRecord(1, {10, 1, 0});                   // offset at the end of the data
        art.setRecord(2, {5, 6, 0});                    // runs one byte past the end
        art.setRecord(3, {0, -4, 0});                   // negative length
        art.setRecord(4, {0x7FFFFFF0, 0x7FFFFFF0, 0});  // sum overflows 32 bits
        art.setRecord(5, {-7, 3, 0});                   // negative offset
        art.setRecord(6, {4, 6, 0});                    // exactly the last bytes: present
        files["artidx.mul"] = art.indexBytes();
        files["artidx.mul"].push_back(0xAB);  // a partial record at the end
        files["art.mul"] = art.data();
        WriteInstall(files, kind);
        StartCache();
        for (int i = 1; i <= 5; ++i) EXPECT_EQ(item(FN_ARTIDX, FN_ART, i), "<null>") << i;
        EXPECT_EQ(item(FN_ARTIDX, FN_ART, 6), "456789");
        EXPECT_EQ(item(FN_ARTIDX, FN_ART, 7), "<null>") << "partial record";
        EXPECT_EQ(item(FN_ARTIDX, FN_ART, 0), "0123456789");
    }
}

TEST_F(ResourceTest, AnEmptyDataFileMakesEveryItemAbsent) {
    FileSet files = MinimalFiles();
    IndexedPair art;
    art.setRecord(0, {0, 4, 0});
    files["artidx.mul"] = art.indexBytes();
    files["art.mul"] = {};
    WriteInstall(files, InstallKind::MaxHD);
    StartCache();
    EXPECT_EQ(item(FN_ARTIDX, FN_ART, 0), "<null>");
}

TEST_F(ResourceTest, MaximumInstallNeedsEveryFileAndMakesNoCacheFile) {
    FileSet files = MinimalFiles();
    WriteInstall(files, InstallKind::MaxHD);
    StartCache();
    EXPECT_FALSE(FileExists("cache0.tw"));
    EXPECT_TRUE(CDHDCache::IsOnHardDisk(FN_ART));

    CDHDCache::reset();
    FileManager::reset();
    FileManager::startup();
    remove("texmaps.mul");
    EXPECT_DEATH(StartCache(), "Failed to open 'texmaps.mul' from HD using a maximum install");
}

TEST_F(ResourceTest, MaximumInstallTakesNoFileFromTheCD) {
    // The CD directory is also a search path, so the file manager finds
    // the file there; the hard disk lacks it.
    WriteInstall(MinimalFiles(), InstallKind::MaxHD);
    rename("texmaps.mul", "cd/TEXMAPS.MUL");
    FileManager::addSearchPath((dir() + "/cd/").c_str(), 1, 0);
    FILE* found = FileManager::open("texmaps.mul", "rb");
    ASSERT_NE(found, nullptr);
    FileManager::close(found);
    EXPECT_DEATH(StartCache(), "Failed to open 'texmaps.mul' from HD using a maximum install");
}

TEST_F(ResourceTest, CDInstallStopsWhenAFileIsOnNeitherDisk) {
    FileSet files = MinimalFiles();
    files.erase("skills.mul");
    WriteInstall(files, InstallKind::CD);
    EXPECT_DEATH(StartCache(), "cannot open file 'skills.mul' from either HD or CD");
}

TEST_F(ResourceTest, FilesAreFoundIgnoringCase) {
    FileSet files = MinimalFiles();
    files["ART.MUL"] = text("upper");
    files.erase("art.mul");
    IndexedPair art;
    art.add(0, text("upper"));
    files["artidx.mul"] = art.indexBytes();
    WriteInstall(files, InstallKind::MaxHD);
    StartCache();
    EXPECT_EQ(item(FN_ARTIDX, FN_ART, 0), "upper");
}

TEST_F(ResourceTest, CDInstallAlwaysMakesACacheFileOfAtLeastOneMegabyte) {
    struct Case {
        int configured;
        size_t bytes;
        bool warned;
    } cases[] = {{0, 1000000, true}, {-3, 1000000, true}, {2, 2000000, false}};
    for (const Case& c : cases) {
        CDHDCache::reset();
        TWReport::reset();
        remove("TWReport0.log");
        // Every file on the hard disk: the cache file is made all the same.
        WriteInstall(MinimalFiles(), InstallKind::MaxHD, c.configured);
        hdConfig = CDInstall;
        StartCache();
        EXPECT_EQ(ReadFile("cache0.tw").size(), c.bytes) << c.configured;
        EXPECT_EQ(ReportLog().find("is too small for a CD install") != std::string::npos, c.warned);
        CacheLists lists = ReadCacheLists();
        ASSERT_EQ(lists.free.size(), 1u);
        EXPECT_EQ(lists.free[0].offset, int(c.bytes / 1000000 * 96000 + 24));
        EXPECT_EQ(lists.free[0].length, int(c.bytes - lists.free[0].offset));
        EXPECT_EQ(lists.spare, int(c.bytes / 1000000 * 4000 - 1));
        CDHDCache::shutdown();
        EXPECT_FALSE(FileExists("cache0.tw")) << "removed at exit";
    }
}

namespace {

// Four 300,000-byte art items on the CD: three fill a one-megabyte cache.
constexpr int kBig = 300000;
Bytes big(char c) {
    return Bytes(kBig, M_BYTE(c));
}

}  // namespace

TEST_F(ResourceTest, FullCacheEvictsTheLeastRecentlyUsedBlock) {
    FileSet files = MinimalFiles();
    IndexedPair art;
    for (int i = 0; i < 4; ++i) art.add(i, big(char('A' + i)));
    files["artidx.mul"] = art.indexBytes();
    files["art.mul"] = art.data();
    WriteInstall(files, InstallKind::Mixed);
    StartCache();
    auto get = [](int i) {
        int size = 0, extra = 0;
        const M_BYTE* p = CDHDCache::GetCacheItem(FN_ARTIDX, FN_ART, i, &size, &extra);
        return p && size == kBig && p[0] == 'A' + i && p[kBig - 1] == 'A' + i;
    };
    EXPECT_TRUE(get(0));
    EXPECT_TRUE(get(1));
    EXPECT_TRUE(get(2));
    EXPECT_TRUE(get(0));  // item 0 is now the most recently used, item 1 the least
    EXPECT_TRUE(get(3));  // evicts item 1 and takes its place exactly
    CacheLists lists = ReadCacheLists();
    ASSERT_EQ(lists.used.size(), 3u);
    EXPECT_EQ(lists.used[0].first, 3);
    EXPECT_EQ(lists.used[1].first, 0);
    EXPECT_EQ(lists.used[2].first, 2);
    EXPECT_EQ(lists.used[0].offset, 1000000 - 2 * kBig) << "item 3 where item 1 was";
    ASSERT_EQ(lists.free.size(), 1u);
    EXPECT_EQ(lists.free[0].length, 1000000 - 96024 - 3 * kBig);

    EXPECT_TRUE(get(1));  // evicts item 2, which merges with the free block before it
    lists = ReadCacheLists();
    ASSERT_EQ(lists.used.size(), 3u);
    EXPECT_EQ(lists.used[0].first, 1);
    EXPECT_EQ(lists.used[2].first, 0);
    ASSERT_EQ(lists.free.size(), 1u);
    EXPECT_EQ(lists.free[0].offset, 96024);
    EXPECT_EQ(lists.free[0].length, 1000000 - 96024 - 3 * kBig);
    EXPECT_TRUE(get(0));
    EXPECT_TRUE(get(3));
}

TEST_F(ResourceTest, ReleasedBlocksMergeWithTheirFreeNeighbours) {
    // A art, B gump art, C texture, D multi: 200,000 bytes each, cached in
    // this order, so they lie from the end of the cache backwards.
    const int n = 200000;
    FileSet files = MinimalFiles();
    struct Pair {
        const char* idx;
        const char* data;
        FileNumber idxNo, dataNo;
    } pairs[] = {{"artidx.mul", "art.mul", FN_ARTIDX, FN_ART},
                 {"gumpidx.mul", "gumpart.mul", FN_GUMPIDX, FN_GUMPART},
                 {"texidx.mul", "texmaps.mul", FN_TEXIDX, FN_TEXMAPS},
                 {"multi.idx", "multi.mul", FN_MULTIIDX, FN_MULTI}};
    for (const Pair& p : pairs) {
        IndexedPair pair;
        pair.add(0, Bytes(n, 1));
        files[p.idx] = pair.indexBytes();
        files[p.data] = pair.data();
    }
    WriteInstall(files, InstallKind::Mixed);
    StartCache();
    for (const Pair& p : pairs) item(p.idxNo, p.dataNo, 0);
    auto freeBlocks = [&] {
        std::vector<std::pair<int, int>> out;
        for (const Block& b : ReadCacheLists().free) out.push_back({b.offset, b.offset + b.length});
        return out;
    };
    using Spans = std::vector<std::pair<int, int>>;
    EXPECT_EQ(freeBlocks(), (Spans{{96024, 200000}}));
    CDHDCache::FlushFile(FN_ART);  // no free neighbour: a block of its own
    EXPECT_EQ(freeBlocks(), (Spans{{96024, 200000}, {800000, 1000000}}));
    CDHDCache::FlushFile(FN_GUMPART);  // touches only the following free block
    EXPECT_EQ(freeBlocks(), (Spans{{96024, 200000}, {600000, 1000000}}));
    CDHDCache::FlushFile(FN_MULTI);  // touches only the preceding one
    EXPECT_EQ(freeBlocks(), (Spans{{96024, 400000}, {600000, 1000000}}));
    CDHDCache::FlushFile(FN_TEXMAPS);  // between two free blocks: all three merge
    EXPECT_EQ(freeBlocks(), (Spans{{96024, 1000000}}));
    CacheLists lists = ReadCacheLists();
    EXPECT_TRUE(lists.used.empty());
    EXPECT_EQ(lists.spare, 4000 - 1);
    EXPECT_EQ(item(FN_GUMPIDX, FN_GUMPART, 0).size(), size_t(n)) << "read back after the flush";
}

TEST_F(ResourceTest, AnItemLargerThanTheCacheIsAbsent) {
    FileSet files = MinimalFiles();
    IndexedPair art;
    art.add(0, Bytes(950000, 3)).add(1, text("small"));
    files["artidx.mul"] = art.indexBytes();
    files["art.mul"] = art.data();
    WriteInstall(files, InstallKind::Mixed);
    StartCache();
    int size = -1;
    EXPECT_EQ(item(FN_ARTIDX, FN_ART, 0, &size), "<null>");
    EXPECT_EQ(size, 0);
    EXPECT_EQ(item(FN_ARTIDX, FN_ART, 1), "small");
}

TEST_F(ResourceTest, ReOrderCacheMovesTheBlocksInUseToTheFront) {
    FileSet files = MinimalFiles();
    IndexedPair art;
    for (int i = 0; i < 3; ++i) art.add(i, Bytes(1000, M_BYTE('a' + i)));
    files["artidx.mul"] = art.indexBytes();
    files["art.mul"] = art.data();
    WriteInstall(files, InstallKind::Mixed);
    StartCache();
    item(FN_ARTIDX, FN_ART, 0);
    item(FN_ARTIDX, FN_ART, 1);
    item(FN_ARTIDX, FN_ART, 2);
    item(FN_ARTIDX, FN_ART, 1);
    CDHDCache::ReOrderCache();
    CacheLists lists = ReadCacheLists();
    ASSERT_EQ(lists.used.size(), 3u);
    int offset = 96024;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lists.used[i].header, i);
        EXPECT_EQ(lists.used[i].offset, offset);
        offset += lists.used[i].length;
    }
    EXPECT_EQ(lists.used[0].first, 1);
    EXPECT_EQ(lists.used[1].first, 2);
    EXPECT_EQ(lists.used[2].first, 0);
    ASSERT_EQ(lists.free.size(), 1u);
    EXPECT_EQ(lists.free[0].offset, offset);
    EXPECT_EQ(lists.free[0].length, 1000000 - offset);
    EXPECT_FALSE(FileExists("cache.ord"));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(item(FN_ARTIDX, FN_ART, i), std::string(1000, char('a' + i))) << i;
}

namespace {

Bytes hueGroupPayload(M_WORD colour) {
    std::vector<HueRecord> eight(8);
    for (auto& h : eight) {
        h = RampHue(colour, colour, std::string(25, 'n'));
        h.name = std::string(20, 'x');
    }
    return EncodeHueGroup(eight);
}

}  // namespace

TEST_F(ResourceTest, VersionPatchesOverrideItemsAndFeedTheirOwners) {
    // The owners of what the patches touch: the view's, over the real world
    // model and the recording draw lists.
    tw::ScopedService<PatchOwners> owners(&ViewDataFileOwners());
    FileSet files = sampleFiles();
    VerdataBuilder v;
    v.add(FN_ART, 0, text("first patch"), 1);
    v.add(FN_ART, 0, text("later patch"), 2);  // the later record wins
    v.add(FN_GUMPART, 5, {});                  // removed
    v.add(FN_MAP0, 1, Bytes(196, 0x5A));
    v.add(FN_MAP0, 2, Bytes(10, 1));  // shorter than a map block: skipped
    TileData tiles;
    tiles.items[40].height = 9;
    tiles.land[3 * 32 + 1].texture = 7;
    v.add(kVerdataTileData, 512 + 1, tiles.itemGroup(1));
    v.add(kVerdataTileData, 3, tiles.landGroup(3));
    v.add(kVerdataTileData, 1024, tiles.itemGroup(0));  // no such group
    AnimDataRecord anim;
    anim.frameCount = 200;
    anim.interval = 5;
    std::array<AnimDataRecord, 8> eight{};
    eight[2] = anim;
    v.add(kVerdataAnimData, 10, EncodeAnimDataGroup(eight));
    v.add(kVerdataAnimData, 2048, EncodeAnimDataGroup(eight));
    v.add(kVerdataHues, 374, hueGroupPayload(0x1234));
    v.add(kVerdataHues, 375, hueGroupPayload(0x4321));
    v.add(kVerdataHues, 2, Bytes(100, 0));  // too short for a group
    BitmapFont font = TextFont(0x7FFF);
    v.add(kVerdataFont, 3, EncodeFontGlyphs(font));
    v.add(kVerdataFont, 25, EncodeFontGlyphs(font));
    v.add(99, 0, text("unknown id"));
    files["verdata.mul"] = v.bytes();

    for (InstallKind kind : {InstallKind::MaxHD, InstallKind::CD}) {
        CDHDCache::reset();
        CObjectManager::reset();
        CObjectManager::startup();
        FontManager::reset();
        WriteInstall(files, kind);
        StartCache();
        LoadVersionFile();
        int size = 0, extra = 0;
        EXPECT_EQ(item(FN_ARTIDX, FN_ART, 0, &size, &extra), "later patch");
        EXPECT_EQ(extra, 2);
        EXPECT_EQ(item(FN_GUMPIDX, FN_GUMPART, 5, &size), "<null>");
        EXPECT_EQ(size, 0);
        EXPECT_EQ(item(FN_ARTIDX, FN_ART, 16384), "static art") << "unpatched items stay";
        ASSERT_NE(CDHDCache::GetItemData(FN_MAP0, 1), nullptr);
        EXPECT_EQ(CDHDCache::GetItemData(FN_MAP0, 1)[0], 0x5A);
        EXPECT_EQ(CDHDCache::GetItemData(FN_MAP0, 2)[0], 0) << "the short patch was skipped";
    }
    EXPECT_EQ(CObjectManager::ItemTile(40).height, 9) << "item 40's height";
    EXPECT_EQ(CObjectManager::TerrainTile(3 * 32 + 1).texture, 7);
    EXPECT_EQ(animCrap::entries[82].frameCount, 64) << "clamped";
    EXPECT_EQ(animCrap::entries[82].interval, 5);
    EXPECT_EQ(HueManager::hueTable[2999].colors[0], 0x1234);
    EXPECT_EQ(std::string(HueManager::hueTable[2999].name), std::string(19, 'x'));
    EXPECT_TRUE(FontManager::ValidFont(3)) << "the font patch made font 3";
    EXPECT_EQ(FontManager::GetCharWidth(3, 'x'), 6);
}

TEST_F(ResourceTest, CorruptVersionFilesAreRefusedCleanly) {
    const Bytes payload = text("patched!");
    struct Case {
        const char* what;
        Bytes file;
        bool applied;  // the one good record for art 0
    } cases[] = {
        {"count past the records", VerdataBuilder().add(FN_ART, 0, payload).setCount(1000).bytes(),
         true},
        {"negative count", VerdataBuilder().add(FN_ART, 0, payload).setCount(-1).bytes(), false},
        {"only the count", Bytes{5, 0, 0, 0}, false},
        {"shorter than the count", Bytes{1, 0}, false},
        {"offset past the file", VerdataBuilder().addRaw({FN_ART, 0, 1000, 4, 0}).bytes(), false},
        {"negative length", VerdataBuilder().addRaw({FN_ART, 0, 4, -8, 0}).bytes(), false},
        {"offset plus length overflows",
         VerdataBuilder().addRaw({FN_ART, 0, 0x7FFFFFF0, 0x7FFFFFF0, 0}).bytes(), false},
        {"negative index", VerdataBuilder().add(FN_ART, -5, payload).bytes(), false},
        {"truncated payload",
         [&] {
             Bytes b = VerdataBuilder().add(FN_ART, 0, payload).bytes();
             b.resize(b.size() - 1);
             return b;
         }(),
         false},
    };
    for (const Case& c : cases) {
        CDHDCache::reset();
        FileSet files = sampleFiles();
        files["verdata.mul"] = c.file;
        WriteInstall(files, InstallKind::MaxHD);
        StartCache();
        LoadVersionFile();
        EXPECT_EQ(item(FN_ARTIDX, FN_ART, 0), c.applied ? "patched!" : "land tile") << c.what;
    }
}

TEST_F(ResourceTest, VersionPatchesNeedUseVerData) {
    FileSet files = sampleFiles();
    files["verdata.mul"] = VerdataBuilder().add(FN_ART, 0, text("patch")).bytes();
    WriteInstall(files, InstallKind::MaxHD);
    UseVerData = 0;
    StartCache();
    LoadVersionFile();
    EXPECT_EQ(item(FN_ARTIDX, FN_ART, 0), "land tile");
}

namespace {

std::vector<std::int32_t> indexRecord(const std::string& file, int index) {
    std::string bytes = ReadFile(file);
    ByteReader r(bytes.data(), bytes.size());
    r.seek(size_t(index) * 12);
    return {r.i32le(), r.i32le(), r.i32le()};
}

}  // namespace

TEST_F(ResourceTest, AddVersionedItemAppendsOverwritesAndRemoves) {
    FileSet files = sampleFiles();
    WriteInstall(files, InstallKind::MaxHD);
    StartCache();
    const size_t dataSize = files["art.mul"].size();

    CDHDCache::AddVersionedItem(FN_ARTIDX, FN_ART, 0, 11, "a longer land tile", 18);
    EXPECT_EQ(indexRecord("artidx.mul", 0), (std::vector<std::int32_t>{int(dataSize), 18, 11}));
    EXPECT_EQ(ReadFile("art.mul").substr(dataSize), "a longer land tile");
    EXPECT_EQ(item(FN_ARTIDX, FN_ART, 0), "a longer land tile");

    CDHDCache::AddVersionedItem(FN_ARTIDX, FN_ART, 16384, 12, "short", 5);
    EXPECT_EQ(indexRecord("artidx.mul", 16384), (std::vector<std::int32_t>{9, 5, 12}));
    EXPECT_EQ(ReadFile("art.mul").substr(9, 10), "shortc art") << "overwritten in place";
    EXPECT_EQ(item(FN_ARTIDX, FN_ART, 16384), "short");

    for (int size : {0, -3}) {
        CDHDCache::AddVersionedItem(FN_ARTIDX, FN_ART, 16384, 13, "ignored", size);
        EXPECT_EQ(indexRecord("artidx.mul", 16384), (std::vector<std::int32_t>{-1, 0, 13}));
        EXPECT_EQ(item(FN_ARTIDX, FN_ART, 16384), "<null>");
    }

    // A new index past the end of the index file: the gap holds absent records.
    CDHDCache::AddVersionedItem(FN_GUMPIDX, FN_GUMPART, 8, 3, "gump eight", 10);
    EXPECT_EQ(indexRecord("gumpidx.mul", 7), (std::vector<std::int32_t>{-1, 0, 0}));
    EXPECT_EQ(item(FN_GUMPIDX, FN_GUMPART, 8), "gump eight");
    EXPECT_EQ(item(FN_GUMPIDX, FN_GUMPART, 5), "gump five");

    const std::string before = ReadFile("artidx.mul");
    for (int index : {-1, 65536, 0x40000000})
        CDHDCache::AddVersionedItem(FN_ARTIDX, FN_ART, index, 0, "x", 1);
    CDHDCache::AddVersionedItem(FN_ART, FN_ARTIDX, 0, 0, "x", 1);  // pair reversed
    EXPECT_EQ(ReadFile("artidx.mul"), before);

    char block[196];
    memset(block, 0x33, sizeof block);
    CDHDCache::AddVersionedItem(FN_MAP0, 2, block);
    EXPECT_EQ(CDHDCache::GetItemData(FN_MAP0, 2)[100], 0x33);
    CDHDCache::AddVersionedItem(FN_MAP0, 3, block);  // outside the file
    EXPECT_EQ(ReadFile("map0.mul").size(), 3u * 196);
}

TEST_F(ResourceTest, AddVersionedItemLeavesCDFilesAlone) {
    WriteInstall(sampleFiles(), InstallKind::Mixed);
    StartCache();
    item(FN_ARTIDX, FN_ART, 0);
    const std::string index = ReadFile("artidx.mul");
    CDHDCache::AddVersionedItem(FN_ARTIDX, FN_ART, 0, 0, "new", 3);
    EXPECT_EQ(ReadFile("artidx.mul"), index);
    EXPECT_EQ(item(FN_ARTIDX, FN_ART, 0), "land tile");
    EXPECT_NE(ReportLog().find("is read from the CD"), std::string::npos);
}

TEST_F(ResourceTest, AFailedWriteIsLoggedAndTheOldItemStays) {
    // A large data file, so that the log file stays below the size limit.
    FileSet files = sampleFiles();
    files["art.mul"].resize(4000000);
    WriteInstall(files, InstallKind::MaxHD);
    StartCache();
    // Files may not grow: the append fails half way.
    signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tight = old;
    tight.rlim_cur = ReadFile("art.mul").size() + 4;
    setrlimit(RLIMIT_FSIZE, &tight);
    CDHDCache::AddVersionedItem(FN_ARTIDX, FN_ART, 0, 0, "a much longer land tile", 23);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(item(FN_ARTIDX, FN_ART, 0), "land tile");
    EXPECT_EQ(item(FN_ARTIDX, FN_ART, 16384), "static art");
    EXPECT_NE(ReportLog().find("cannot write item 0"), std::string::npos);
}

TEST_F(ResourceTest, SmallBlocksThatUseUpTheHeadersStillServeTheRightBytes) {
    // 4500 map blocks fit into one megabyte, but only 4000 headers exist.
    const int blocks = 4500;
    FileSet files = MinimalFiles();
    Bytes map(size_t(blocks) * 196);
    for (int b = 0; b < blocks; ++b)
        for (int i = 0; i < 196; ++i) map[size_t(b) * 196 + i] = M_BYTE(b * 7 + i);
    files["map0.mul"] = map;
    WriteInstall(files, InstallKind::CD);
    StartCache();
    for (int pass = 0; pass < 2; ++pass)
        for (int b = 0; b < blocks; ++b) {
            const M_BYTE* p = CDHDCache::GetItemData(FN_MAP0, b);
            ASSERT_NE(p, nullptr) << b;
            ASSERT_EQ(p[0], M_BYTE(b * 7)) << b;
            ASSERT_EQ(p[195], M_BYTE(b * 7 + 195)) << b;
        }
    CacheLists lists = ReadCacheLists();
    EXPECT_EQ(int(lists.used.size() + lists.free.size()) + lists.spare, 4000);
}

TEST_F(ResourceTest, ACacheFileThatCannotBeWrittenWholeLeavesTheCDReadDirectly) {
    // The file may reach all but its last byte: the write that fails is the
    // one that empties the stream's buffer when the file is closed.
    FileSet files = sampleFiles();
    files["verdata.mul"] = Bytes(4);
    WriteInstall(files, InstallKind::CD);
    signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tight = old;
    tight.rlim_cur = 1000000 - 1;
    setrlimit(RLIMIT_FSIZE, &tight);
    StartCache();
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_NE(ReportLog().find("cannot write cache file"), std::string::npos);
    EXPECT_FALSE(FileExists("cache0.tw"));
    EXPECT_EQ(item(FN_ARTIDX, FN_ART, 16384), "static art");
    ASSERT_NE(CDHDCache::GetItemData(FN_MAP0, 1), nullptr);
    EXPECT_EQ(CDHDCache::GetItemData(FN_MAP0, 1)[7], 7);
}

TEST_F(ResourceTest, AddVersionedItemAppendsWhenTheOldRecordLiesOutsideTheData) {
    // Lookups count such an item as absent; writing at its offset would
    // grow the data file far past its end.
    FileSet files = MinimalFiles();
    IndexedPair art;
    art.add(0, text("0123456789"));
    art.setRecord(1, {1000000, 2000, 0});
    art.setRecord(2, {8, 0x7FFFFFF0, 0});
    files["artidx.mul"] = art.indexBytes();
    files["art.mul"] = art.data();
    WriteInstall(files, InstallKind::MaxHD);
    StartCache();
    CDHDCache::AddVersionedItem(FN_ARTIDX, FN_ART, 1, 4, "one", 3);
    CDHDCache::AddVersionedItem(FN_ARTIDX, FN_ART, 2, 5, "two", 3);
    ASSERT_EQ(ReadFile("art.mul").size(), 16u);
    EXPECT_EQ(ReadFile("art.mul"), "0123456789onetwo");
    EXPECT_EQ(indexRecord("artidx.mul", 1), (std::vector<std::int32_t>{10, 3, 4}));
    EXPECT_EQ(indexRecord("artidx.mul", 2), (std::vector<std::int32_t>{13, 3, 5}));
    EXPECT_EQ(item(FN_ARTIDX, FN_ART, 2), "two");
}

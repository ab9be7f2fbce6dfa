// The sample installation of mkinstall is complete and readable: the data
// files, hues, animation data and language files load through the client's
// own readers without a missing file, and the items the sample is made of
// are there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "FileManager.h"
#include "Service.h"
#include "TWReport.h"
#include "app/App.h"
#include "config/Config.h"
#include "gumps/MouseManager.h"
#include "login/ProfessionFile.h"
#include "resources/AnimData.h"
#include "resources/DHDCache.h"
#include "resources/FontManager.h"
#include "resources/GraphicManager.h"
#include "resources/GumpArt.h"
#include "resources/HueManager.h"
#include "resources/PatchOwners.h"
#include "resources/SkipDraw.h"
#include "resources/UnicodeFont.h"
#include "strings/LanguageManager.h"
#include "support/TwTest.h"
#include "support/datafiles/ArtFormats.h"
#include "support/datafiles/CursorArt.h"
#include "view/MouseCursor.h"
#include "view/ViewServices.h"
#include "world/ObjectManager.h"

namespace {

class SampleInstall : public tw::test::TwTest {
protected:
    void SetUp() override {
        TwTest::SetUp();
        tw::test::AddServiceReset([] {
            CDHDCache::reset();
            HueManager::reset();
            GraphicManager::reset();
            animCrap::reset();
            LanguageManager::reset();
            FontManager::reset();
            ResetUnicodeFontsForTests();
            ResetConfigForTests();
        });
        std::string command = std::string(MKINSTALL_PATH) + " sample > mkinstall.out";
        ASSERT_EQ(std::system(command.c_str()), 0);
        ASSERT_EQ(chdir("sample"), 0);
    }

    // The version patches of the tile data go through the view's owners to
    // the real object manager, as in the program.
    tw::ScopedService<PatchOwners> installedPatches_{&ViewDataFileOwners()};
};

}  // namespace

TEST_F(SampleInstall, LoadsThroughTheReadersWithoutAMissingFile) {
    FileManager::startup();
    hdConfig = MaxHD;
    GraphicManager::startup();
    HueManager::startup();
    CDHDCache::startup();
    LoadAnimData();
    CDHDCache::Init();
    LoadVersionFile();
    LanguageManager::startup();
    FontManager::startup();
    LoadUnicodeFont();

    const std::string log = tw::test::ReadFile("TWReport0.log");
    for (const char* missing :
         {"failed to open", "cannot open", "cannot load", "no bytes read", "cannot map"}) {
        size_t at = log.find(missing);
        EXPECT_EQ(at, std::string::npos)
            << log.substr(log.rfind('\n', at) + 1, log.find('\n', at) - log.rfind('\n', at));
    }

    int size = 0, extra = 0;
    EXPECT_NE(CDHDCache::GetCacheItem(FN_ARTIDX, FN_ART, 3, &size, &extra), nullptr);
    EXPECT_EQ(size, 2048) << "a land tile";
    for (int cursor = 24659; cursor <= 24697; ++cursor)
        ASSERT_TRUE(GetArtData(cursor)) << "cursor art " << cursor;
    // Every cursor art loads.
    tw::ScopedService<MouseCursorService> cursor(&ViewMouseCursor());
    MouseManager::reset();
    MouseManager::LoadCursorArt();
    for (int index = 0; index < tw::datafiles::kCursorArtCount; ++index) {
        int w = 0, h = 0;
        EXPECT_NE(CursorArtPicture(24659 + index, &w, &h), nullptr) << "cursor art " << index;
    }
    MouseManager::FreeCursorArt();
    EXPECT_NE(CDHDCache::GetCacheItem(FN_GUMPIDX, FN_GUMPART, 5500, &size, &extra), nullptr);
    EXPECT_EQ(extra, 640 << 16 | 480);
    // The tool-tip frame at its exact sizes, and the container windows.
    for (const auto& piece : tw::datafiles::ToolTipFrameArt()) {
        int w = 0, h = 0;
        GetGumpArtSize(piece.id, &w, &h);
        EXPECT_EQ(w, piece.image.width) << "tool-tip art " << piece.id;
        EXPECT_EQ(h, piece.image.height) << "tool-tip art " << piece.id;
    }
    // Every art the input fields, list boxes and choice lists draw.
    const std::pair<int, int> controlArt[] = {{250, 257},   {2360, 2371}, {2435, 2437},
                                              {2445, 2446}, {2480, 2489}, {3000, 3008},
                                              {3500, 3508}, {5009, 5009}, {5109, 5110}};
    for (const auto& [first, last] : controlArt) {
        for (int art = first; art <= last; ++art) {
            int w = 0, h = 0;
            GetGumpArtSize(art, &w, &h);
            EXPECT_GT(w * h, 0) << "control art " << art;
        }
    }
    for (int container : {9, 60, 68, 82, 2330, 2350}) {
        int w = 0, h = 0;
        GetGumpArtSize(container, &w, &h);
        EXPECT_GT(w, 100) << "container art " << container;
    }
    EXPECT_NE(CDHDCache::GetCacheItem(FN_SOUNDIDX, FN_SOUND, 0, &size, &extra), nullptr);
    EXPECT_NE(CDHDCache::GetCacheItem(FN_SKILLSIDX, FN_SKILLS, 48, &size, &extra), nullptr);
    EXPECT_NE(CDHDCache::GetCacheItem(FN_MULTIIDX, FN_MULTI, 0, &size, &extra), nullptr);
    EXPECT_NE(CDHDCache::GetCacheItem(FN_ANIMIDX, FN_ANIM, 35000, &size, &extra), nullptr);
    // The house at (33..39, 33..38) lies in block 4 * 512 + 4.
    EXPECT_NE(CDHDCache::GetCacheItem(FN_STAIDX0, FN_STATICS0, 4 * 512 + 4, &size, &extra),
              nullptr);
    const M_BYTE* block = CDHDCache::GetItemData(FN_MAP0, 4 * 512 + 4);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(CDHDCache::GetItemData(FN_MAP0, 8 * 512), nullptr) << "the map ends after x 63";
    EXPECT_NE(HueManager::GetHue(2999)->endColor, 0);
    EXPECT_GT(animCrap::entries[6039].interval, 0);
    EXPECT_STREQ(LanguageManager::getUserLanguageCodeString(), "enu");
    for (int font = 0; font < 10; ++font) EXPECT_TRUE(FontManager::ValidFont(font)) << font;
    EXPECT_GT(FontManager::GetCharWidth(3, 'A'), 0);
    EXPECT_TRUE(UnicodeFontsLoaded());
}

// The sample's professions read into a tree whose categories name only
// records that exist, each leaf with three skills of the skill table.
TEST_F(SampleInstall, ProfessionFileReadsIntoACompleteTree) {
    FILE* f = fopen("prof.txt", "r");
    ASSERT_NE(f, nullptr);
    ProfessionList list;
    ReadProfessionFile(f, list);
    fclose(f);
    LinkProfessionParents(list);
    ASSERT_EQ(list.size(), 4u);
    for (const auto& p : list) {
        for (const std::string& child : p->Children)
            EXPECT_NE(FindProfessionIn(list, child.c_str()), nullptr) << child;
        if (p->Type) continue;
        ASSERT_EQ(p->Skills.size(), 3u) << p->Name;
        for (const auto& skill : p->Skills) EXPECT_GE(skill.index, 0) << p->Name;
        EXPECT_EQ(p->Str + p->Dex + p->Int, 65) << p->Name;
    }
}

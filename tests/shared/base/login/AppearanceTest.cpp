// The appearance gump's preview: every hair and facial hair style and every
// colour choice changes the figure, for both sexes (golden pictures of the
// figure in each state, side by side).
#include <string>
#include <vector>

#include "config/Config.h"
#include "login/CharCreationGump.h"
#include "resources/HueManager.h"
#include "shared/base/gumps/GumpTestSupport.h"
#include "support/GoldenImage.h"
#include "support/datafiles/CreationArt.h"

namespace {

using tw::test::Image16;

constexpr int kTileX = CCharCreationGump::kPreviewX - 2, kTileY = CCharCreationGump::kPreviewY - 2;
constexpr int kTileW = 68, kTileH = 174, kColumns = 10;

class AppearanceTest : public tw::test::GumpTest {
protected:
    void SetUp() override {
        GumpTest::SetUp();
        use565 = FALSE;
        tw::test::InstallGumpArt(tw::datafiles::CreationFigureArt());
        HueManager::MakeHue(1002, 0x7E8C, 0x7FFF, "skin");
        HueManager::MakeHue(1102, 0x2084, 0x4A52, "dark hair");
        HueManager::MakeHue(1120, 0x7C00, 0x7E73, "red hair");
        HueManager::MakeHue(1130, 0x03E0, 0x3FEF, "green beard");
        HueManager::MakeHue(202, 0x001F, 0x3DFF, "blue cloth");
        HueManager::MakeHue(303, 0x7FE0, 0x7FF7, "yellow cloth");
        HueManager::MakeHue(404, 0x7C1F, 0x7DFF, "purple cloth");
    }

    // The figure as the gump's frame holds it.
    static std::vector<M_WORD> Tile(CCharCreationGump& g) {
        g.Render();
        std::vector<M_WORD> tile;
        for (int y = 0; y < kTileH; ++y)
            for (int x = 0; x < kTileW; ++x)
                tile.push_back(g.FramePixels(0)[(kTileY + y) * g.pitch + kTileX + x]);
        return tile;
    }

    static Image16 Sheet(const std::vector<std::vector<M_WORD>>& tiles) {
        Image16 sheet;
        sheet.depth = 15;
        sheet.width = kColumns * kTileW;
        sheet.height = static_cast<int>((tiles.size() + kColumns - 1) / kColumns) * kTileH;
        sheet.pixels.assign(static_cast<size_t>(sheet.width) * sheet.height, 0);
        for (size_t i = 0; i < tiles.size(); ++i) {
            const int ox = static_cast<int>(i % kColumns) * kTileW;
            const int oy = static_cast<int>(i / kColumns) * kTileH;
            for (int y = 0; y < kTileH; ++y)
                for (int x = 0; x < kTileW; ++x)
                    sheet.pixels[static_cast<size_t>(oy + y) * sheet.width + ox + x] =
                        tiles[i][static_cast<size_t>(y) * kTileW + x];
        }
        return sheet;
    }

    // The base look, then each style in turn, then each colour changed
    // from the base; every picture must differ from every other.
    std::vector<std::vector<M_WORD>> AllChoices(CCharCreationGump& g) {
        std::vector<std::vector<M_WORD>> tiles;
        auto base = [&] {
            g.skinHue = 1002, g.hairHue = 1102, g.facialHue = 1102;
            g.shirtHue = 202, g.pantsHue = 303;
            g.hairField->value = 1;
            g.HandleButton(g.hairField);
            g.facialField->value = 0;
            g.HandleButton(g.facialField);
        };
        base();
        tiles.push_back(Tile(g));
        const int hairRows =
            g.female ? CCharCreationGump::kHairRows : CCharCreationGump::kHairRows - 1;
        for (int row = 0; row < hairRows; ++row) {
            if (row == 1) continue;  // the base
            g.hairField->value = row;
            g.HandleButton(g.hairField);
            tiles.push_back(Tile(g));
        }
        base();
        if (!g.female) {
            for (int row = 1; row < CCharCreationGump::kFacialRows; ++row) {
                g.facialField->value = row;
                g.HandleButton(g.facialField);
                tiles.push_back(Tile(g));
            }
            g.facialField->value = 2;
            g.HandleButton(g.facialField);
        }
        int* hues[] = {&g.skinHue, &g.hairHue, &g.shirtHue, &g.pantsHue, &g.facialHue};
        const int changed[] = {1120, 1120, 404, 404, 1130};
        for (int i = 0; i < (g.female ? 4 : 5); ++i) {
            const int kept = *hues[i];
            *hues[i] = changed[i];
            tiles.push_back(Tile(g));
            *hues[i] = kept;
        }
        for (size_t i = 0; i < tiles.size(); ++i)
            for (size_t j = i + 1; j < tiles.size(); ++j)
                EXPECT_NE(tiles[i], tiles[j]) << "pictures " << i << " and " << j;
        return tiles;
    }
};

TEST_F(AppearanceTest, EveryMaleChoiceChangesThePreview) {
    auto* g = new CCharCreationGump();
    g->PutInGump(nullptr);
    EXPECT_TRUE(tw::test::MatchesGolden(Sheet(AllChoices(*g)),
                                        "shared/base/login/golden/appearance_male.png"));
}

TEST_F(AppearanceTest, EveryFemaleChoiceChangesThePreview) {
    auto* g = new CCharCreationGump();
    g->PutInGump(nullptr);
    g->ToggleSex();
    EXPECT_TRUE(tw::test::MatchesGolden(Sheet(AllChoices(*g)),
                                        "shared/base/login/golden/appearance_female.png"));
    // "Short" is picture 1847 for a female and 1875 for a male.
    EXPECT_EQ(CCharCreationGump::HairArt(8251, TRUE), 1847);
    EXPECT_EQ(CCharCreationGump::HairArt(8251, FALSE), 1875);
}

}  // namespace

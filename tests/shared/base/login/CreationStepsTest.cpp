// Each step of character creation as the window shows it: the gumps drawn
// over a black screen, presented on an Xvfb server at depth 16 and read
// back through the X server.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shared/base/gumps/GumpTestSupport.h"
#include "support/Xvfb.h"
// Xlib's macros come after the test framework.
#include "FrameBuf.h"
#include "X11Lock.h"
#include "X_FrameBuf.h"
#include "app/AppServices.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "login/CharCreation.h"
#include "login/CharCreationGump.h"
#include "login/CreationFlow.h"
#include "login/CreationGumps.h"
#include "login/ProfessionGump.h"
#include "resources/FontManager.h"
#include "resources/HueManager.h"
#include "support/datafiles/CreationArt.h"
#include "support/datafiles/FontFormats.h"
#include "support/datafiles/LanguageFormats.h"
#include "support/datafiles/TgaFormat.h"

namespace {

using tw::datafiles::Image;
using tw::datafiles::Rgb555;

// A picture with a light edge, so that pieces laid side by side show.
Image Edged(int w, int h, M_WORD fill) {
    Image img(w, h, fill);
    img.fillRect(0, 0, w, 1, Rgb555(230, 220, 170));
    img.fillRect(0, h - 1, w, 1, Rgb555(230, 220, 170));
    img.fillRect(0, 0, 1, h, Rgb555(230, 220, 170));
    img.fillRect(w - 1, 0, 1, h, Rgb555(230, 220, 170));
    return img;
}

std::vector<std::pair<int, Image>> StepArt() {
    std::vector<std::pair<int, Image>> art = tw::datafiles::CreationFigureArt();
    auto range = [&](int first, int last, int w, int h, M_WORD fill) {
        for (int id = first; id <= last; ++id) art.emplace_back(id, Edged(w, h, fill));
    };
    range(2600, 2608, 16, 16, Rgb555(90, 70, 50));    // the gumps' frames
    range(3000, 3008, 16, 16, Rgb555(60, 60, 90));    // the skill list
    range(3500, 3508, 16, 16, Rgb555(70, 50, 70));    // the colour buttons
    range(3600, 3608, 16, 16, Rgb555(50, 80, 60));    // the appearance panels
    range(3604, 3604, 16, 16, Rgb555(30, 30, 30));    // the pickers' ground
    range(1417, 1417, 80, 76, Rgb555(120, 100, 60));  // the profession buttons
    range(1419, 1419, 240, 60, Rgb555(100, 60, 40));
    range(5504, 5504, 60, 60, Rgb555(160, 160, 160));  // custom mode
    range(5800, 5807, 60, 60, Rgb555(150, 90, 40));    // the professions
    range(5545, 5545, 60, 60, Rgb555(0, 0, 0));
    range(213, 215, 5, 12, Rgb555(140, 140, 140));  // the slider track
    art.emplace_back(214, Edged(30, 12, Rgb555(140, 140, 140)));
    range(216, 216, 5, 12, Rgb555(250, 250, 250));  // its thumb
    range(250, 257, 20, 20, Rgb555(120, 120, 160));
    range(4506, 4510, 40, 24, Rgb555(180, 60, 60));
    range(5537, 5542, 24, 24, Rgb555(200, 170, 60));  // the arrows
    range(1260, 1260, 40, 30, Rgb555(40, 40, 40));
    range(1800, 1800, 64, 170, Rgb555(20, 20, 40));  // behind the figure
    range(1801, 1804, 30, 20, Rgb555(90, 90, 120));
    range(1805, 1810, 40, 24, Rgb555(60, 120, 180));   // the sex buttons
    range(5528, 5528, 380, 380, Rgb555(40, 90, 140));  // the map
    range(5536, 5536, 640, 40, Rgb555(70, 60, 40));
    range(1209, 1210, 8, 8, Rgb555(230, 40, 40));  // city markers
    range(1153, 1155, 40, 24, Rgb555(60, 160, 60));
    range(5054, 5062, 8, 8, Rgb555(90, 80, 60));  // the tutorial's pane
    return art;
}

class CreationStepsTest : public tw::test::GumpTest {
protected:
    void SetUp() override {
        GumpTest::SetUp();
        server_ = std::make_unique<tw::test::XvfbServer>();
        tw::test::InstallGumpArt(StepArt());
        std::vector<std::optional<tw::datafiles::BitmapFont>> fonts(10);
        for (int f : {0, 1, 2, 3, 5, 9}) fonts[f] = tw::datafiles::TextFont(Rgb555(200, 200, 200));
        tw::datafiles::WriteBytes("fonts.mul", tw::datafiles::EncodeFonts(fonts));
        FontManager::startup();
        for (int hue : {88, 153, 902, 1153})
            HueManager::MakeHue(hue - 1, Rgb555(40, 40, 40), Rgb555(250, 240, 200), "text");
        HueManager::MakeHue(1001, Rgb555(120, 80, 60), Rgb555(250, 200, 170), "skin");
        HueManager::MakeHue(1101, Rgb555(40, 20, 10), Rgb555(120, 70, 40), "hair");
        tw::test::WriteFile("prof.txt", tw::datafiles::SampleProfessionFile());
        // The captions of the profession buttons: entry Desc + 1, and 0
        // for custom mode; titles end at the first empty entry.
        tw::datafiles::WriteLanguageSection(
            {.name = "professn",
             .texts = {u"Your own way", u"-", u"Fighter", u"Knight", u"Archer", u"Mage", u""}});
        // The first tutorial page: a picture and two lines, one white in
        // font 1 by default, one coloured in font 2.
        tw::data::TgaPicture page;
        page.width = 640;
        page.height = 480;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                page.pixels.push_back(static_cast<uint32_t>((x / 5) << 16 | (y / 4) << 8 | 60));
        const std::vector<uint8_t> tga = tw::data::WriteTga(page);
        tw::datafiles::WriteBytes("1gen.tga", tw::datafiles::Bytes(tga.begin(), tga.end()));
        tw::datafiles::WriteLanguageSection({.name = "1gen",
                                             .texts = {u"Welcome to Veldoria", u"Press the arrow"},
                                             .colours = {{0, 0, 0}, {0xFF, 0xD0, 0x40}},
                                             .fonts = {1, 2},
                                             .positions = {{40, 40}, {40, 80}}});
        HueManager::MakeHue(847 - 1, Rgb555(40, 40, 40), Rgb555(250, 240, 200), "label");
        InstallCharacterCreation();
        g_customMode = FALSE;
    }
    void TearDown() override {
        while (CGump* head = g_gumpList) delete head;
        delete g_frameBuf;
        g_frameBuf = nullptr;
        server_.reset();
        GumpTest::TearDown();
    }

    ::testing::AssertionResult Shows(const std::string& golden) {
        std::fill_n(g_backBuffer, 640 * 480, 0);
        CGumpManager::DrawAllGumps(RECT{0, 0, 640, 480}, 1);
        {
            X11Lock lock;
            XSync(g_xDisplay, False);
        }
        tw::test::XvfbClient client;
        return tw::test::MatchesGolden(client.ReadImage(g_xWindow, 640, 480),
                                       "shared/base/login/golden/" + golden + ".png");
    }

    std::unique_ptr<tw::test::XvfbServer> server_;
    AppCreationRequests requests_;
    tw::ScopedService<CreationRequests> installedRequests_{&requests_};
};

TEST_F(CreationStepsTest, EachStepOfCreationOnTheWindow) {
    ASSERT_TRUE(server_->ok()) << server_->error();
    use565 = TRUE;
    g_frameBuf = CreateFrameBuf();
    CGumpManager::RecreateMainBitmap();
    ASSERT_NE(g_backBuffer, nullptr);

    tw::Service<CharacterCreation>::Get().OpenProfessionGump();
    ProfessionGump* g = pProfessionGump;
    ASSERT_NE(g, nullptr);
    EXPECT_TRUE(Shows("step1_professions"));
    g->Select(g->buttons[0]->profession);
    g->Select(g->buttons[0]->profession);
    EXPECT_TRUE(Shows("step2_leaf_profession"));
    g->OnNotify(ProfessionGump::kBack);
    g->OnNotify(ProfessionGump::kBack);
    g->Select(nullptr);
    g->OnNotify(ProfessionGump::kSkillButton0);
    EXPECT_TRUE(Shows("step3_custom_skills"));
    g->Select(nullptr);
    g->OnNotify(ProfessionGump::kBack);
    g->Select(g->buttons[1]->profession);  // the top-level leaf
    g->AcceptInitSkills();
    ASSERT_NE(pCharCreationGump, nullptr);
    pCharCreationGump->nameField->SetText("Rowan");
    pCharCreationGump->nameField->RedrawText();
    pCharCreationGump->skinHue = 1001;
    pCharCreationGump->hairHue = 1101;
    pCharCreationGump->shirtHue = 1001;
    pCharCreationGump->pantsHue = 1101;
    pCharCreationGump->Render();
    EXPECT_TRUE(Shows("step4_appearance"));
    pCharCreationGump->CheckCharName();
    ASSERT_NE(pCityGump, nullptr);
    EXPECT_TRUE(Shows("step5_city_map"));
    auto* tutorial = new CTutorialGump();
    tutorial->PutInGump(nullptr);
    EXPECT_TRUE(Shows("step6_tutorial"));
}

}  // namespace

// The description boxes of the profession gump and the starting-city map:
// the text each composes from its language section, the box's style and
// place, and the old box deleted when a new one takes its place.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "login/CharCreation.h"
#include "login/CreationFlow.h"
#include "login/CreationGumps.h"
#include "login/ProfessionGump.h"
#include "resources/FontManager.h"
#include "shared/base/gumps/GumpTestSupport.h"
#include "strings/USimStr.h"
#include "support/datafiles/FontFormats.h"
#include "support/datafiles/LanguageFormats.h"
#include "support/doubles/RecordingHTMLBoxes.h"

namespace {

using Box = tw::doubles::RecordingHTMLBoxes::Box;

// A category with a leaf, a leaf whose number the section does not reach,
// and one whose number is the largest the file can give.
constexpr const char* kProfessions =
    "Begin\nName Fighter\nDesc 1\nTopLevel true\nType Category\nChildren Knight\nEnd\n"
    "Begin\nName Knight\nDesc 2\nSkill Swordsmanship 50\nSkill Parrying 30\nSkill Healing 20\n"
    "End\n"
    "Begin\nName Wanderer\nDesc 40\nTopLevel true\nEnd\n"
    "Begin\nName Boundless\nDesc 2147483647\nTopLevel true\nEnd\n";

class DescriptionBoxTest : public tw::test::GumpTest {
protected:
    void SetUp() override {
        GumpTest::SetUp();
        // No pictures; the Unicode fonts that the captions are drawn in.
        tw::test::InstallGumpArt({});
        tw::test::WriteFile("prof.txt", kProfessions);
        std::vector<std::optional<tw::datafiles::BitmapFont>> fonts(10);
        for (int f : {1, 3})
            fonts[f] = tw::datafiles::TextFont(tw::datafiles::Rgb555(200, 200, 200));
        tw::datafiles::WriteBytes("fonts.mul", tw::datafiles::EncodeFonts(fonts));
        FontManager::startup();
        InstallCharacterCreation();
        // After the stand-in, which it replaces.
        recorded_ = std::make_unique<tw::doubles::RecordingHTMLBoxes>();
        g_customMode = FALSE;
    }
    void TearDown() override {
        while (CGump* head = g_gumpList) delete head;
        recorded_.reset();
        GumpTest::TearDown();
    }
    static void WriteProfessionTexts() {
        // Titles 0-3 (custom mode, the introduction's unused one, Fighter,
        // Knight), the empty entry, then the bodies from index -1 on.
        tw::datafiles::WriteLanguageSection(
            {.name = "professn",
             .texts = {u"Your own way", u"-", u"Fighter", u"Knight", u"", u"Welcome",
                       u"Pick freely", u"unused", u"Fights", u"Rides"}});
    }

    std::unique_ptr<tw::doubles::RecordingHTMLBoxes> recorded_;
    tw::doubles::RecordingHTMLBoxes& boxes() { return *recorded_; }
};

std::vector<std::string> LiveTexts(const tw::doubles::RecordingHTMLBoxes& boxes) {
    std::vector<std::string> texts;
    for (const Box* b : boxes.Live()) texts.push_back(b->text);
    return texts;
}

TEST_F(DescriptionBoxTest, ProfessionGumpShowsTheTextOfEachChoiceInOneBox) {
    WriteProfessionTexts();
    tw::Service<CharacterCreation>::Get().OpenProfessionGump();
    ProfessionGump* g = pProfessionGump;
    ASSERT_NE(g, nullptr);
    ASSERT_EQ(boxes().boxes.size(), 1u);
    const Box& first = boxes().boxes[0];
    EXPECT_EQ(first.owner, g);
    EXPECT_EQ(first.flags, 8226);
    EXPECT_EQ((std::vector<int>{first.x, first.y, first.width, first.height}),
              (std::vector<int>{120, 137, 219, 214}));
    EXPECT_EQ(first.gump, g->descriptionBox);

    auto button = [&](const char* name) -> Profession* {
        for (ProfessionButton* b : g->buttons)
            if (b->profession && std::string(b->profession->Name) == name) return b->profession;
        ADD_FAILURE() << name << " is not shown";
        return nullptr;
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        std::string text;
    };
    const Step steps[] = {
        {"introduction", [] {}, "Welcome"},
        {"category", [&] { g->Select(button("Fighter")); }, "Fighter\nFights"},
        {"leaf", [&] { g->Select(button("Knight")); }, "Knight\nRides"},
        {"back to the category", [&] { g->OnNotify(ProfessionGump::kBack); }, "Fighter\nFights"},
        {"back to the top", [&] { g->OnNotify(ProfessionGump::kBack); }, "Welcome"},
        {"custom mode", [&] { g->Select(nullptr); }, "Your own way\nPick freely"},
        {"back from custom mode", [&] { g->OnNotify(ProfessionGump::kBack); }, "Welcome"},
        // Numbers beyond the section read as empty texts.
        {"number beyond the texts", [&] { g->Select(button("Wanderer")); }, "\n"},
        {"back", [&] { g->OnNotify(ProfessionGump::kBack); }, "Welcome"},
        {"largest number", [&] { g->Select(button("Boundless")); }, "\n"},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(LiveTexts(boxes()), std::vector<std::string>{step.text}) << step.what;
        EXPECT_EQ(boxes().boxes.back().gump, g->descriptionBox) << step.what;
    }
    // Closing the gump frees its box with it; a new gump starts with the
    // introduction even when the last one was left in custom mode.
    g->Select(nullptr);
    delete g;
    tw::Service<CharacterCreation>::Get().OpenProfessionGump();
    EXPECT_EQ(LiveTexts(boxes()).back(), "Welcome");
}

TEST_F(DescriptionBoxTest, WithoutProfessionTextsNoBoxIsMade) {
    tw::Service<CharacterCreation>::Get().OpenProfessionGump();
    ProfessionGump* g = pProfessionGump;
    ASSERT_NE(g, nullptr);
    g->Select(g->buttons[0]->profession);
    g->Select(nullptr);
    EXPECT_TRUE(boxes().boxes.empty());
    EXPECT_EQ(g->descriptionBox, nullptr);
}

TEST_F(DescriptionBoxTest, CityTextIsTheCitysBlockOfTheSection) {
    // A block that belongs to no city, then cities 0-3; the last block has
    // no ending.
    tw::datafiles::WriteLanguageSection(
        {.name = "citytext",
         .texts = {u"The cities", u".END", u"Ashby", u"By the sea", u".END", u"Duskfen", u".END",
                   u"Calder", u"Old walls", u"A market", u".END", u"Westmarch", u"Far west"}});
    auto* map = new CVeldMapGump(nullptr, 5528);
    map->PutInGump(nullptr);
    const struct {
        int city;
        std::optional<std::string> text;
    } cases[] = {
        {0, "Ashby\n\nBy the sea"},
        {1, "Duskfen"},
        {2, "Calder\n\nOld walls\n\nA market"},
        {3, "Westmarch\n\nFar west"},
        {4, std::nullopt},
        {-1, std::nullopt},
    };
    for (const auto& c : cases) {
        USimStr text;
        const BOOL found = map->CityText(c.city, &text);
        EXPECT_EQ(found != FALSE, c.text.has_value()) << c.city;
        if (found && c.text) {
            EXPECT_EQ(tw::test::Narrow(text.c_str()), *c.text) << c.city;
        }
    }

    // The map opens with city 2 selected and described.
    ASSERT_EQ(boxes().boxes.size(), 1u);
    const Box& first = boxes().boxes[0];
    EXPECT_EQ(first.owner, map);
    EXPECT_EQ(first.flags, 8194);
    EXPECT_EQ((std::vector<int>{first.x, first.y, first.width, first.height}),
              (std::vector<int>{452, 60, 173, 367}));
    auto click = [&](int city) {
        const CVeldMapGump::City& c = CVeldMapGump::kCityTable[city];
        map->Select(c.x + 2, c.y);
    };
    click(3);
    EXPECT_EQ(LiveTexts(boxes()), std::vector<std::string>{"Westmarch\n\nFar west"});
    EXPECT_EQ(map->descriptionBox, boxes().boxes.back().gump);
    // The selected city again: no new box.
    click(3);
    EXPECT_EQ(boxes().boxes.size(), 2u);
    // A city without a text keeps the old box.
    click(4);
    EXPECT_EQ(map->selected, 4);
    EXPECT_EQ(LiveTexts(boxes()), std::vector<std::string>{"Westmarch\n\nFar west"});
}

TEST_F(DescriptionBoxTest, WithoutCityTextsTheMapHasNoBox) {
    auto* map = new CVeldMapGump(nullptr, 5528);
    map->PutInGump(nullptr);
    USimStr text;
    EXPECT_FALSE(map->CityText(0, &text));
    EXPECT_TRUE(boxes().boxes.empty());
}

}  // namespace

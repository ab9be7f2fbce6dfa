// Character creation from the profession gump to the create-character
// message on a real connection, and the choices that feed the message.
#include <unistd.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Clock.h"
#include "app/App.h"
#include "app/AppServices.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "login/CharCreation.h"
#include "login/CharCreationGump.h"
#include "login/CreationFlow.h"
#include "login/CreationGumps.h"
#include "login/FrontEnd.h"
#include "login/LoginRoad.h"
#include "login/ProfessionGump.h"
#include "login/SkillList.h"
#include "net/ClientSock.h"
#include "resources/FontManager.h"
#include "shared/base/gumps/GumpTestSupport.h"
#include "support/LoopbackServer.h"
#include "support/datafiles/FontFormats.h"
#include "support/doubles/RecordingConnection.h"
#include "support/doubles/RecordingLoginScreens.h"

namespace {

using tw::test::Bytes;
using tw::test::LoopbackServer;
using tw::test::PollUntil;

constexpr const char* kProfessions =
    "Begin\nName Fighter\nDesc 1\nGump 5500\nTopLevel true\nType Category\nChildren Knight\n"
    "End\n"
    "Begin\nName Knight\nDesc 2\nGump 5502\nStat Str 35\nStat Dex 20\nStat Int 10\n"
    "Skill Swordsmanship 50\nSkill Parrying 30\nSkill Healing 20\nEnd\n"
    "Begin\nName Squire\nTopLevel true\nStat Str 40\nSkill Tactics 50\nEnd\n";

class CharCreationTest : public tw::test::GumpTest {
protected:
    void SetUp() override {
        GumpTest::SetUp();
        // The bodies and a hair, so that the preview draws them with their
        // hues.
        using tw::datafiles::Image;
        tw::test::InstallGumpArt({{1888, Image(20, 40, 0x4210)},
                                  {1889, Image(20, 40, 0x4210)},
                                  {1877, Image(10, 6, 0x2108)},
                                  {1841, Image(10, 6, 0x2108)}});
        tw::test::WriteFile("prof.txt", kProfessions);
        // The fonts that measure the city names and the labels.
        std::vector<std::optional<tw::datafiles::BitmapFont>> fonts(10);
        for (int f : {1, 3, 5, 9})
            fonts[f] = tw::datafiles::TextFont(tw::datafiles::Rgb555(200, 200, 200));
        tw::datafiles::WriteBytes("fonts.mul", tw::datafiles::EncodeFonts(fonts));
        FontManager::startup();
        screens_ = std::make_unique<tw::doubles::RecordingLoginScreens>();
        upper_ = std::make_unique<tw::doubles::RecordingConnection>();
        app_ = std::make_unique<tw::ScopedService<CreationRequests>>(&requests_);
        InstallCharacterCreation();
        login::ResetLoginRoad();
        CharCreateInfo = CharCreateRecord{};
        ReplaceGameSocket(new CClientSock);
    }
    void TearDown() override {
        while (CGump* head = g_gumpList) delete head;
        ReplaceGameSocket(nullptr);
        app_.reset();
        upper_.reset();
        screens_.reset();
        GumpTest::TearDown();
    }

    ProfessionGump* OpenProfessions() {
        tw::Service<CharacterCreation>::Get().OpenProfessionGump();
        return pProfessionGump;
    }

    AppCreationRequests requests_;
    std::unique_ptr<tw::doubles::RecordingLoginScreens> screens_;
    std::unique_ptr<tw::doubles::RecordingConnection> upper_;
    std::unique_ptr<tw::ScopedService<CreationRequests>> app_;
};

std::vector<std::string> ButtonNames(const ProfessionGump& g) {
    std::vector<std::string> names;
    for (const ProfessionButton* b : g.buttons)
        names.push_back(b->profession ? b->profession->Name : "custom");
    return names;
}

TEST_F(CharCreationTest, ProfessionTreeIsWalkedAndBack) {
    ProfessionGump* g = OpenProfessions();
    ASSERT_NE(g, nullptr);
    using Names = std::vector<std::string>;
    EXPECT_EQ(ButtonNames(*g), (Names{"Fighter", "Squire", "custom"}));
    EXPECT_EQ(g->buttons[2]->y, 100 + 2 * 79);

    g->Select(g->buttons[0]->profession);  // the category
    EXPECT_EQ(ButtonNames(*g), Names{"Knight"});
    g->Select(g->buttons[0]->profession);  // the leaf
    EXPECT_TRUE(g->buttons.empty());
    EXPECT_TRUE(g->showValues);
    EXPECT_EQ(CharCreateInfo.strength, 35);
    EXPECT_EQ(CharCreateInfo.skills[0].index, 40);
    EXPECT_EQ(CharCreateInfo.skills[2].value, 20);

    g->OnNotify(ProfessionGump::kBack);
    EXPECT_EQ(ButtonNames(*g), Names{"Knight"});
    g->OnNotify(ProfessionGump::kBack);
    g->OnNotify(ProfessionGump::kBack);  // back on the top level stays there
    EXPECT_EQ(ButtonNames(*g), (Names{"Fighter", "Squire", "custom"}));

    // A leaf of one skill: the missing slots name no skill and hold 0, and
    // the three skills are not unique, so forward refuses.
    g->Select(g->buttons[1]->profession);
    EXPECT_EQ(g->skillIndices[1], -1);
    EXPECT_EQ(g->skillSliders[2]->GetValue(), 0);
    g->AcceptInitSkills();
    EXPECT_EQ(pCharCreationGump, nullptr);
    EXPECT_FALSE(g->visible);

    // Custom mode keeps the slider values and clears the skills.
    g->visible = TRUE;
    g->OnNotify(ProfessionGump::kBack);
    g->Select(nullptr);
    EXPECT_TRUE(g_customMode);
    EXPECT_EQ(g->statSliders[0]->GetValue(), 40);
    EXPECT_EQ(std::vector<int>(g->skillIndices, g->skillIndices + 3), (std::vector<int>{0, 0, 0}));
}

TEST_F(CharCreationTest, CityValueAndSlotComeFromTheServerLists) {
    login::g_road.cityCount = 3;
    login::g_road.cityIndex[0] = 5, login::g_road.cityIndex[1] = 7, login::g_road.cityIndex[2] = 9;
    struct Case {
        int selected;
        int value;
    } cases[] = {{2, 9}, {-1, 5}, {1, 7}, {3, 5}, {8, 5}};
    for (const Case& c : cases) EXPECT_EQ(creation::CityValue(c.selected), c.value) << c.selected;
    login::g_road.cityCount = 0;
    EXPECT_EQ(creation::CityValue(4), 0);

    EXPECT_EQ(creation::FreeSlot(), 0);
    for (int slot : {0, 1, 3}) strcpy(login::g_road.characters[slot].name, "Someone");
    EXPECT_EQ(creation::FreeSlot(), 2);
}

TEST_F(CharCreationTest, PreviewHuesAreCheckedBeforeTheHueTable) {
    ProfessionGump* g = OpenProfessions();
    g->Select(g->buttons[0]->profession);
    g->Select(g->buttons[0]->profession);
    g->AcceptInitSkills();
    CCharCreationGump* a = pCharCreationGump;
    ASSERT_NE(a, nullptr);
    // Hues outside the table and no hue draw without reading past it.
    a->hairHue = -1;
    a->skinHue = 70000;
    a->shirtHue = -5;
    a->hairItem = 8260;
    a->Render();
    // The preview drew the body unhued where its hue is outside the table.
    EXPECT_EQ(
        a->FramePixels(
            0)[(CCharCreationGump::kPreviewY + 30) * a->pitch + CCharCreationGump::kPreviewX + 5],
        0x4210);
    a->ToggleSex();
    a->facialItem = 8256;
    creation::CreateCharacter(2);
    EXPECT_EQ(CharCreateInfo.hairHue, 0);
    EXPECT_EQ(CharCreateInfo.sex, 1);
    EXPECT_EQ(CharCreateInfo.facialHairStyle, 0);  // a female has none
    // Turning male with "Buns" resets the hair to none.
    a->hairField->value = 10;
    a->HandleButton(a->hairField);
    EXPECT_EQ(a->hairItem, 8262);
    a->ToggleSex();
    EXPECT_EQ(a->hairRow, 0);
    EXPECT_EQ(a->hairItem, 0);
}

// From the profession gump to the 104 bytes of 0x00 on the game server.
TEST_F(CharCreationTest, CreateCharacterSendsOneMessageOfTheChoices) {
    LoopbackServer server;
    ASSERT_TRUE(g_pGameSocket->Connect(LoopbackServer::kAddress, server.port()));
    ASSERT_TRUE(server.WaitForConnections(1));
    M_DWORD seed;
    ASSERT_TRUE(server.ReadSeed(&seed));
    login::g_road.cityCount = 3;
    login::g_road.cityIndex[0] = 5, login::g_road.cityIndex[1] = 7, login::g_road.cityIndex[2] = 9;
    for (int slot : {0, 1, 3}) strcpy(login::g_road.characters[slot].name, "Someone");
    // The shard as the shard list hands it to the application.
    InstallAppFrontEnd();
    tw::Service<FrontEndApp>::Get().SetChosenShard(0x0102);
    snprintf(Password, sizeof Password, "hunter2");

    ProfessionGump* g = OpenProfessions();
    g->Select(g->buttons[0]->profession);
    g->Select(g->buttons[0]->profession);
    g->AcceptInitSkills();
    CCharCreationGump* a = pCharCreationGump;
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(g->visible);

    a->nameField->SetText("Rowan");
    a->hairField->value = 4;  // Mohawk
    a->HandleButton(a->hairField);
    a->facialField->value = 1;  // Goatee
    a->HandleButton(a->facialField);
    a->pickers[CCharCreationGump::kSkinPicker]->HandleMouseMove(0, 0);     // 1001
    a->pickers[CCharCreationGump::kHairPicker]->HandleMouseMove(0, 0);     // 1101
    a->pickers[CCharCreationGump::kFacialPicker]->HandleMouseMove(0, 0);   // 1101
    a->pickers[CCharCreationGump::kShirtPicker]->HandleLButtonDown(0, 0);  // 201
    a->pickers[CCharCreationGump::kPantsPicker]->HandleMouseMove(8, 15);   // 206
    EXPECT_FALSE(a->pickers[CCharCreationGump::kShirtPicker]->visible);

    a->CheckCharName();
    ASSERT_NE(pCityGump, nullptr);
    EXPECT_FALSE(a->visible);
    pCityGump->CreateCharacter();

    Bytes got;
    ASSERT_TRUE(PollUntil([&] { return server.ReadMessage(&got, 0); }));
    auto field = [](Bytes& b, const std::string& text) {
        for (size_t i = 0; i < 30; ++i) b.push_back(i < text.size() ? text[i] : 0);
    };
    Bytes expected = {0x00, 0xED, 0xED, 0xED, 0xED, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    field(expected, "Rowan");
    field(expected, "hunter2");
    const Bytes rest = {
        0,                           // male
        35,   20,   10,              // stats
        40,   50,   5,  30, 17, 20,  // skills and values
        0x03, 0xEA,                  // skin 1001 + 1
        0x20, 0x44,                  // hair item 8260
        0x04, 0x4E,                  // hair hue 1101 + 1
        0x20, 0x40,                  // facial hair item 8256
        0x04, 0x4E,                  // facial hair hue 1101 + 1
        0x02,                        // shard's low byte
        9,                           // the server's value of city 2
        0,    0,    0,  2,           // the free slot
        127,  0,    0,  1,           // the connection's local address
        0x00, 0xCF,                  // pants 206 + 1
        0x00, 0xCA,                  // shirt 201 + 1
    };
    expected.insert(expected.end(), rest.begin(), rest.end());
    ASSERT_EQ(got.size(), 104u);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(screens_->calls.back(), "OpenWaiting Creating character... ");
    EXPECT_STREQ(PlayerName, "Rowan");
    EXPECT_FALSE(PollUntil([&] { return server.ReadMessage(&got, 0); }, 200));
}

TEST_F(CharCreationTest, NameCheckRefusesShortNames) {
    ProfessionGump* g = OpenProfessions();
    g->Select(g->buttons[0]->profession);
    g->Select(g->buttons[0]->profession);
    g->AcceptInitSkills();
    CCharCreationGump* a = pCharCreationGump;
    a->nameField->SetText("R");
    a->CheckCharName();
    EXPECT_EQ(pCityGump, nullptr);
    EXPECT_FALSE(a->visible);
    // The name field takes 16 characters at most.
    a->nameField->SetText("ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(strlen(a->nameField->text), 16u);
}

TEST_F(CharCreationTest, TutorialDoneSendsOnce) {
    LoopbackServer server;
    ASSERT_TRUE(g_pGameSocket->Connect(LoopbackServer::kAddress, server.port()));
    ASSERT_TRUE(server.WaitForConnections(1));
    M_DWORD seed;
    ASSERT_TRUE(server.ReadSeed(&seed));
    snprintf(CharCreateInfo.name, sizeof CharCreateInfo.name, "%s", std::string(30, 'N').c_str());
    auto* tutorial = new CTutorialGump();
    tutorial->PutInGump(nullptr);
    tutorial->TutorialDone();
    tutorial->TutorialDone();
    tutorial->TutorialNext();
    Bytes got;
    ASSERT_TRUE(PollUntil([&] { return server.ReadMessage(&got, 0); }));
    // A 30-character name fills its field whole.
    EXPECT_EQ(std::string(got.begin() + 10, got.begin() + 40), std::string(30, 'N'));
    EXPECT_FALSE(PollUntil([&] { return server.ReadMessage(&got, 0); }, 200));
}

M_DWORD g_now = 1000;
M_DWORD FakeNow() {
    return g_now;
}

// Outside custom mode only cities 1-4 answer; a double press creates the
// character, a press held past the double-click time does not.
TEST_F(CharCreationTest, CityMapOffersItsCitiesAndTakesADoublePress) {
    SetTimeSourceForTests(FakeNow);
    int sends = 0;
    struct Counting : CreationRequests {
        int* sends;
        explicit Counting(int* s) : sends(s) {}
        int IsBadName(const char*) override { return 0; }
        BOOL SendCreateChar(const CharCreateRecord&) override { return ++*sends, TRUE; }
    } counting(&sends);
    tw::ScopedService<CreationRequests> installed(&counting);
    auto* map = new CVeldMapGump(nullptr, 5528);
    map->PutInGump(nullptr);
    g_customMode = FALSE;
    for (int c = 0; c < CVeldMapGump::kCities; ++c) {
        const CVeldMapGump::City& city = CVeldMapGump::kCityTable[c];
        EXPECT_EQ(map->HitCity(city.x + 1, city.y), (c >= 1 && c <= 4) ? c : -1) << c;
    }
    g_customMode = TRUE;
    EXPECT_EQ(map->HitCity(CVeldMapGump::kCityTable[7].x, CVeldMapGump::kCityTable[7].y), 7);
    g_customMode = FALSE;

    const CVeldMapGump::City& westmarch = CVeldMapGump::kCityTable[3];
    map->HandleLButtonDown(westmarch.x + 2, westmarch.y);
    EXPECT_EQ(map->selected, 3);
    EXPECT_STREQ(map->selectedName, "Westmarch");
    map->HandleLButtonUp(westmarch.x + 2, westmarch.y);
    g_now += 100;
    map->HandleLButtonDown(0, 0);  // the second press need not hit a city
    map->HandleLButtonUp(0, 0);
    EXPECT_EQ(sends, 1);

    g_now += 1000;
    map->HandleLButtonDown(westmarch.x + 2, westmarch.y);
    g_now += 300;
    map->Tick();
    map->HandleLButtonUp(westmarch.x + 2, westmarch.y);
    g_now += 50;
    map->HandleLButtonDown(westmarch.x + 2, westmarch.y);
    map->HandleLButtonUp(westmarch.x + 2, westmarch.y);
    EXPECT_EQ(sends, 1);  // held past 250 ms: no character, and the count starts again
    SetTimeSourceForTests(nullptr);
}

// The skill list leaves out the refused skills and each row names the skill
// it stands for; a chosen row fills the pending slot.
TEST_F(CharCreationTest, SkillListRowsGiveTheSkillsTheyShow) {
    ProfessionGump* g = OpenProfessions();
    g_skillList = SkillTextList{};
    const char* names[] = {"Tracking", "stealth", "Alchemy", "Remove Trap", "Magery"};
    for (int i = 0; i < 5; ++i) {
        strcpy(g_skillList.names[i], names[i]);
        g_skillList.present[i] = TRUE;
    }
    g_skillList.count = 5;
    const M_BYTE order[] = {2, 4, 3, 1, 0};  // by name
    memcpy(g_skillList.order, order, sizeof order);
    g->skillList->FillSkills();
    ASSERT_EQ(g->skillList->count, 3);
    const std::vector<std::string> rows = {g->skillList->texts[0], g->skillList->texts[1],
                                           g->skillList->texts[2]};
    EXPECT_EQ(rows, (std::vector<std::string>{"Alchemy", "Magery", "Tracking"}));

    g->Select(nullptr);
    g->OnNotify(ProfessionGump::kSkillButton0 + 1);
    EXPECT_TRUE(g->skillList->visible);
    g->skillList->selection = 1;
    g->OnNotify(ProfessionGump::kSkillChosen);
    EXPECT_EQ(g->skillIndices[1], 4);
    EXPECT_STREQ(g->skillButtons[1]->text, "Magery");
    EXPECT_EQ(CharCreateInfo.skills[1].index, 4);
}

TEST_F(CharCreationTest, TutorialSkipsMissingPagesAndClosesBeforeTheFirst) {
    CharCreateInfo.skills[1].index = 4;
    char name[32];
    CTutorialGump::PictureName(7, name, sizeof name);
    EXPECT_STREQ(name, "skill05.tga");
    CTutorialGump::PictureName(0, name, sizeof name);
    EXPECT_STREQ(name, "1gen.tga");
    auto* tutorial = new CTutorialGump();
    tutorial->PutInGump(nullptr);
    ASSERT_EQ(pTutorialGump, nullptr);  // not made through creation: no global
    tutorial->page = 5;
    tutorial->TutorialBack();  // no picture on any earlier page
    EXPECT_FALSE(CGumpManager::IsGumpOpen(tutorial));
}

TEST_F(CharCreationTest, WithoutTheProfessionFileOnlyCustomModeIsOffered) {
    unlink("prof.txt");
    ProfessionGump* g = OpenProfessions();
    EXPECT_EQ(ButtonNames(*g), std::vector<std::string>{"custom"});
    EXPECT_NE(ReportLog().find("Function:CApp::readConfig: cannot open file ''."),
              std::string::npos);
    // Closing creation deletes every creation gump and clears the globals.
    g->Select(nullptr);
    g->AcceptInitSkills();  // three skills of 0: refused
    tw::Service<CharacterCreation>::Get().CloseCreationGumps();
    EXPECT_EQ(pProfessionGump, nullptr);
    EXPECT_EQ(pCharCreationGump, nullptr);
}

// A category naming a record that does not exist shows the buttons before
// the missing name, and an error box names it.
TEST_F(CharCreationTest, MissingChildStopsTheLevelWithAnError) {
    tw::test::WriteFile("prof.txt",
                        "Begin\nName Top\nTopLevel true\nType Category\nChildren Leaf Ghost Other\n"
                        "End\nBegin\nName Leaf\nEnd\nBegin\nName Other\nEnd\n");
    ProfessionGump* g = OpenProfessions();
    tw::test::StderrCapture err;
    g->Select(g->buttons[0]->profession);
    EXPECT_EQ(ButtonNames(*g), std::vector<std::string>{"Leaf"});
    EXPECT_NE(err.text().find("Profession Gump: Couldn't find Profession Ghost in profession.txt.  "
                              "Please insure that TW is fully installed on your computer."),
              std::string::npos);
}

}  // namespace

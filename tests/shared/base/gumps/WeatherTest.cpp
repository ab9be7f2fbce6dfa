// Weather frame by frame (each Update is one frame of the clock, the dice
// scripted): how many particles each message makes, how they move in rain
// and in snow, how they thin out, and what the filter and the season
// message change.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "GumpTestSupport.h"
#include "Random.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "gumps/Weather.h"
#include "resources/GraphicManager.h"
#include "support/datafiles/ArtFormats.h"
#include "support/doubles/RecordingGumps.h"
#include "support/doubles/RecordingSound.h"

namespace {

using tw::datafiles::Image;
using tw::datafiles::Rgb555;

// The dice answer a fixed share of their range, so every draw is known.
int g_share = 0;  // in percent
int Dice(int n) {
    return n > 0 ? n * g_share / 100 : 0;
}

class WeatherTest : public tw::test::GumpTest {
protected:
    void SetUp() override {
        GumpTest::SetUp();
        // After the stand-ins, which SetUp installs.
        texts = std::make_unique<tw::doubles::RecordingTextManager>();
        tw::test::InstallGumpArt({{6000, Image(3, 3, Rgb555(250, 250, 250))},
                                  {6001, Image(3, 3, Rgb555(250, 250, 250))}});
        GraphicManager::setGameplayWindowPixelWidthAndHeight(640, 480);
        g_share = 50;
        SetRandomSourceForTests(Dice);
        InstallWeather();
        WeatherManager::startup();
    }
    void TearDown() override {
        WeatherManager::Stop();
        FilterWeather = FALSE;
        SetRandomSourceForTests(nullptr);
        texts.reset();
        GumpTest::TearDown();
    }
    static int Live() {
        int n = 0;
        for (CWeatherParticle* p : CurrentWeather().slots) n += p ? 1 : 0;
        EXPECT_EQ(n, CurrentWeather().liveCount);
        return n;
    }
    static CWeatherParticle* First() {
        for (CWeatherParticle* p : CurrentWeather().slots)
            if (p) return p;
        return nullptr;
    }
    std::unique_ptr<tw::doubles::RecordingTextManager> texts;
    tw::doubles::RecordingSound sound;
    tw::ScopedService<SoundService> sound_{&sound};
};

TEST_F(WeatherTest, EachMessageMakesItsParticles) {
    struct {
        const char* what;
        std::vector<std::vector<int>> messages;  // type, count, temperature
        int type, live;
        std::vector<std::string> said;
    } cases[] = {
        {"rain", {{1, 10, 20}}, 1, 10, {"It begins to rain."}},
        {"snow", {{2, 7, -5}}, 2, 7, {"It begins to snow."}},
        {"more than seventy makes none", {{1, 80, 20}}, 1, 0, {"It begins to rain."}},
        {"a larger count adds the difference",
         {{1, 10, 0}, {1, 15, 0}},
         1,
         15,
         {"It begins to rain."}},
        {"a smaller count removes the rest", {{2, 10, 0}, {2, 4, 0}}, 2, 4, {"It begins to snow."}},
        {"type 4 keeps what runs", {{1, 10, 0}, {4, 30, 0}}, 1, 10, {"It begins to rain."}},
        {"type 0 ends it all", {{1, 10, 0}, {0, 5, 0}}, 0, 0, {"It begins to rain."}},
        {"an unknown type starts nothing", {{3, 10, 0}}, 0, 0, {}},
    };
    for (const auto& c : cases) {
        WeatherManager::Stop();
        WeatherManager::startup();
        texts->systemMessages.clear();
        for (const auto& m : c.messages) WeatherManager::SetWeather(m[0], m[1], m[2]);
        EXPECT_EQ(CurrentWeather().type, c.type) << c.what;
        EXPECT_EQ(Live(), c.live) << c.what;
        std::vector<std::string> said;
        for (const auto& s : texts->systemMessages) said.push_back(s.text);
        EXPECT_EQ(said, c.said) << c.what;
    }
    EXPECT_EQ(sound.played.size(), 2u) << "each start of snow plays sound 22";
    EXPECT_EQ(sound.played[0].id, 22);
}

TEST_F(WeatherTest, RainFallsSixteenPixelsAFrameAndRestartsInThePlayArea) {
    g_share = 0;  // particles start at (0, 0)
    WeatherManager::SetWeather(1, 1, 0);
    CWeatherParticle* p = First();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->dx, 16);
    EXPECT_EQ(p->lifetime, 10);
    p->x = 300;
    p->y = 100;
    WeatherManager::Update();
    EXPECT_EQ(p->x, 284);
    EXPECT_EQ(p->y, 116);
    EXPECT_EQ(p->lifetime, 9);
    // Leaving the play area starts it again at a random place with a new
    // drift.
    g_share = 50;
    p->x = 10;
    WeatherManager::Update();
    EXPECT_EQ(p->x, 320);
    EXPECT_EQ(p->y, 240);
    EXPECT_EQ(p->dx, 4);
    EXPECT_EQ(p->lifetime, 15);
}

TEST_F(WeatherTest, SnowDriftsSlowlyAndItsGustBlowsOnlyWhenTheDiceSay) {
    g_share = 50;
    WeatherManager::SetWeather(2, 3, 0);
    CWeatherParticle* p = First();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->dx, 4);
    EXPECT_EQ(p->dy, 4);
    EXPECT_EQ(p->lifetime, 60);
    const int x = p->x, y = p->y;
    WeatherManager::Update();
    EXPECT_EQ(p->x, x - 4);
    EXPECT_EQ(p->y, y + 4);
    EXPECT_FALSE(CurrentWeather().gustActive) << "12500 is not 10";
    // The dice give 10 of 25000: a gust starts, and its wind grows by its
    // step every 100 counts up to its maximum.
    g_share = 0;
    SetRandomSourceForTests([](int n) { return n == 25000 ? 10 : n == 10 ? 9 : n / 2; });
    WeatherManager::Update();
    EXPECT_TRUE(CurrentWeather().gustActive);
    EXPECT_EQ(CurrentWeather().gustMaximum, 9);
    SetRandomSourceForTests([](int n) { return n == 10 ? 9 : n / 2; });
    for (int i = 0; i < 100; ++i) WeatherManager::Update();
    EXPECT_GT(CurrentWeather().gustWind, 0);
    EXPECT_LE(CurrentWeather().gustWind, 9);
}

TEST_F(WeatherTest, WithoutNewsTheParticlesThinOutAfter360Frames) {
    WeatherManager::SetWeather(1, 10, 0);
    for (int i = 0; i < 360; ++i) WeatherManager::Update();
    EXPECT_EQ(CurrentWeather().targetCount, 10);
    EXPECT_EQ(Live(), 10);
    WeatherManager::Update();
    EXPECT_EQ(CurrentWeather().targetCount, 8);
    for (int i = 0; i < 20; ++i) WeatherManager::Update();
    EXPECT_EQ(CurrentWeather().targetCount, 0);
    EXPECT_EQ(Live(), 0) << "removed one per frame";
    EXPECT_EQ(CurrentWeather().type, 1) << "the weather itself stays";
}

TEST_F(WeatherTest, AClosedParticleLeavesItsSlotAndTheFilterIgnoresEverything) {
    WeatherManager::SetWeather(2, 5, 0);
    delete First();
    EXPECT_EQ(Live(), 4);
    WeatherManager::Update();
    EXPECT_EQ(Live(), 5) << "made again to reach the count";
    CGumpManager::CloseAllGumps();
    EXPECT_EQ(Live(), 0);

    WeatherManager::Stop();
    FilterWeather = TRUE;
    WeatherManager::SetWeather(1, 10, 0);
    WeatherManager::SetWeather(254, 3, 40);
    EXPECT_EQ(CurrentWeather().type, 0);
    EXPECT_EQ(CurrentWeather().season, 0);
    EXPECT_EQ(CurrentWeather().temperature, 72);
    FilterWeather = FALSE;
    WeatherManager::SetWeather(254, 3, 40);
    EXPECT_EQ(CurrentWeather().season, 3);
    EXPECT_EQ(CurrentWeather().temperature, 40);
    EXPECT_EQ(Live(), 0);
}

}  // namespace

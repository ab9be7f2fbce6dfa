// The weather's particles: made, moved, thinned out and restarted.
#include "gumps/Weather.h"

#include <cstdio>

#include "DebugHooks.h"
#include "Random.h"
#include "SoundManager.h"
#include "TWReport.h"
#include "config/Config.h"
#include "gumps/TextManager.h"
#include "resources/GraphicManager.h"
#include "resources/GumpArt.h"

namespace {

constexpr int kSnowArt = 6000;
constexpr int kSnowSizeArt = 6001;
constexpr int kSnowSound = 22;
constexpr int kSeasonType = 254;
constexpr int kKeepType = 4;
constexpr int kDecayAfterTicks = 360;
constexpr int kRainDrift = 16;
// A rain drop: a short streak along the direction it falls (left and down).
constexpr int kDropSize = 6;
constexpr M_WORD kDropColour = 0x5EF7;

WeatherState g_weather;

int Width() {
    return GraphicManager::getGameplayWindowPixelWidth();
}
int Height() {
    return GraphicManager::getGameplayWindowPixelHeight();
}

int Lifetime(int kind) {
    return kind == WeatherState::SNOW ? 40 + RandomNumber(40) : 10 + RandomNumber(10);
}

CWeatherParticle* MakeParticle(int kind, int slot) {
    const int x = RandomNumber(Width()), y = RandomNumber(Height());
    if (kind == WeatherState::SNOW) {
        int w = 0, h = 0;
        GetGumpArtSize(kSnowSizeArt, &w, &h);
        if (w <= 0 || h <= 0) return nullptr;
        auto* p = new CWeatherParticle(x, y, w, h, nullptr, kSnowArt, slot);
        p->dx = 2 + RandomNumber(4);
        p->dy = 2 + RandomNumber(4);
        p->lifetime = Lifetime(kind);
        return p;
    }
    M_WORD drop[kDropSize * kDropSize] = {};
    for (int i = 0; i < kDropSize; ++i) drop[i * kDropSize + (kDropSize - 1 - i)] = kDropColour;
    auto* p = new CWeatherParticle(x, y, kDropSize, kDropSize, drop, -1, slot);
    p->dx = p->dy = kRainDrift;
    p->lifetime = Lifetime(kind);
    return p;
}

void CreateParticle(int kind) {
    WeatherState& w = g_weather;
    if (w.targetCount > WeatherState::MAX_PARTICLES) return;
    for (int slot = 0; slot < WeatherState::MAX_PARTICLES; ++slot) {
        if (w.slots[slot]) continue;
        CWeatherParticle* p = MakeParticle(kind, slot);
        if (!p) return;
        w.slots[slot] = p;
        p->PutInGump(nullptr);
        ++w.liveCount;
        return;
    }
}

void RemoveParticle() {
    WeatherState& w = g_weather;
    for (CWeatherParticle*& p : w.slots) {
        if (!p) continue;
        delete p;  // its destructor clears the slot and the count
        return;
    }
}

void Restart(CWeatherParticle* p, int kind) {
    p->dx = 2 + RandomNumber(4);
    p->dy = 2 + RandomNumber(4);
    p->x = RandomNumber(Width());
    p->y = RandomNumber(Height());
    p->lifetime = Lifetime(kind);
}

void StepGust() {
    WeatherState& w = g_weather;
    if (!w.gustActive) {
        w.gustStep = w.gustWind = 0;
        return;
    }
    ++w.gustElapsed;
    if (w.gustElapsed % 100 == 0) {
        w.gustWind += w.gustStep;
        if (w.gustWind > w.gustMaximum) w.gustWind = w.gustMaximum;
        if (w.gustWind < 0) w.gustWind = 0;
    }
    if (w.gustElapsed > w.gustDuration / 2 && w.gustStep > 0) w.gustStep = -w.gustStep;
    if (w.gustElapsed > w.gustDuration) {
        w.gustActive = false;
        w.gustStep = w.gustWind = 0;
    }
}

class GumpWeather final : public WeatherService {
public:
    void startup() override {
        TWReport::print("WeatherManager::startup: begin.\n");
        Stop();
        g_weather = WeatherState{};
    }
    void shutdown() override {}

    void Stop() override {
        for (CWeatherParticle*& p : g_weather.slots)
            if (p) delete p;
        g_weather.type = 0;
        g_weather.liveCount = 0;
    }

    void Scroll(int dx, int dy) override {
        for (CWeatherParticle* p : g_weather.slots) {
            if (!p) continue;
            p->x += dx;
            p->y += dy;
        }
    }

    void SetWeather(int type, int count, int temperature) override {
        if (FilterWeather) return;
        WeatherState& w = g_weather;
        w.ticks = 0;
        if (type == kSeasonType) {
            w.season = count;
            w.temperature = temperature;
            if (DebugMode()) {
                char text[64];
                snprintf(text, sizeof text, "Season: %d   Temperature: %d", count, temperature);
                TextManager::AddSystemMessage(0, 3, text);
            }
            return;
        }
        if (w.type == 0) {
            if (type == WeatherState::RAIN) {
                TextManager::AddSystemMessage(0, 3, "It begins to rain.");
            } else if (type == WeatherState::SNOW) {
                TextManager::AddSystemMessage(0, 3, "It begins to snow.");
                SoundManager::PlaySound(kSnowSound, 0, 0);
            } else {
                return;
            }
            w.type = type;
            w.targetCount = count;
            for (int i = 0; i < count; ++i) CreateParticle(type);
            return;
        }
        if (type == kKeepType) return;
        if (type == 0) {
            // Ending the weather leaves nothing behind: particles made now
            // would never move again.
            Stop();
            w.targetCount = 0;
            return;
        }
        const int kind = type == WeatherState::RAIN ? WeatherState::RAIN : WeatherState::SNOW;
        const int before = w.targetCount;
        w.targetCount = count;
        for (int i = before; i < count; ++i) CreateParticle(kind);
        for (int i = count; i < before; ++i) RemoveParticle();
    }

    void Update() override {
        WeatherState& w = g_weather;
        if (w.type == 0) return;
        const int kind = w.type == WeatherState::RAIN ? WeatherState::RAIN : WeatherState::SNOW;
        if (w.liveCount < w.targetCount)
            CreateParticle(kind);
        else if (w.liveCount > w.targetCount)
            RemoveParticle();
        if (++w.ticks > kDecayAfterTicks) w.targetCount = w.targetCount > 2 ? w.targetCount - 2 : 0;
        const bool snow = kind == WeatherState::SNOW;
        for (CWeatherParticle* p : w.slots) {
            if (!p) continue;
            if (snow && RandomNumber(25000) == 10) {
                w.gustMaximum = RandomNumber(10);
                w.gustStep = 2;
                w.gustWind = 0;
                w.gustDuration = 15000 + RandomNumber(500);
                w.gustElapsed = 0;
                w.gustActive = true;
            }
            StepGust();
            --p->lifetime;
            p->x = p->x - p->dx - w.gustWind;
            p->y = p->y + p->dy;
            if (snow && RandomNumber(10) == 0) p->dx = p->dx - 1 + RandomNumber(2);
            if (p->lifetime < 1 || p->x < 0 || p->y < 0 || p->x >= Width() || p->y >= Height())
                Restart(p, kind);
        }
    }
};

GumpWeather g_service;

}  // namespace

CWeatherParticle::CWeatherParticle(int x_, int y_, int w, int h, const M_WORD* pixels, int gumpArt,
                                   int slot_)
    : CDumbGump(x_, y_, 0, w, h, -1, pixels, gumpArt), slot(slot_) {
    name = "weather particle";
}

CWeatherParticle::~CWeatherParticle() {
    WeatherState& w = g_weather;
    if (slot >= 0 && slot < WeatherState::MAX_PARTICLES && w.slots[slot] == this) {
        w.slots[slot] = nullptr;
        if (w.liveCount > 0) --w.liveCount;
    }
}

WeatherState& CurrentWeather() {
    return g_weather;
}

void InstallWeather() {
    tw::Service<WeatherService>::Install(&g_service);
}

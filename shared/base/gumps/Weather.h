// Weather: rain or snow as up to 70 small particle gumps drifting over the
// play area, and the season and temperature the server announces.  The
// server's weather message calls SetWeather, the frame tick Update, and a
// scroll of the view moves every particle (world/WeatherManager.h declares
// the service; this is its implementation, installed by InstallWeather).
//
// A particle is a plain picture gump in the gump manager's top-level list;
// the manager may close it at any time, and its destructor clears its slot,
// so a slot never names a closed gump.  The state lives from startup to
// shutdown (reset for tests).  Main thread only.
#pragma once

#include "gumps/SmallGumps.h"
#include "world/WeatherManager.h"

class CWeatherParticle : public CDumbGump {
public:
    CWeatherParticle(int x, int y, int width, int height, const M_WORD* pixels, int gumpArt,
                     int slot);
    ~CWeatherParticle() override;

    int lifetime = 0;
    int dx = 0;
    int dy = 0;
    int slot = -1;
};

struct WeatherState {
    static constexpr int MAX_PARTICLES = 70;
    static constexpr int RAIN = 1;
    static constexpr int SNOW = 2;

    int type = 0;  // 0 none, 1 rain, 2 snow
    // The server's count (a byte); more than MAX_PARTICLES makes none.
    int targetCount = 0;
    int liveCount = 0;
    int season = 0;
    int temperature = 72;
    int ticks = 0;
    CWeatherParticle* slots[MAX_PARTICLES] = {};
    // The snow's wind gust.
    int gustMaximum = 0;
    int gustStep = 0;
    int gustWind = 0;
    int gustDuration = 0;
    int gustElapsed = 0;
    bool gustActive = false;
};

// The one weather state (tests read it).
WeatherState& CurrentWeather();
// Installs the weather as the WeatherService.
void InstallWeather();

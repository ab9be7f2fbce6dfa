// Weather.  Only what its callers use so far is declared here.  Weather is
// not built yet: its one stand-in (shared/base/pending/) is installed at
// start-up, and the static functions below reach whatever is installed.
#pragma once

#include "Service.h"

class WeatherService {
public:
    static constexpr const char* kServiceName = "WeatherManager";
    virtual ~WeatherService() = default;
    virtual void startup() = 0;
    virtual void shutdown() = 0;
    virtual void Update() = 0;
    virtual void Scroll(int dx, int dy) = 0;
    virtual void Stop() = 0;
    // The server's weather message: type (0 none, 1 rain, 2 snow, 4 keep,
    // 254 season and temperature), particle count, temperature.
    virtual void SetWeather(int type, int count, int temperature) = 0;
};

class WeatherManager {
public:
    static void startup() { tw::Service<WeatherService>::Get().startup(); }
    static void shutdown() { tw::Service<WeatherService>::Get().shutdown(); }
    static void Update() { tw::Service<WeatherService>::Get().Update(); }
    // Moves every particle with a scroll of the play area.
    static void Scroll(int dx, int dy) { tw::Service<WeatherService>::Get().Scroll(dx, dy); }
    // Ends the rain or snow at once (the server placed the player).
    static void Stop() { tw::Service<WeatherService>::Get().Stop(); }
    static void SetWeather(int type, int count, int temperature) {
        tw::Service<WeatherService>::Get().SetWeather(type, count, temperature);
    }
};

// Weather.  Only what its callers use so far is declared here.
#pragma once

class WeatherManager {
public:
    static void startup();
    static void shutdown();
    static void Update();
};

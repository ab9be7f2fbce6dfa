// Weather.  Only what its callers use so far is declared here.
#pragma once

class WeatherManager {
public:
    static void startup();
    static void shutdown();
    static void Update();
    // Moves every particle with a scroll of the play area.
    static void Scroll(int dx, int dy);
};

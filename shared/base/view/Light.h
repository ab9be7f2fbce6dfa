// The light module of the world view.  Only what its callers use so far is
// declared here.  It is not built yet: its start-up and frame reach the
// installed LightService, and what the world model asks of it the installed
// ViewLight (world/ViewHooks.h).
#pragma once

#include "Service.h"
#include "world/ViewHooks.h"

class LightService {
public:
    static constexpr const char* kServiceName = "thelightthingie";
    virtual ~LightService() = default;
    virtual void startup() = 0;
    virtual void shutdown() = 0;
    virtual void PaintFrame() = 0;
};

class thelightthingie {
public:
    static void startup() { Service().startup(); }
    static void shutdown() { Service().shutdown(); }
    // Paints the play area of one frame: the dirty regions.
    static void PaintFrame() { Service().PaintFrame(); }
    // Scrolls the play area by pixels and repaints the uncovered strip.
    static void ScrollView(int dx, int dy) { world::Light().ScrollView(dx, dy); }

private:
    static LightService& Service() { return tw::Service<LightService>::Get(); }
};

// Marks dirty the screen area lit by an object's light.
inline void InvalidateObjectLight(CObj* object) {
    world::Light().InvalidateObjectLight(object);
}

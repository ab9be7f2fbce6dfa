// thelightthingie: the repaint of the play area and its light.
//
// Once a frame PaintFrame redraws only the dirty rectangles of the play
// area (Repaint.h): the world first (DrawManager::DrawWorldRect), then the
// light pass, which darkens every pixel by a level 0 (full brightness) to 31
// (black).  The level starts from the ambient level less the personal light
// and is lowered near light sources by the light maps of "light.mul"; with
// the option ColoredLighting it is kept per channel and each kind of light
// source colours its light.  The world is drawn in 5-5-5 pixels; the light
// pass writes the display's format (5-6-5 with use565).
//
// The light files stay mapped for the process (startup to exit); the
// levels live for the world (ClearWorldLightLevels).  Main thread only.
#pragma once

#include "TWTypes.h"
#include "resources/BlitTarget.h"

class CObj;

// Where the world is drawn: play-area pixel (x, y) at origin + y * pitch +
// x.  PaintFrame points it into the ring back buffer for each rectangle;
// tests and benchmarks may point it at a buffer of their own.
struct WorldTarget {
    M_WORD* origin = nullptr;
    int pitch = 0;
    int width = 0;  // the play area's size
    int height = 0;

    // The blitters' view of it, clipped to a play-area rectangle.
    BlitTarget Clipped(const RECT& clip) const {
        return BlitTarget(origin, pitch, width, height).Clipped(clip);
    }
};

class thelightthingie {
public:
    // Logs, maps "lightidx.mul" and "light.mul"; a missing or bad file
    // leaves every light without a map (no light).
    static void startup();
    static void shutdown();
    // The light scale and component tables, for the pixel format in use.
    static void BuildLightTables();

    // The frame's repaint: each dirty rectangle drawn and lit.
    static void PaintFrame();
    // The picture moves by (dx, dy) pixels: the ring start moves and only
    // the uncovered strips are marked dirty.
    static void ScrollView(int dx, int dy);
    static void ScrollBackBuffer(int dx, int dy);
    // A full invalidation even when one is pending.
    static void ResetScroll();

    // The light pass over one rectangle of the draw target: three levels
    // per pixel, or one.
    static void RepaintTiles(const RECT& rect);
    static void RepaintTilesMono(const RECT& rect);

    static WorldTarget target;
    // Set by the server's light-level message; the player's and lit
    // objects' personal light is subtracted from it.
    static int ambientLevel;
    static int personalLight;

    // Test support: levels, ring and dirty list of a fresh start; the light
    // files forgotten.
    static void reset();
};

// Marks dirty the screen area lit by an object (nothing for an object that
// gives no light).
void InvalidateObjectLight(CObj* object);
// The play-area rectangle an object's light covers and its light number;
// FALSE when the object gives no light.
BOOL GetLightArea(CObj* object, RECT* area, int* number);

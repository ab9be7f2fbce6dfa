// The light pass's view of the lights that reach a rectangle.  For the
// view's folder only.
#pragma once

#include <vector>

#include "TWTypes.h"
#include "view/LightFile.h"

class CDrawItem;
class CMobile;

// How each kind of light source lowers the three channel levels.
enum class LightColour {
    White,
    SoftWhite,
    Red,
    Orange,
    SoftOrange,
    Yellow,
    SoftYellow,
    Green,
    Blue,
    Violet
};

// The colour of a light carried by an object of that graphic.
LightColour LightColourOf(int graphic);

// One light that reaches the rectangle being repainted.
struct ActiveLight {
    RECT area;  // play-area pixels
    LightMap map;
    LightColour colour;
};

// The lights of the light-source list that shine into rect: placed, shown,
// not covered by a floor in front of them, with a light map.
void CollectLights(const RECT& rect, std::vector<ActiveLight>* out);

// An item filed into or taken out of the cell in front of a light may cover
// or uncover it: marks dirty the light areas of the lights behind it.
void InvalidateLightsCoveredBy(CDrawItem* item);

// Marks dirty the light areas of the light sources a mobile wears.
void InvalidateEquipmentLights(CMobile* mobile);

// What the resources ask of the modules above them.
//
// An art item the server replaces changes what the world view draws: the
// land cells drawn with that art, or the objects of that item tile, are
// refreshed.  Screen positions of map cells need the current map's width.
// The hue list's skin ramps take their colours through the hue picker's
// conversion.  The modules that own these implement the interfaces and main
// installs them at start-up (the stand-ins of shared/base/pending/ until
// they are built).
#pragma once

#include "Service.h"

// The world view's draw manager.
class TileArtChanges {
public:
    static constexpr const char* kServiceName = "TileArtChanges";
    virtual ~TileArtChanges() = default;
    // Marks dirty every land cell drawn with that land art.
    virtual void InvalidateTerrainOfTile(int landId) = 0;
    // Files again every non-mobile object of that item tile.
    virtual void ResortItemsOfTile(int itemId) = 0;
};

// The world view's map manager.
class MapGeometry {
public:
    static constexpr const char* kServiceName = "MapGeometry";
    virtual ~MapGeometry() = default;
    // The width in cells of the current map: the column constant of screen
    // positions (x - y + width).
    virtual int GetMapWidth() = 0;
};

// The hue picker of the game dialogs.
class ColourConversions {
public:
    static constexpr const char* kServiceName = "ColourConversions";
    virtual ~ColourConversions() = default;
    // 8-bit components to hue (degrees), lightness and saturation.
    virtual void RGBToHSV(int r, int g, int b, double* hue, double* lightness,
                          double* saturation) = 0;
};

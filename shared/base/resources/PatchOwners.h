// The owners, above the resources, of what a data-file change touches: the
// tile data of the world model, which a "verdata.mul" group replaces, and the
// draw lists, which show the art that the server replaces.  The view
// implements this interface and main installs it at start-up, before the
// version file is read.
#pragma once

#include "TWTypes.h"

class PatchOwners {
public:
    static constexpr const char* kServiceName = "PatchOwners";
    virtual ~PatchOwners() = default;

    // A tile-data group of "verdata.mul": its records after the group header.
    virtual void PatchTileDataGroup(int group, const M_BYTE* records, int length) = 0;
    // Land art `landId` changed: every terrain cell drawn with it is redrawn.
    virtual void InvalidateTerrainOfTile(int landId) = 0;
    // Static art `itemId` changed: its objects are filed again in the draw
    // lists.
    virtual void ResortItemsOfTile(int itemId) = 0;
};

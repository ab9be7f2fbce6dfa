// The owners of the version-patch groups that the data-file cache does not
// hold itself.  "verdata.mul" carries patches of the tile data (file 30),
// which the world model keeps; the cache hands each such group on through
// this interface, which the world model implements (world/ObjectManager.h)
// and main installs before the cache reads the patches.
#pragma once

#include "Service.h"
#include "TWTypes.h"

class PatchOwners {
public:
    static constexpr const char* kServiceName = "PatchOwners";
    virtual ~PatchOwners() = default;

    // A patch of 32 tile records (no header) for one group: 0..511 land,
    // 512..1023 items.
    virtual void PatchTileDataGroup(int group, const M_BYTE* records, int length) = 0;
};

// The fixture of the world-model tests: a fresh object manager over a
// "tiledata.mul" that each test describes, the frame clock under the test's
// control, and short ways to make the objects a test needs.
#pragma once

#include "Service.h"
#include "support/TwTest.h"
#include "support/datafiles/WorldFormats.h"
#include "support/doubles/RecordingSound.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"

namespace tw::test {

// Serials: items have bit 30 set.
constexpr M_DWORD kItem = 0x40000000;

class WorldTest : public TwTest {
protected:
    void SetUp() override;

    // Writes "tiledata.mul" from tiles and starts the object manager.
    void StartWorld();
    // The player object at (x, y, z), placed in the world.
    CPlayer* MakePlayer(int x = 100, int y = 100, int body = 400, M_DWORD serial = 1);
    // An item the server places in the world.
    CDynamicObj* PlaceItem(M_DWORD serial, int graphic, int x, int y, int z = 0, int amount = 1);
    // A mobile the server places in the world.
    CMobile* PlaceMobile(M_DWORD serial, int body, int x, int y, int z = 0, int direction = 0);
    // Sets the frame clock and runs one frame of movement.
    void Frame(M_DWORD now);

    tw::datafiles::TileData tiles;
    // The sounds the world asked for (footsteps, falls).
    tw::doubles::RecordingSound sound;

private:
    tw::ScopedService<SoundService> installedSound_{&sound};
};

}  // namespace tw::test

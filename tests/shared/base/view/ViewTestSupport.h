// The fixture of the world-view tests: the sample world (or a world a test
// writes) read through the client's own readers, a back buffer of the
// test's own standing in for the window's, and short ways to place the
// player and to read the play area back as a picture.
#pragma once

#include <vector>

#include "PlatformServices.h"
#include "Service.h"
#include "gumps/WorldGumps.h"
#include "net/WorldMessages.h"
#include "support/GoldenImage.h"
#include "support/TwTest.h"
#include "support/datafiles/SampleWorld.h"
#include "support/doubles/RecordingSound.h"
#include "world/Mobile.h"

namespace tw::test {

// A serial the server would give an item.
constexpr M_DWORD kItemSerial = 0x40000001;

class ViewTest : public TwTest {
protected:
    void SetUp() override;

    // Writes the world's files (and stand-ins for the other data files)
    // and starts the services the view reads: the data files, tile data,
    // hues, the grey table, the draw table, the map and the light files.
    void StartWorld(const datafiles::sample::SampleWorld& world);
    // The two halves of StartWorld: the files, then the services.
    void WriteWorld(const datafiles::sample::SampleWorld& world);
    void StartServices();
    void StartSampleWorld();
    // A back buffer of width x height (the game window), the play area
    // playWidth x playHeight, and the pixel format.
    void UseBackBuffer(int width, int height, int playWidth, int playHeight, bool is565);
    // The player (body 400) at a cell on its land, the view centred on it.
    CPlayer* PlacePlayer(int x, int y);
    // Paints the dirty parts of the frame.
    void Paint();
    // The play area as the window shows it: read out of the ring.
    Image16 PlayArea() const;

    std::vector<M_WORD> backBuffer;
    // The sounds asked for (a mobile filed plays its footstep).
    tw::doubles::RecordingSound sound;

private:
    // The gump framework's and the connection's sides of the world model
    // and the platform's hooks, as the program installs them.
    WorldGumps objectGumps_;
    GameConnectionMessages messages_;
    tw::ScopedService<ObjectGumps> installedGumps_{&objectGumps_};
    tw::ScopedService<WorldMessages> installedMessages_{&messages_};
    tw::ScopedService<SoundService> installedSound_{&sound};
    tw::ScopedService<PlatformHooks> installedHooks_{&X11PlatformHooks()};
};

// The play area of any back buffer (the ring unrolled), at a depth.
Image16 PlayAreaOf(const std::vector<M_WORD>& ring, int width, int height, int ringStart,
                   int playWidth, int playHeight, int depth);

}  // namespace tw::test

// The fixture of the world-model tests: a fresh object manager over a
// "tiledata.mul" that each test describes, the frame clock under the test's
// control, and short ways to make the objects a test needs.  The services
// above the world model are installed for every test: the real gump
// framework's side of the world (its gump lists) and the real client
// messages, and recording doubles of the world view, the gumps' services
// that are not built yet, the texts over objects, the application's target
// cursor and the weather; the dice answer 0 unless a test says otherwise.
#pragma once

#include <vector>

#include "Service.h"
#include "gumps/WorldGumps.h"
#include "net/ClientSock.h"
#include "net/WorldMessages.h"
#include "support/TwTest.h"
#include "support/datafiles/WorldFormats.h"
#include "support/doubles/RecordingGumps.h"
#include "support/doubles/RecordingSound.h"
#include "support/doubles/RecordingTexts.h"
#include "support/doubles/RecordingUpperServices.h"
#include "support/doubles/RecordingWorldView.h"
#include "support/doubles/ScriptedRandom.h"
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
    tw::doubles::RecordingWorldView view;
    tw::doubles::RecordingGumpFramework gumps;
    tw::doubles::RecordingTexts texts;
    tw::doubles::RecordingRequests requests;
    tw::doubles::RecordingWeather weather;
    tw::doubles::DialogLog dialogs;
    tw::doubles::ScriptedRandom dice;
    // The sounds the world asked for (footsteps, falls).
    tw::doubles::RecordingSound sound;

private:
    WorldGumps objectGumps_;
    GameConnectionMessages messages_;
    tw::ScopedService<ObjectGumps> installedGumps_{&objectGumps_};
    tw::ScopedService<WorldMessages> installedMessages_{&messages_};
    tw::ScopedService<SoundService> installedSound_{&sound};
};

// The messages written to a connection that never connected, each whole.
std::vector<std::vector<unsigned char>> SentPackets(const CClientSock& connection);

}  // namespace tw::test

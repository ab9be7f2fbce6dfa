// Everything the world model reaches above it, for tests and fuzz targets
// that run it without the modules above: the real gump framework's side of
// the world (its gump lists) and the real client messages, with recording
// doubles of the world view, the gumps' services that are not built yet,
// the texts over objects, the application's target cursor and the weather;
// the version patches of the tile data go to the real object manager.
// All of it is installed while one lives.
#pragma once

#include "Service.h"
#include "gumps/WorldGumps.h"
#include "net/WorldMessages.h"
#include "support/doubles/RecordingGumps.h"
#include "support/doubles/RecordingTexts.h"
#include "support/doubles/RecordingUpperServices.h"
#include "support/doubles/RecordingWorldView.h"
#include "world/ObjectManager.h"

namespace tw::doubles {

struct WorldServices {
    RecordingWorldView view;
    RecordingGumpFramework gumps;
    RecordingTexts texts;
    RecordingRequests requests;
    RecordingWeather weather;
    DialogLog dialogs;

private:
    ::WorldGumps objectGumps_;
    GameConnectionMessages messages_;
    tw::ScopedService<ObjectGumps> installedGumps_{&objectGumps_};
    tw::ScopedService<WorldMessages> installedMessages_{&messages_};
};

}  // namespace tw::doubles

// Fixture of the app module's tests: the base fixture plus the reset of the
// configuration settings, login-server lists, application state and the
// world model.  The application runs with the real world model, game
// connection, gump lists, resources and the world view's own state; recording
// doubles stand in for the world view's side of the world model and for the
// services above it that are not built yet, and the application's own sides
// of the world model's target requests and of the speech code's ignore list
// and throttle are the real ones.
#pragma once

#include "Service.h"
#include "app/App.h"
#include "app/AppServices.h"
#include "comm/AppSpeech.h"
#include "config/Config.h"
#include "gumps/WorldGumps.h"
#include "net/WorldMessages.h"
#include "resources/GraphicManager.h"
#include "support/TwTest.h"
#include "support/doubles/RecordingGumps.h"
#include "support/doubles/RecordingTexts.h"
#include "support/doubles/RecordingUpperServices.h"
#include "support/doubles/RecordingWorldView.h"
#include "view/CircleTrans.h"
#include "view/Light.h"
#include "view/MapManager.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"

namespace tw::test {

class AppTest : public TwTest {
protected:
    void SetUp() override {
        static bool registered = false;
        if (!registered) {
            registered = true;
            AddServiceReset(ResetConfigForTests);
            AddServiceReset(CApp::reset);
            // The player object and any world object a test made.
            AddServiceReset(CObjectManager::reset);
            AddServiceReset(MoveManager::reset);
            AddServiceReset(GraphicManager::reset);
            // The world view's own state that the application clears.
            AddServiceReset(MapManager::reset);
            AddServiceReset(thelightthingie::reset);
            AddServiceReset(CCircleTrans::ClearSeeThroughList);
        }
        TwTest::SetUp();
    }

    tw::doubles::RecordingWorldView view;
    tw::doubles::RecordingViewServices viewServices;
    tw::doubles::RecordingGumpFramework gumps;
    tw::doubles::RecordingTexts texts;
    tw::doubles::RecordingWeather weather;
    tw::doubles::RecordingDialogs dialogs;
    tw::doubles::RecordingComm comm;
    tw::doubles::RecordingLogin login;
    tw::doubles::RecordingRequests requests;

private:
    WorldGumps objectGumps_;
    GameConnectionMessages messages_;
    AppTargetRequests targets_;
    AppWorldMessages worldApp_;
    tw::ScopedService<ObjectGumps> installedGumps_{&objectGumps_};
    tw::ScopedService<WorldMessages> installedMessages_{&messages_};
    tw::ScopedService<TargetRequests> installedTargets_{&targets_};
    tw::ScopedService<WorldMessageApp> installedWorldApp_{&worldApp_};
    tw::ScopedService<AppSpeech> installedSpeech_{&ApplicationSpeech()};
};

}  // namespace tw::test

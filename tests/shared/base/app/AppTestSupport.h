// Fixture of the app module's tests: the base fixture plus the reset of the
// configuration settings, login-server lists, application state and the
// world model.
#pragma once

#include "app/App.h"
#include "config/Config.h"
#include "support/TwTest.h"
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
        }
        TwTest::SetUp();
    }
};

}  // namespace tw::test

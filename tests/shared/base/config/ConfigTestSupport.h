// Fixture of the configuration's tests: the base fixture plus the reset of
// every setting and login-server list, with the view's hooks installed so
// that the keys that reach the graphic manager and the circle of
// transparency reach the recording fakes of both.
#pragma once

#include "Service.h"
#include "config/Config.h"
#include "config/ConfigHooks.h"
#include "support/TwTest.h"
#include "view/ViewServices.h"

namespace tw::test {

class ConfigTest : public TwTest {
protected:
    void SetUp() override {
        static bool registered = false;
        if (!registered) {
            registered = true;
            AddServiceReset(ResetConfigForTests);
        }
        TwTest::SetUp();
    }

private:
    tw::ScopedService<ConfigHooks> hooks_{&ViewConfigHooks()};
};

}  // namespace tw::test

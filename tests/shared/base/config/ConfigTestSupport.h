// Fixture of the configuration's tests: the base fixture plus the reset of
// every setting and login-server list, with a recording double in place of
// the view's hooks, which the keys for the play-area size and the circle of
// transparency reach.
#pragma once

#include "Service.h"
#include "config/Config.h"
#include "config/ConfigHooks.h"
#include "support/TwTest.h"
#include "support/doubles/RecordingConfigHooks.h"

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

    tw::doubles::RecordingConfigHooks view;

private:
    tw::ScopedService<ConfigHooks> hooks_{&view};
};

}  // namespace tw::test

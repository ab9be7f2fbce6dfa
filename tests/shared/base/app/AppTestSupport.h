// Fixture of the app module's tests: the base fixture plus the reset of the
// configuration settings and login-server lists.
#pragma once

#include "app/Config.h"
#include "support/TwTest.h"

namespace tw::test {

class AppTest : public TwTest {
protected:
    void SetUp() override {
        static bool registered = false;
        if (!registered) {
            registered = true;
            AddServiceReset(ResetConfigForTests);
        }
        TwTest::SetUp();
    }
};

}  // namespace tw::test

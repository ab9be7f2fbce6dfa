// Recording stand-in of the application object's entry points.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tw::fake {

struct AppState {
    // Every call in order: "OnChar 65", "LButtonDown 10 20", "SetWarMode 1",
    // "RunMacro 0", "MouseMove 5 6", "BeginTarget scroll 1 1073741825".
    std::vector<std::string> calls;
    int warModeRequest = -1;  // what CApp::WarModeRequest answers
    bool playerAtWar = false;
    int randomCalls = 0;
    // The connection's view of the application: read by the code under test.
    // ChooseServer and SendAcctLogin are recorded in calls as
    // "ChooseServer 0" and "SendAcctLogin account password 9".
    int connected = 0;  // the connected flag
    unsigned chosenAddress = 0x7F000001;
    unsigned short chosenPort = 0;
    // What RandomNumber answers for n (0 when unset).
    std::function<int(int)> random;
};

AppState& App();

}  // namespace tw::fake

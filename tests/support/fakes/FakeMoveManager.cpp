#include "support/fakes/FakeMoveManager.h"

#include <cstdio>

#include "support/TwTest.h"
#include "world/MoveManager.h"

namespace tw::fake {

std::vector<std::string>& MoveCalls() {
    static std::vector<std::string> calls;
    return calls;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { MoveCalls().clear(); });
    return true;
}();
}  // namespace

}  // namespace tw::fake

void MoveManager::Update() {
    tw::fake::MoveCalls().push_back("Update");
}

void MoveManager::ClearWalkQueue() {
    tw::fake::MoveCalls().push_back("ClearWalkQueue");
}

void MoveManager::WalkByKey(int direction, M_DWORD keyState) {
    char text[64];
    snprintf(text, sizeof text, "WalkByKey %d %u", direction, keyState);
    tw::fake::MoveCalls().push_back(text);
}

void MoveManager::RequestMove(int direction, M_DWORD running, int check) {
    char text[64];
    snprintf(text, sizeof text, "RequestMove %d %u %d", direction, running, check);
    tw::fake::MoveCalls().push_back(text);
}

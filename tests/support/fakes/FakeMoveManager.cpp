#include "support/fakes/FakeMoveManager.h"

#include <cstdio>

#include "support/TwTest.h"
#include "world/Mobile.h"
#include "world/MoveManager.h"

int MoveManager::stepCounter = 0;
BOOL MoveManager::stepRunning = FALSE;
int MoveManager::requestsInFlight = 0;
time_t MoveManager::lastRequestTime = 0;

namespace tw::fake {

std::vector<std::string>& MoveCalls() {
    static std::vector<std::string> calls;
    return calls;
}

std::vector<MoveRequest>& MoveRequests() {
    static std::vector<MoveRequest> requests;
    return requests;
}

int& DrawZCalls() {
    static int calls = 0;
    return calls;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        MoveCalls().clear();
        MoveRequests().clear();
        DrawZCalls() = 0;
        MoveManager::stepCounter = 0;
        MoveManager::stepRunning = FALSE;
        MoveManager::requestsInFlight = 0;
        MoveManager::lastRequestTime = 0;
    });
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
    tw::fake::MoveRequests().push_back({direction, running, check});
}

int CMobile::CalcDrawZ() {
    ++tw::fake::DrawZCalls();
    return z;
}

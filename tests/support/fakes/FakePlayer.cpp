#include "support/fakes/FakePlayer.h"

#include <cstdio>

#include "support/TwTest.h"
#include "world/Player.h"

namespace tw::fake {

PlayerState& Player() {
    static PlayerState state;
    return state;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        delete pPlayerObject;
        pPlayerObject = nullptr;
        Player() = PlayerState();
    });
    return true;
}();
}  // namespace

}  // namespace tw::fake

CPlayer::CPlayer(M_DWORD serial) {
    char text[64];
    snprintf(text, sizeof text, "Player %u", serial);
    tw::fake::Player().calls.push_back(text);
}

CPlayer::~CPlayer() = default;

BOOL CPlayer::IsBody402Or403() {
    return tw::fake::Player().ghost ? TRUE : FALSE;
}

BOOL CPlayer::GetWarMode() const {
    return warMode_;
}

void CPlayer::SetWarModeFlag(BOOL on) {
    warMode_ = on;
}

BOOL CPlayer::IsInDrawList() const {
    return tw::fake::Player().inDrawList ? TRUE : FALSE;
}

void CPlayer::ClearResetState() {
    tw::fake::Player().calls.push_back("ClearResetState");
}

BOOL CPlayer::IsFollowing() const {
    return tw::fake::Player().following ? TRUE : FALSE;
}

void CPlayer::StopFollowing() {
    tw::fake::Player().following = false;
    tw::fake::Player().calls.push_back("StopFollowing");
}

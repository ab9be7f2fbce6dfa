#include "world/Player.h"
#include "pending/Pending.h"

CPlayer::CPlayer(M_DWORD) {
    TW_PENDING("CPlayer::CPlayer");
}

CPlayer::~CPlayer() = default;

BOOL CPlayer::IsBody402Or403() {
    return FALSE;
}

BOOL CPlayer::GetWarMode() const {
    return warMode_;
}

void CPlayer::SetWarModeFlag(BOOL on) {
    warMode_ = on;
}

BOOL CPlayer::IsInDrawList() const {
    return FALSE;
}

void CPlayer::ClearResetState() {}

BOOL CPlayer::IsFollowing() const {
    return FALSE;
}

void CPlayer::StopFollowing() {}

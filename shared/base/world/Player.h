// CPlayer: the player's own mobile.  Only what its callers use so far is
// declared here.
#pragma once

#include "TWTypes.h"
#include "world/Obj.h"

class CPlayer : public CObj {
public:
    explicit CPlayer(M_DWORD serial);
    ~CPlayer() override;

    // A ghost's body (402 or 403).
    virtual BOOL IsBody402Or403();
    BOOL GetWarMode() const;
    void SetWarModeFlag(BOOL on);
    // On a draw list (shown in the world).
    BOOL IsInDrawList() const;
    // Clears the state word that a logout and a login confirmation reset.
    void ClearResetState();

    // The player follows a mobile (the follow flag); StopFollowing clears it.
    BOOL IsFollowing() const;
    void StopFollowing();

private:
    BOOL warMode_ = FALSE;
};

// The player object that CApp::LoadPlayerFile creates.
extern CPlayer* pPlayerObject;

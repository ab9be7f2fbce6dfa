// The death menu: play on as a ghost, or be resurrected with penalties.  Made
// by the screen update when the player has died; the graphic manager keeps
// it (GraphicManager::pDeathMenuGump) until it closes.
#pragma once

#include "gumps/Gump.h"

class CDeathMenuGump : public CGump {
public:
    static constexpr int FRAME_ART = 5100;
    // The answers of the death menu reply (client message 0x2C).
    static constexpr int PLAY_AS_GHOST = 2;
    static constexpr int RESURRECT = 1;

    // A frame centred on the gameplay window with the two choices.
    CDeathMenuGump();
    ~CDeathMenuGump() override;

    // The buttons are the library's DeathMenuChoice2 (play as a ghost,
    // closes the menu) and DeathMenuChoice1 (resurrect, leaves it open).

    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    void HandleMouseMove(int x, int y) override;
    BOOL IsDisposable() override { return FALSE; }
};

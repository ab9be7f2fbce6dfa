// The server's answer to a war-mode request.
#include "App.h"
#include "dialogs/PlayerGumps.h"
#include "world/Player.h"

void CApp::ApplyWarMode(int mode) {
    if (warModeRequest == mode) warModeRequest = -1;
    if (pPlayerObject) {
        // Leaving and re-entering the draw list redraws the player in the
        // new stance.
        const BOOL shown = pPlayerObject->IsInDrawList();
        if (shown) pPlayerObject->RemoveFromDrawList();
        pPlayerObject->SetWarModeFlag(mode ? TRUE : FALSE);
        if (shown) pPlayerObject->AddToDrawList();
    }
    RefreshPlayerStatusGumps();
    ShowPaperdollWarMode(mode ? TRUE : FALSE);
}

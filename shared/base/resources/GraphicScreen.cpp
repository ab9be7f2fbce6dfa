// The per-frame screen update with the death fade, and the main gumps made
// at start-up.
#include "FrameBuf.h"
#include "app/App.h"
#include "comm/BarkGump.h"
#include "gumps/DeathMenuGump.h"
#include "gumps/GumpManager.h"
#include "login/MainMenuGump.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "resources/GraphicManager.h"
#include "resources/ResourceSettings.h"
#include "view/Light.h"
#include "view/MapGump.h"
#include "view/WorldView.h"

namespace {

constexpr int kDeadTextFont = 3;

void showDeadText() {
    CGump* bark = CBarkGump::Make(nullptr, "You are dead.", 0, kDeadTextFont);
    bark->x = GraphicManager::getGameplayWindowCenterX() - bark->width / 2;
    bark->y = GraphicManager::getGameplayWindowCenterY() - bark->height / 2;
}

void endDeathFade() {
    InvalidateScreen();
    if (resource_settings::AssumePlayAsGhost()) {
        PDSTRUCT packet;
        PacketManager::BuildDeathMenu(&packet, 2);
        g_pGameSocket->Write(&packet);
        return;
    }
    GraphicManager::pDeathMenuGump = CDeathMenuGump::Make();
    GraphicManager::pDeathMenuGump->PutInGump(nullptr);
}

}  // namespace

void GraphicManager::CreateMainGumps() {
    // The play-area gump links itself into the top-level list.
    pMapGump = CMapGump::Make();
    CGumpManager::RecreateMainBitmap();
    pMainMenuGump = CMainMenuGump::Make();
    pMainMenuGump->PutInGump(nullptr);
}

void GraphicManager::UpdateScreen() {
    if (!g_pGameSocket) return;
    if (deathCounter == 0) {
        thelightthingie::PaintFrame();
    } else {
        switch (AdvanceDeathFade(g_backBuffer, g_displayWidth, g_displayHeight, g_ringStart,
                                 resource_settings::Display565())) {
            case FADE_SHOWS_TEXT:
                showDeadText();
                break;
            case FADE_ENDS:
                endDeathFade();
                break;
            case FADE_GOES_ON:
                break;
        }
    }
    CGumpManager::DrawAllGumps(RECT{0, 0, g_displayWidth, g_displayHeight}, 1);
    CApp::RedrawInputLine();
}

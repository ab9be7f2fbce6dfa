// The per-frame screen update with the death fade (the view's ScreenUpdate),
// and the main gumps made at start-up.
#include "FrameBuf.h"
#include "Service.h"
#include "config/Config.h"
#include "gumps/DeathMenuGump.h"
#include "gumps/GumpManager.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "resources/GraphicManager.h"
#include "resources/ScreenUpdate.h"
#include "view/InputLineRedraw.h"
#include "view/Light.h"
#include "view/MapGump.h"
#include "view/ScreenGumps.h"
#include "view/ViewServices.h"
#include "view/WorldView.h"

namespace {

constexpr int kDeadTextFont = 3;

void showDeadText() {
    CGump* bark = tw::Service<ScreenGumps>::Get().MakeFreeText("You are dead.", 0, kDeadTextFont);
    bark->x = GraphicManager::getGameplayWindowCenterX() - bark->width / 2;
    bark->y = GraphicManager::getGameplayWindowCenterY() - bark->height / 2;
}

void endDeathFade() {
    InvalidateScreen();
    if (AssumePlayAsGhost) {
        PDSTRUCT packet;
        PacketManager::BuildDeathMenu(&packet, 2);
        g_pGameSocket->Write(&packet);
        return;
    }
    GraphicManager::pDeathMenuGump = new CDeathMenuGump();
    GraphicManager::pDeathMenuGump->PutInGump(nullptr);
}

}  // namespace

void GraphicManager::CreateMainGumps() {
    // The play-area gump links itself into the top-level list.
    pMapGump = CMapGump::Make();
    CGumpManager::RecreateMainBitmap();
    pMainMenuGump = tw::Service<ScreenGumps>::Get().OpenMainMenuGump();
}

namespace {

class ViewScreen final : public ScreenUpdate {
public:
    void UpdateScreen() override {
        if (!g_pGameSocket) return;
        if (GraphicManager::deathCounter == 0) {
            thelightthingie::PaintFrame();
        } else {
            switch (GraphicManager::AdvanceDeathFade(g_backBuffer, g_displayWidth, g_displayHeight,
                                                     g_ringStart, Display565 != 0)) {
                case GraphicManager::FADE_SHOWS_TEXT:
                    showDeadText();
                    break;
                case GraphicManager::FADE_ENDS:
                    endDeathFade();
                    break;
                case GraphicManager::FADE_GOES_ON:
                    break;
            }
        }
        CGumpManager::DrawAllGumps(RECT{0, 0, g_displayWidth, g_displayHeight}, 1);
        tw::Service<InputLineRedraw>::Get().RedrawInputLine();
    }
};

}  // namespace

ScreenUpdate& ViewScreenUpdate() {
    static ViewScreen screen;
    return screen;
}

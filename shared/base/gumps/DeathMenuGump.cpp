#include "gumps/DeathMenuGump.h"

#include "gumps/ButtonGump.h"
#include "gumps/MouseManager.h"
#include "gumps/TiledDraw.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "resources/FontManager.h"
#include "resources/GraphicManager.h"

namespace {

constexpr int kWidth = 280, kHeight = 100;

// The reply goes only to an open connection: a menu left on screen after
// the connection closed must not write to it.
void sendChoice(int choice, const char* who) {
    PDSTRUCT packet;
    PacketManager::BuildDeathMenu(&packet, static_cast<M_BYTE>(choice));
    WriteToOpenGame(&packet, who);
}

}  // namespace

CDeathMenuGump::CDeathMenuGump()
    : CGump(GraphicManager::getGameplayWindowCenterX() - kWidth / 2,
            GraphicManager::getGameplayWindowCenterY() - kHeight / 2, nullptr, nullptr, 1, kWidth,
            kHeight) {
    name = "DeathMenu gump";
    if (M_WORD* pixels = NewFrameBlock(0, width, height)) {
        DrawTiledFrame(FRAME_ART, pixels - 2, FALSE);
        int textWidth = 0, h = 0, baseline = 0;
        FontManager::GetStringSize(1, "Aq", &textWidth, &h, &baseline);
        const BlitTarget target(pixels, pitch, width, height);
        FontManager::DrawString(60, h + 20, 1, 902, "Play As Ghost", target);
        FontManager::DrawString(60, h + 60, 1, 902, "Resurrect With Penalties", target);
    }
    const GumpCallback choices[2] = {&CGump::DeathMenuChoice2, &CGump::DeathMenuChoice1};
    for (int i = 0; i < 2; ++i) {
        auto* button = new CButtonGump(20, 20 + 40 * i, this, CButtonGump::PUSH, CButtonGump::UP,
                                       choices[i], 5050, 5051, 0);
        button->PutInGump(this);
    }
}

CDeathMenuGump::~CDeathMenuGump() {
    if (GraphicManager::pDeathMenuGump == this) GraphicManager::pDeathMenuGump = nullptr;
}

void CGump::DeathMenuChoice1() {
    sendChoice(CDeathMenuGump::RESURRECT, "CGump::DeathMenuChoice1");
}

void CGump::DeathMenuChoice2() {
    sendChoice(CDeathMenuGump::PLAY_AS_GHOST, "CGump::DeathMenuChoice2");
    delete this;
}

BOOL CDeathMenuGump::HitTest(int px, int py) {
    return visible && px >= 0 && py >= 0 && px < width && py < height;
}

void CDeathMenuGump::HandleLButtonDown(int, int) {
    BringToFront(this, 1);
}

void CDeathMenuGump::HandleLButtonUp(int, int) {
    MouseManager::SetCapture(nullptr);
}

// A right click does not close the menu.
void CDeathMenuGump::HandleRButtonUp(int, int) {
    MouseManager::SetCapture(nullptr);
}

void CDeathMenuGump::HandleMouseMove(int, int) {
    MouseManager::SetCursorType(17);
}

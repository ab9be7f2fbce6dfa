// CApp::FrameTick: the client's one periodic step.  The main loop calls it
// once per frame period; the body runs at most once per 76 ms, advances the
// clocks, runs every manager's per-frame update in a fixed order, draws and
// presents the frame, and keeps an idle connection alive.
#include "app/FrameTick.h"
#include "Clock.h"
#include "SoundManager.h"
#include "app/App.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "net/ClientSock.h"
#include "net/Packet.h"
#include "net/PacketManager.h"
#include "resources/GraphicManager.h"
#include "view/WorldView.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"
#include "world/WeatherManager.h"

namespace {

// Runs one step of the tick under its name, so that whoever follows the tick
// sees the order in which the steps run.
void Step(const char* name, void (*step)()) {
    NoteFrameStep(name);
    step();
}

void AdvanceClock() {
    AdvanceGameClock(&CApp::gameHour, &CApp::gameMinute, &CApp::gameSeconds);
}

void CountDownArmDisarm() {
    if (g_armDisarmCooldown > 0) --g_armDisarmCooldown;
}

void KeepAlive() {
    const bool inUse = CApp::inWorld || (g_pGameSocket != nullptr && g_pGameSocket->IsGameMode());
    if (KeepAliveDue(g_frameTickState, inUse, g_wallTime) && g_pGameSocket != nullptr) {
        PDSTRUCT packet;
        PacketManager::Build73(&packet, 0);
        g_pGameSocket->Write(&packet);
    }
}

}  // namespace

void CApp::FrameTick(int skipDraw) {
    const M_DWORD now = GetTimeMs();
    g_frameTime = now;
    g_wallTime = GetWallTime();

    const FrameGate gate = PassFrameGate(g_frameTickState, now);
    if (!gate.run) return;
    if (gate.secondTick) Step("AdvanceGameClock", AdvanceClock);

    Step("CApp::UpdateSpeechQueue", UpdateSpeechQueue);
    Step("FollowPathStep", FollowPathStep);
    Step("SoundManager::Update", SoundManager::Update);
    Step("MouseManager::Update", MouseManager::Update);
    Step("MoveManager::Update", MoveManager::Update);
    Step("CObjectManager::UpdateMovement", CObjectManager::UpdateMovement);
    if (gate.secondTick) Step("CObjectManager::AgeRecentList", CObjectManager::AgeRecentList);
    Step("WeatherManager::Update", WeatherManager::Update);
    Step("CGumpManager::Update", CGumpManager::Update);
    Step("CApp::MacroTick", MacroTick);
    Step("arm/disarm cool-down", CountDownArmDisarm);
    if (!skipDraw) Step("GraphicManager::UpdateScreen", GraphicManager::UpdateScreen);
    Step("GraphicManager::Update", GraphicManager::Update);
    Step("keep-alive", KeepAlive);
}

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

void CApp::FrameTick(int skipDraw) {
    const M_DWORD now = GetTimeMs();
    g_frameTime = now;
    g_wallTime = time(nullptr);

    const FrameGate gate = PassFrameGate(g_frameTickState, now);
    if (!gate.run) return;
    if (gate.secondTick) AdvanceGameClock(&gameHour, &gameMinute, &gameSeconds);

    UpdateSpeechQueue();
    FollowPathStep();
    SoundManager::Update();
    MouseManager::Update();
    MoveManager::Update();
    CObjectManager::UpdateMovement();
    if (gate.secondTick) CObjectManager::AgeRecentList();
    WeatherManager::Update();
    CGumpManager::Update();
    MacroTick();
    if (g_armDisarmCooldown > 0) --g_armDisarmCooldown;
    if (!skipDraw) GraphicManager::UpdateScreen();
    GraphicManager::Update();

    const bool inUse = inWorld || (g_pGameSocket != nullptr && g_pGameSocket->IsGameMode());
    if (KeepAliveDue(g_frameTickState, inUse, g_wallTime) && g_pGameSocket != nullptr) {
        PDSTRUCT packet;
        PacketManager::Build73(&packet, 0);
        g_pGameSocket->Write(&packet);
    }
}

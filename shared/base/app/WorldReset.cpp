// Forgetting the world between two logins.
#include "App.h"
#include "FrameBuf.h"
#include "view/MapManager.h"
#include "view/WorldView.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

void CApp::ResetWorldState() {
    ClearWorldLightLevels();
    if (pPlayerObject) pPlayerObject->ClearResetState();
    g_ringStart = 0;
    g_viewX = 0;
    g_viewY = 0;
    CObjectManager::ReleaseAllObjects();
    MapManager::Reset();
    MoveManager::ClearWalkQueue();
}

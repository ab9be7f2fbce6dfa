// Stand-in of what the world's server messages ask of the gump manager that
// is not built yet (missiles, the death menu's and the login screens'
// closing); the rest goes to the real gump manager and text manager.
#include "gumps/GumpManager.h"
#include "gumps/TextManager.h"
#include "net/WorldMessageEvents.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class GumpMessagesStandIn : public WorldMessageGumps {
public:
    void OpenGump(CObj* object, int id, int flag) override {
        CGumpManager::OpenGump(object, id, nullptr, flag);
    }
    void LaunchMissileObjToObj(int, CObj*, CObj*, int, int, int) override {
        TW_PENDING("CGumpManager::LaunchMissileObjToObj");
    }
    void LaunchMissileObjToPos(int, CObj*, Coords, int, int, int) override {
        TW_PENDING("CGumpManager::LaunchMissileObjToPos");
    }
    void LaunchMissilePosToObj(int, Coords, CObj*, int, int, int) override {
        TW_PENDING("CGumpManager::LaunchMissilePosToObj");
    }
    void LaunchMissilePosToPos(int, Coords, Coords, int, int, int) override {
        TW_PENDING("CGumpManager::LaunchMissilePosToPos");
    }
    void CloseFlaggedGumps() override { CGumpManager::CloseFlaggedGumps(); }
    void CloseDeathMenuGumps(BOOL) override { TW_PENDING("CGumpManager::CloseDeathMenuGumps"); }
    void CloseDragGump() override { CGumpManager::CloseDragGump(); }
    void AddSystemMessage(int hue, int font, const char* text) override {
        TextManager::AddSystemMessage(hue, font, text);
    }
    void CloseLoginGumps() override { TW_PENDING("CGumpManager::CloseLoginGumps"); }
};

}  // namespace

void InstallPendingGumpManager() {
    InstallStandIn<GumpMessagesStandIn, WorldMessageGumps>();
}

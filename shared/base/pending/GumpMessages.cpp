// Stand-in of what the world's server messages ask of the gump manager that
// is not built yet (the death menu's closing); the
// rest goes to the real gump manager, text manager and missiles.
#include "gumps/GumpManager.h"
#include "gumps/TextManager.h"
#include "login/FrontEnd.h"
#include "net/WorldMessageEvents.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"
#include "view/Missile.h"

namespace {

class GumpMessagesStandIn : public WorldMessageGumps {
public:
    void OpenGump(CObj* object, int id, int flag) override {
        CGumpManager::OpenGump(object, id, nullptr, flag);
    }
    void LaunchMissileObjToObj(int g, CObj* s, CObj* t, int speed, int fixed,
                               int arrival) override {
        ::LaunchMissileObjToObj(g, s, t, speed, fixed, arrival);
    }
    void LaunchMissileObjToPos(int g, CObj* s, Coords t, int speed, int fixed,
                               int arrival) override {
        ::LaunchMissileObjToPos(g, s, t, speed, fixed, arrival);
    }
    void LaunchMissilePosToObj(int g, Coords s, CObj* t, int speed, int fixed,
                               int arrival) override {
        ::LaunchMissilePosToObj(g, s, t, speed, fixed, arrival);
    }
    void LaunchMissilePosToPos(int g, Coords s, Coords t, int speed, int fixed,
                               int arrival) override {
        ::LaunchMissilePosToPos(g, s, t, speed, fixed, arrival);
    }
    void CloseFlaggedGumps() override { CGumpManager::CloseFlaggedGumps(); }
    void CloseDeathMenuGumps(BOOL) override { TW_PENDING("CGumpManager::CloseDeathMenuGumps"); }
    void CloseDragGump() override { CGumpManager::CloseDragGump(); }
    void AddSystemMessage(int hue, int font, const char* text) override {
        TextManager::AddSystemMessage(hue, font, text);
    }
    void CloseLoginGumps() override { ::CloseLoginGumps(); }
};

}  // namespace

void InstallPendingGumpManager() {
    InstallStandIn<GumpMessagesStandIn, WorldMessageGumps>();
}

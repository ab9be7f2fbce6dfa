// Stand-in of the gump manager: no gump is drawn, but the frame is still
// shown and the main bitmap kept.
#include <cstring>

#include "FrameBuf.h"
#include "Platform.h"
#include "gumps/GumpManager.h"
#include "gumps/TextManager.h"
#include "net/WorldMessageEvents.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class GumpManagerStandIn : public GumpManagerService, public WorldMessageGumps {
public:
    void startup() override { TW_PENDING("CGumpManager::startup"); }
    void shutdown() override {
        TW_PENDING("CGumpManager::shutdown");
        ResetBackBufferPointer();
    }
    void RecreateMainBitmap() override {
        TW_PENDING("CGumpManager::RecreateMainBitmap");
        ResetBackBufferPointer();
        AllocateMainBitmap();
        if (g_backBuffer != nullptr && g_frameBuf != nullptr)
            std::memset(g_backBuffer, 0,
                        static_cast<size_t>(g_frameBuf->GetWidth()) * g_frameBuf->GetHeight() * 2);
    }
    void Update() override { TW_PENDING("CGumpManager::Update"); }
    CWaitingGump* OpenWaitingGump(const void* text, CGump*, int, int, int wideText) override {
        TW_PENDING("CGumpManager::OpenWaitingGump");
        if (text != nullptr && !wideText) TWReport::print("%s\n", static_cast<const char*>(text));
        return nullptr;
    }
    void DrawAllGumps(const RECT&, int present) override {
        TW_PENDING("CGumpManager::DrawAllGumps");
        // No gump is drawn yet, but the frame is still shown.
        if (present) PresentBackBuffer();
    }
    BOOL IsGumpOpen(const void*) override {
        TW_PENDING("CGumpManager::IsGumpOpen");
        return FALSE;
    }
    void CloseDragGump() override { TW_PENDING("CGumpManager::CloseDragGump"); }
    CGump* OpenGump(CObj*, int, CGump*, int) override {
        TW_PENDING("CGumpManager::OpenGump");
        return nullptr;
    }
    void OpenMailGump() override { TW_PENDING("CGumpManager::OpenMailGump"); }
    void CloseFlaggedGumps() override { TW_PENDING("CGumpManager::CloseFlaggedGumps"); }
    CGump* FindWindowGump(int) override {
        TW_PENDING("CGumpManager::FindWindowGump");
        return nullptr;
    }
    void ScrollMissiles(int, int) override { TW_PENDING("CGumpManager::ScrollMissiles"); }
    void UpdateBarkPositions() override { TW_PENDING("CGumpManager::UpdateBarkPositions"); }

    // What the world's server messages ask of the gump framework.
    void OpenGump(CObj* object, int id, int flag) override { OpenGump(object, id, nullptr, flag); }
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
    void CloseDeathMenuGumps(BOOL) override { TW_PENDING("CGumpManager::CloseDeathMenuGumps"); }
    void AddSystemMessage(int hue, int font, const char* text) override {
        TextManager::AddSystemMessage(hue, font, text);
    }
    void CloseLoginGumps() override { TW_PENDING("CGumpManager::CloseLoginGumps"); }
};

}  // namespace

void InstallPendingGumpManager() {
    InstallStandIn<GumpManagerStandIn, GumpManagerService, WorldMessageGumps>();
}

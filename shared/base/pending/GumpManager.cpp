#include <cstring>

#include "FrameBuf.h"
#include "Platform.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"
#include "pending/Pending.h"

void CGumpManager::startup() {
    TW_PENDING("CGumpManager::startup");
}

void CGumpManager::shutdown() {
    TW_PENDING("CGumpManager::shutdown");
    ResetBackBufferPointer();
}

void CGumpManager::RecreateMainBitmap() {
    TW_PENDING("CGumpManager::RecreateMainBitmap");
    ResetBackBufferPointer();
    AllocateMainBitmap();
    if (g_backBuffer != nullptr && g_frameBuf != nullptr)
        std::memset(g_backBuffer, 0,
                    static_cast<size_t>(g_frameBuf->GetWidth()) * g_frameBuf->GetHeight() * 2);
}

void CGumpManager::Update() {
    TW_PENDING("CGumpManager::Update");
}

CWaitingGump* CGumpManager::OpenWaitingGump(const void* text, CGump*, int, int, int wideText) {
    TW_PENDING("CGumpManager::OpenWaitingGump");
    if (text != nullptr && !wideText) TWReport::print("%s\n", static_cast<const char*>(text));
    return nullptr;
}

void CGumpManager::DrawAllGumps(const RECT&, int present) {
    TW_PENDING("CGumpManager::DrawAllGumps");
    // No gump is drawn yet, but the frame is still shown.
    if (present) PresentBackBuffer();
}

BOOL CGumpManager::IsGumpOpen(const void*) {
    TW_PENDING("CGumpManager::IsGumpOpen");
    return FALSE;
}

void CGumpManager::CloseDragGump() {
    TW_PENDING("CGumpManager::CloseDragGump");
}

CGump* CGumpManager::wornContainerGump = nullptr;

void CGumpManager::ScrollMissiles(int, int) {
    TW_PENDING("CGumpManager::ScrollMissiles");
}
void CGumpManager::UpdateBarkPositions() {
    TW_PENDING("CGumpManager::UpdateBarkPositions");
}

CGump* CGumpManager::OpenGump(CObj*, int, CGump*, int) {
    TW_PENDING("CGumpManager::OpenGump");
    return nullptr;
}

void CGumpManager::OpenMailGump() {
    TW_PENDING("CGumpManager::OpenMailGump");
}

void CGumpManager::CloseFlaggedGumps() {
    TW_PENDING("CGumpManager::CloseFlaggedGumps");
}

CGump* CGumpManager::FindWindowGump(int) {
    TW_PENDING("CGumpManager::FindWindowGump");
    return nullptr;
}

CGump* CGumpManager::radarGump = nullptr;

#include "support/fakes/FakeGumpManager.h"

#include "TWTypes.h"
#include "gumps/GumpManager.h"
#include "support/TwTest.h"

namespace tw::fake {

std::vector<WaitingGumpCall>& WaitingGumps() {
    static std::vector<WaitingGumpCall> calls;
    return calls;
}

std::vector<std::string> WaitingGumpTexts() {
    std::vector<std::string> texts;
    for (const auto& call : WaitingGumps()) texts.push_back(call.text);
    return texts;
}

std::vector<OpenGumpCall>& OpenedGumps() {
    static std::vector<OpenGumpCall> calls;
    return calls;
}

CGump*& OpenGumpResult() {
    static CGump* result = nullptr;
    return result;
}

std::vector<std::string>& GumpManagerCalls() {
    static std::vector<std::string> calls;
    return calls;
}

std::map<int, CGump*>& WindowGumps() {
    static std::map<int, CGump*> gumps;
    return gumps;
}

namespace {
// Stands for the one open waiting gump; never dereferenced.
char g_waitingGump;
bool g_waitingOpen = false;

const bool registered = [] {
    tw::test::AddServiceReset([] {
        WaitingGumps().clear();
        GumpManagerCalls().clear();
        WindowGumps().clear();
        g_waitingOpen = false;
        OpenedGumps().clear();
        OpenGumpResult() = nullptr;
        CGumpManager::radarGump = nullptr;
        CGumpManager::wornContainerGump = nullptr;
    });
    return true;
}();
}  // namespace

void CloseWaitingGumps() {
    g_waitingOpen = false;
}

CWaitingGump* OpenedWaitingGump() {
    g_waitingOpen = true;
    return reinterpret_cast<CWaitingGump*>(&g_waitingGump);
}

BOOL IsWaitingGumpOpen(const void* gump) {
    return gump == &g_waitingGump && g_waitingOpen;
}

}  // namespace tw::fake

CWaitingGump* CGumpManager::OpenWaitingGump(const void* text, CGump* parent, int okButton,
                                            int large, int logout, int wideText) {
    std::string narrow;
    if (text && wideText) {
        for (const M_WORD* p = static_cast<const M_WORD*>(text); *p; ++p)
            narrow.push_back(*p < 0x100 ? static_cast<char>(*p) : '?');
    } else if (text) {
        narrow = static_cast<const char*>(text);
    }
    tw::fake::WaitingGumps().push_back(
        {narrow, parent != nullptr, okButton, large, logout, wideText});
    return tw::fake::OpenedWaitingGump();
}

BOOL CGumpManager::IsGumpOpen(const void* gump) {
    return tw::fake::IsWaitingGumpOpen(gump);
}
void CGumpManager::CloseDragGump() {
    tw::fake::GumpManagerCalls().push_back("CloseDragGump");
}

void CGumpManager::startup() {
    tw::fake::GumpManagerCalls().push_back("startup");
}
void CGumpManager::shutdown() {
    tw::fake::GumpManagerCalls().push_back("shutdown");
}
void CGumpManager::RecreateMainBitmap() {
    tw::fake::GumpManagerCalls().push_back("RecreateMainBitmap");
}
void CGumpManager::Update() {
    tw::fake::GumpManagerCalls().push_back("Update");
}

CGump* CGumpManager::wornContainerGump = nullptr;

void CGumpManager::ScrollMissiles(int dx, int dy) {
    tw::fake::GumpManagerCalls().push_back("ScrollMissiles " + std::to_string(dx) + " " +
                                           std::to_string(dy));
}
void CGumpManager::UpdateBarkPositions() {
    tw::fake::GumpManagerCalls().push_back("UpdateBarkPositions");
}

CGump* CGumpManager::OpenGump(CObj* object, int id, CGump*, int flag) {
    tw::fake::GumpManagerCalls().push_back("OpenGump " + std::to_string(id) +
                                           (object ? " object " : " none ") + std::to_string(flag));
    tw::fake::OpenedGumps().push_back({object, id});
    return tw::fake::OpenGumpResult();
}
void CGumpManager::OpenMailGump() {
    tw::fake::GumpManagerCalls().push_back("OpenMailGump");
}
void CGumpManager::CloseFlaggedGumps() {
    tw::fake::GumpManagerCalls().push_back("CloseFlaggedGumps");
}
CGump* CGumpManager::FindWindowGump(int window) {
    auto it = tw::fake::WindowGumps().find(window);
    return it == tw::fake::WindowGumps().end() ? nullptr : it->second;
}

CGump* CGumpManager::radarGump = nullptr;

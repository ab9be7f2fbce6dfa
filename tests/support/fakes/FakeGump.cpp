#include "support/fakes/FakeGump.h"

#include "gumps/DragGump.h"
#include "gumps/Sequence.h"
#include "support/TwTest.h"

CGump* g_focusGump = nullptr;
CGump* g_gumpList = nullptr;
BOOL g_gumpTeardown = FALSE;
BOOL g_sequencing = FALSE;
CSequence* g_currentSequence = nullptr;

namespace tw::fake {
std::vector<GumpStackCall>& GumpStackCalls() {
    static std::vector<GumpStackCall> calls;
    return calls;
}

int& DeletedGumps() {
    static int count = 0;
    return count;
}

GumpFrameworkCalls& GumpFramework() {
    static GumpFrameworkCalls calls;
    return calls;
}

void LinkGump(CGump* gump, CGump* parent) {
    CGump*& head = parent ? parent->firstChild : g_gumpList;
    gump->parent = parent;
    gump->next = head;
    head = gump;
}

void UnlinkGump(CGump* gump) {
    CGump*& head = gump->parent ? gump->parent->firstChild : g_gumpList;
    for (CGump** link = &head; *link; link = &(*link)->next)
        if (*link == gump) {
            *link = gump->next;
            break;
        }
    if (g_focusGump == gump) g_focusGump = nullptr;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        g_focusGump = nullptr;
        GumpStackCalls().clear();
        g_gumpList = nullptr;
        g_gumpTeardown = FALSE;
        g_sequencing = FALSE;
        g_currentSequence = nullptr;
        DeletedGumps() = 0;
        GumpFramework() = GumpFrameworkCalls{};
    });
    return true;
}();
}  // namespace

}  // namespace tw::fake

void CGump::BringToFront(CGump* gump, int) {
    tw::fake::GumpStackCalls().push_back({"BringToFront", gump});
    tw::fake::GumpFramework().broughtToFront.push_back(gump);
}
void CGump::Minimize(CGump* gump) {
    tw::fake::GumpStackCalls().push_back({"Minimize", gump});
}
void CGump::Restore(CGump* gump) {
    tw::fake::GumpStackCalls().push_back({"Restore", gump});
}

CDragGump::CDragGump() {
    ++tw::fake::GumpFramework().dragGumpsMade;
}
CDragGump::~CDragGump() = default;

void CSequence::AddPacket(CSequence*, int kind, const M_BYTE* bytes, int length) {
    tw::fake::GumpFramework().sequenceRecords.push_back(
        {kind, std::vector<unsigned char>(bytes, bytes + length)});
}

#include "support/fakes/FakeWorldView.h"

#include <cstdlib>

#include "support/TwTest.h"
#include "view/WorldView.h"

M_WORD* g_workBuffer = nullptr;
int g_viewOffsetX = 0;
int g_viewOffsetY = 0;
CObj* g_pointerObject = nullptr;
PathWalk g_pathWalk;
BOOL g_criminalWarning = TRUE;

namespace tw::fake {

int& InvalidateScreenCalls() {
    static int calls = 0;
    return calls;
}

int& ClearLightCalls() {
    static int calls = 0;
    return calls;
}

int& RelinkCalls() {
    static int calls = 0;
    return calls;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        InvalidateScreenCalls() = 0;
        ClearLightCalls() = 0;
        RelinkCalls() = 0;
        g_pointerObject = nullptr;
        g_pathWalk = PathWalk();
        g_viewOffsetX = g_viewOffsetY = 0;
        g_criminalWarning = TRUE;
        std::free(g_workBuffer);
        g_workBuffer = nullptr;
    });
    return true;
}();
}  // namespace

}  // namespace tw::fake

void InvalidateScreen() {
    ++tw::fake::InvalidateScreenCalls();
}

void ClearWorldLightLevels() {
    ++tw::fake::ClearLightCalls();
}

void RelinkPathBackPointers() {
    ++tw::fake::RelinkCalls();
}

#include <cstring>

#include "FrameBuf.h"
#include "pending/Pending.h"
#include "view/WorldView.h"

M_WORD* g_workBuffer = nullptr;
int g_viewOffsetX = 0;
int g_viewOffsetY = 0;

void InvalidateScreen() {
    TW_PENDING("InvalidateScreen");
    if (g_backBuffer != nullptr && g_frameBuf != nullptr)
        std::memset(g_backBuffer, 0,
                    static_cast<size_t>(g_frameBuf->GetWidth()) * g_frameBuf->GetHeight() * 2);
}

void FollowPathStep() {
    TW_PENDING("FollowPathStep");
}

void ClearWorldLightLevels() {
    TW_PENDING("ClearWorldLightLevels");
}

CObj* g_pointerObject = nullptr;
PathWalk g_pathWalk;
BOOL g_criminalWarning = TRUE;

void RelinkPathBackPointers() {
    TW_PENDING("RelinkPathBackPointers");
}

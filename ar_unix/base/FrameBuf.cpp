// The frame buffer's process-wide state and the back-buffer pointer.
#include "FrameBuf.h"

#include "Platform.h"

CFrameBuf* g_frameBuf = nullptr;
int g_displayWidth = 640;
int g_displayHeight = 480;
int g_ringStart = 0;
int g_viewX = 0;
int g_viewY = 0;
M_WORD* g_backBuffer = nullptr;

M_DWORD g_lastCapturedKey = 0;
M_DWORD g_lastCapturedKeySym = 0;
int g_keyControl = 0;
int g_keyAlt = 0;
int g_keyShift = 0;
int g_altModNum = -1;

void ClampViewOffset() {
    if (g_viewX + 640 > g_displayWidth) g_viewX = g_displayWidth - 640;
    if (g_viewY + 480 > g_displayHeight) g_viewY = g_displayHeight - 480;
}

void ResetBackBufferPointer() {
    g_backBuffer = nullptr;
}

void AllocateMainBitmap() {
    tw::Service<PlatformHooks>::Get().AllocateMainBitmap();
}

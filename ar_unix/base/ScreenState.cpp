// The screen's process-wide state (FrameBuf.h): the display size, the ring
// start, the view offset and the back-buffer pointer.  Kept apart from the
// code that allocates and presents the back buffer, so that the modules that
// only read these need nothing else of the platform layer.
#include "FrameBuf.h"

int g_displayWidth = 640;
int g_displayHeight = 480;
int g_ringStart = 0;
int g_viewX = 0;
int g_viewY = 0;
M_WORD* g_backBuffer = nullptr;

// Clearing the back buffer and redrawing the speech input line.
#include <cstring>

#include "App.h"
#include "FrameBuf.h"
#include "config/Config.h"
#include "gumps/InputWindow.h"
#include "resources/GraphicManager.h"

void CApp::ClearScreen() {
    if (!g_backBuffer || g_displayWidth <= 0 || g_displayHeight <= 0) return;
    const long width = g_displayWidth;
    const long total = width * g_displayHeight;
    // The play area never reaches past the buffer, whatever size is set.
    long rowLength = GraphicManager::getGameplayWindowPixelWidth();
    long rows = GraphicManager::getGameplayWindowPixelHeight();
    if (rowLength > width) rowLength = width;
    if (rows > g_displayHeight) rows = g_displayHeight;
    if (rowLength <= 0 || rows <= 0) return;
    // The ring start is where the view's top-left pixel lies; rows follow
    // one buffer width apart and wrap at the end of the buffer.
    long start = ((g_ringStart % total) + total) % total;
    for (long r = 0; r < rows; ++r) {
        long first = (start + r * width) % total;
        long head = total - first < rowLength ? total - first : rowLength;
        memset(g_backBuffer + first, 0, head * sizeof(M_WORD));
        if (head < rowLength) memset(g_backBuffer, 0, (rowLength - head) * sizeof(M_WORD));
    }
}

void CApp::ClearBackBuffer() {
    if (!g_backBuffer || g_displayWidth <= 0 || g_displayHeight <= 0) return;
    memset(g_backBuffer, 0,
           static_cast<size_t>(g_displayWidth) * static_cast<size_t>(g_displayHeight) *
               sizeof(M_WORD));
}

void CApp::RedrawInputLine() {
    if (FrameCounter && g_inputWindow) g_inputWindow->RedrawText(speechHue, speechFont);
}

// The back buffer: its re-creation at the display size, the present of a
// finished frame, and the hued pixel-row copy of gump-art drawing.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "FrameBuf.h"
#include "Platform.h"
#include "app/Config.h"
#include "gumps/MouseManager.h"
#include "gumps/X11Lock.h"
#include "resources/HueManager.h"
#include "view/WorldView.h"

void ClampViewOffset() {
    if (g_viewX + 640 > g_displayWidth) g_viewX = g_displayWidth - 640;
    if (g_viewY + 480 > g_displayHeight) g_viewY = g_displayHeight - 480;
}

void ResetBackBufferPointer() {
    g_backBuffer = nullptr;
}

void AllocateMainBitmap() {
    if (g_frameBuf != nullptr) {
        X11Lock lock;
        ClampViewOffset();
        const int width = g_displayWidth;
        const int height = g_displayHeight;
        if (g_frameBuf->GetWidth() != width || g_frameBuf->GetHeight() != height) {
            g_frameBuf->CloseDisplay();
            const int depth = use565 ? 16 : 15;
            if (!g_frameBuf->OpenDisplay(width, height, depth) &&
                !g_frameBuf->OpenDisplay(width, height, 31 - depth)) {
                fprintf(stderr, "AllocateMainBitmap: Failed to initialize %dx%dx%d display.\n",
                        width, height, depth);
                delete g_frameBuf;
                g_frameBuf = nullptr;
                // The cursor thread may be running: the atexit chain must not
                // stop the services under it.
                fflush(nullptr);
                _exit(1);
            }
        }
        g_backBuffer = g_frameBuf->GetPixels();
    } else {
        g_backBuffer = nullptr;
    }
    if (g_workBuffer != nullptr) {
        std::free(g_workBuffer);
        g_workBuffer = static_cast<M_WORD*>(
            std::malloc(static_cast<size_t>(g_displayWidth) * g_displayHeight * 2));
    }
    InvalidateScreen();
}

void PresentBackBuffer() {
    if (g_backBuffer == nullptr || g_frameBuf == nullptr) return;
    X11Lock lock;
    MouseManager::DrawCursor();
    const long width = g_frameBuf->GetWidth();
    const long total = width * g_frameBuf->GetHeight();
    if (total > 0) {
        // The ring start may have wandered any distance from the view
        // offset; only its place in the ring counts.
        long offset =
            (static_cast<long>(g_ringStart) - (static_cast<long>(g_viewY) * width + g_viewX)) %
            total;
        if (offset < 0) offset += total;
        g_frameBuf->PresentWrapped(static_cast<int>(offset % width),
                                   static_cast<int>(offset / width));
    }
    MouseManager::EraseCursor();
}

void CopyPixelRowHued(unsigned short* dst, const unsigned short* src, unsigned int count, int hue) {
    const Hue* record = HueManager::GetHue(hue);
    for (unsigned int i = 0; i < count; ++i) {
        const unsigned short pixel = src[i];
        if (pixel == 0) continue;
        if (record == nullptr) {
            // A number that names no hue draws the art unhued.
            dst[i] = pixel;
            continue;
        }
        unsigned red, green, blue;
        if (use565) {
            red = (pixel >> 11) & 0x1F;
            green = (pixel >> 6) & 0x1F;  // the top five of six green bits
            blue = pixel & 0x1F;
        } else {
            red = (pixel >> 10) & 0x1F;
            green = (pixel >> 5) & 0x1F;
            blue = pixel & 0x1F;
        }
        dst[i] = (red == green && green == blue) ? record->colors[red] : pixel;
    }
}

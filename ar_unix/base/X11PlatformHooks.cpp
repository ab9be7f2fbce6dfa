// The work behind the seam's platform hooks: re-creating the back buffer,
// presenting a finished frame under the software cursor, resizing the
// window, and the web-browser hook.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "FrameBuf.h"
#include "PlatformServices.h"
#include "TWReport.h"
#include "X11Lock.h"
#include "X_FrameBuf.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "view/WorldView.h"

namespace {

class X11Hooks final : public PlatformHooks {
public:
    void AllocateMainBitmap() override;
    void PresentBackBuffer() override;
    void ResizeMainWindow(int width, int height) override;
    int OpenWebBrowser() override;
};

// Re-opens the frame buffer at the new size.  The window's connection is
// closed first; an X server left without clients may reset (Xvfb does
// unless told not to) and hang up the connection the re-open makes, so a
// second connection is held across the re-open, and a failed re-open is
// tried again a few times before the client gives up.
bool ReopenDisplay(int width, int height, int depth) {
    constexpr int kAttempts = 5;
    Display* bridge = XOpenDisplay(nullptr);
    g_frameBuf->CloseDisplay();
    bool opened = false;
    for (int attempt = 1; attempt <= kAttempts && !opened; ++attempt) {
        if (attempt > 1) {
            TWReport::warning(
                "AllocateMainBitmap: re-opening the %dx%d display failed; attempt %d of %d.\n",
                width, height, attempt, kAttempts);
            usleep(100000 * static_cast<useconds_t>(attempt - 1));
        }
        opened = g_frameBuf->OpenDisplay(width, height, depth) ||
                 g_frameBuf->OpenDisplay(width, height, 31 - depth);
    }
    if (bridge != nullptr) XCloseDisplay(bridge);
    return opened;
}

void X11Hooks::AllocateMainBitmap() {
    if (g_frameBuf != nullptr) {
        X11Lock lock;
        ClampViewOffset();
        const int width = g_displayWidth;
        const int height = g_displayHeight;
        if (g_frameBuf->GetWidth() != width || g_frameBuf->GetHeight() != height) {
            const int depth = use565 ? 16 : 15;
            if (!ReopenDisplay(width, height, depth)) {
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

void X11Hooks::PresentBackBuffer() {
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

void X11Hooks::ResizeMainWindow(int width, int height) {
    X11Lock lock;
    if (g_xDisplay == nullptr || width <= 0 || height <= 0) return;
    XResizeWindow(g_xDisplay, g_xWindow, static_cast<unsigned>(width),
                  static_cast<unsigned>(height));
    XFlush(g_xDisplay);
}

int X11Hooks::OpenWebBrowser() {
    CGumpManager::OpenWaitingGump("Web browser not found!", nullptr, 0, 0, 0);
    return 0;
}

}  // namespace

PlatformHooks& X11PlatformHooks() {
    static X11Hooks hooks;
    return hooks;
}

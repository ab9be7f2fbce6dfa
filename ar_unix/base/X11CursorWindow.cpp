// The software cursor's window work on X11: the pixels under the cursor are
// read with XGetSubImage and written back with XPutImage through images that
// wrap the caller's buffers, and the pointer is queried on the window.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "CursorWindow.h"
#include "PlatformServices.h"
#include "X_FrameBuf.h"

namespace {

// XGetSubImage reports a bad rectangle through the error handler; the
// default handler would end the process.  Set only while the X11 mutex is
// held.
bool g_readFailed = false;

int RecordReadError(Display*, XErrorEvent*) {
    g_readFailed = true;
    return 0;
}

// An image over the caller's pixels, at the window's depth; it must be
// released with releaseImage so that Xlib does not free the pixels.
XImage* wrapPixels(M_WORD* pixels, int width, int height) {
    if (g_xDisplay == nullptr || g_xVisual == nullptr || width <= 0 || height <= 0) return nullptr;
    return XCreateImage(g_xDisplay, g_xVisual, static_cast<unsigned>(g_xDepth), ZPixmap, 0,
                        reinterpret_cast<char*>(pixels), static_cast<unsigned>(width),
                        static_cast<unsigned>(height), 8, width * 2);
}

void releaseImage(XImage* image) {
    image->data = nullptr;
    XDestroyImage(image);
}

class X11Cursor final : public CursorWindow {
public:
    BOOL ReadWindow(int x, int y, int width, int height, M_WORD* pixels) override {
        XImage* image = wrapPixels(pixels, width, height);
        if (image == nullptr) return FALSE;
        g_readFailed = false;
        XSync(g_xDisplay, False);
        XErrorHandler previous = XSetErrorHandler(RecordReadError);
        const bool read =
            XGetSubImage(g_xDisplay, g_xWindow, x, y, static_cast<unsigned>(width),
                         static_cast<unsigned>(height), AllPlanes, ZPixmap, image, 0, 0) != nullptr;
        XSync(g_xDisplay, False);
        XSetErrorHandler(previous);
        releaseImage(image);
        return read && !g_readFailed ? TRUE : FALSE;
    }

    void WriteWindow(int x, int y, int width, int height, const M_WORD* pixels) override {
        // XPutImage only reads the pixels.
        XImage* image = wrapPixels(const_cast<M_WORD*>(pixels), width, height);
        if (image == nullptr) return;
        XPutImage(g_xDisplay, g_xWindow, g_xGC, image, 0, 0, x, y, static_cast<unsigned>(width),
                  static_cast<unsigned>(height));
        XFlush(g_xDisplay);
        releaseImage(image);
    }

    BOOL QueryPointer(int* x, int* y) override {
        if (g_xDisplay == nullptr) return FALSE;
        Window root, child;
        int rootX, rootY;
        unsigned int mask;
        return XQueryPointer(g_xDisplay, g_xWindow, &root, &child, &rootX, &rootY, x, y, &mask) != 0
                   ? TRUE
                   : FALSE;
    }
};

}  // namespace

CursorWindow& X11CursorWindow() {
    static X11Cursor window;
    return window;
}

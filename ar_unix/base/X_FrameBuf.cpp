// Opening and closing the X11 display, and the three present paths.
#include "X_FrameBuf.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>
#include <cstring>
#include <new>

#include "PlatformServices.h"
#include "TWReport.h"
#include "config/Config.h"

bool X_FrameBuf::s_sharedPixmapsAllowed = true;
Display* g_xDisplay = nullptr;
Window g_xWindow = 0;
GC g_xGC = nullptr;
Visual* g_xVisual = nullptr;
int g_xDepth = 0;

namespace {

constexpr int kMinWidth = 640;
constexpr int kMinHeight = 480;

// XShmAttach reports failure asynchronously through the error handler; the
// default handler would end the process.  A temporary handler catches it.
bool g_shmAttachFailed = false;

int CatchShmAttachError(Display*, XErrorEvent*) {
    g_shmAttachFailed = true;
    return 0;
}

}  // namespace

CFrameBuf* CreateFrameBuf() {
    // Both threads call Xlib; it must know before its first call.
    XInitThreads();
    return new (std::nothrow) X_FrameBuf;
}

X_FrameBuf::X_FrameBuf() {
    TWReport::print("X_FrameBuf::X_FrameBuf: begin.\n");
    shmInfo_.shmid = -1;
    shmInfo_.shmaddr = reinterpret_cast<char*>(-1);
}

X_FrameBuf::~X_FrameBuf() {
    CloseDisplay();
}

BOOL X_FrameBuf::OpenDisplay(int width, int height, int depth) {
    TWReport::print("X_FrameBuf::OpenDisplay: begin.\n");
    if (open_) {
        TWReport::error("X_FrameBuf::OpenDisplay: inited. will not open display.\n");
        return FALSE;
    }
    width_ = width;
    height_ = height;
    depth_ = depth;
    bytesPerPixel_ = (depth + 7) / 8;
    g_xDepth = depth;

    TWReport::print("X_FrameBuf::OpenDisplay: get display.\n");
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) return FALSE;
    screen_ = DefaultScreen(display_);

    TWReport::print("X_FrameBuf::OpenDisplay: get visual.\n");
    XVisualInfo info;
    if (!XMatchVisualInfo(display_, screen_, depth, depth == 8 ? PseudoColor : TrueColor, &info)) {
        XCloseDisplay(display_);
        display_ = nullptr;
        return FALSE;
    }
    visual_ = info.visual;
    if (info.red_mask == 0xF800) use565 = TRUE;
    if (info.red_mask == 0x7C00) use565 = FALSE;

    TWReport::print("X_FrameBuf::OpenDisplay: get shared memory info.\n");
    int major = 0, minor = 0;
    Bool pixmaps = False;
    shmAvailable_ = XShmQueryVersion(display_, &major, &minor, &pixmaps) != 0;
    shmPixmaps_ =
        shmAvailable_ && pixmaps && XShmPixmapFormat(display_) == ZPixmap && s_sharedPixmapsAllowed;

    TWReport::print("X_FrameBuf::OpenDisplay: get root window.\n");
    root_ = RootWindow(display_, screen_);

    TWReport::print("X_FrameBuf::OpenDisplay: create window.\n");
    XSetWindowAttributes attributes;
    std::memset(&attributes, 0, sizeof attributes);
    attributes.background_pixel = BlackPixel(display_, screen_);
    attributes.event_mask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                            PointerMotionMask | ExposureMask |
                            (AllowWindowResize ? ResizeRedirectMask : 0);
    // A visual other than the root's needs its own colormap and border.
    attributes.colormap = XCreateColormap(display_, root_, visual_, AllocNone);
    attributes.border_pixel = 0;
    colormap_ = attributes.colormap;
    window_ = XCreateWindow(display_, root_, 10, 10, width, height, 3, depth, InputOutput, visual_,
                            CWBackPixel | CWEventMask | CWColormap | CWBorderPixel, &attributes);

    XSizeHints* hints = XAllocSizeHints();
    if (hints != nullptr) {
        hints->min_width = kMinWidth;
        hints->min_height = kMinHeight;
        hints->max_width = kMinWidth;
        hints->max_height = kMinHeight;
        hints->width_inc = 4;
        hints->height_inc = 4;
        hints->flags = AllowWindowResize ? (PMinSize | PResizeInc) : (PMinSize | PMaxSize);
        XSetWMNormalHints(display_, window_, hints);
        XFree(hints);
    }
    XStoreName(display_, window_, "Tarrowmere");
    XSetIconName(display_, window_, "Tarrowmere");
    deleteWindowAtom_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display_, window_, &deleteWindowAtom_, 1);

    TWReport::print("X_FrameBuf::OpenDisplay: create graphics context.\n");
    gc_ = XCreateGC(display_, window_, 0, nullptr);
    if (gc_ == nullptr) {
        TWReport::error("X_FrameBuf::OpenDisplay: FAIL_GC.\n");
        XDestroyWindow(display_, window_);
        XFreeColormap(display_, colormap_);
        colormap_ = 0;
        XCloseDisplay(display_);
        display_ = nullptr;
        window_ = 0;
        return FALSE;
    }

    // The client draws its own cursor; the pointer itself is invisible.
    static const char kBlank[8] = {};
    Pixmap blank = XCreateBitmapFromData(display_, window_, kBlank, 8, 8);
    XColor black;
    std::memset(&black, 0, sizeof black);
    invisibleCursor_ = XCreatePixmapCursor(display_, blank, blank, &black, &black, 4, 4);
    XFreePixmap(display_, blank);
    XDefineCursor(display_, window_, invisibleCursor_);
    XMapWindow(display_, window_);

    if (!CreateImage()) {
        FailAfterWindow();
        return FALSE;
    }

    Window rootReturn;
    int x, y;
    unsigned int border, rootDepth;
    XGetGeometry(display_, root_, &rootReturn, &x, &y, &rootWidth_, &rootHeight_, &border,
                 &rootDepth);

    TWReport::print("X_FrameBuf::OpenDisplay: wait for the window to show up.\n");
    XEvent event;
    do {
        XNextEvent(display_, &event);
    } while (event.type != Expose);

    open_ = true;
    g_xDisplay = display_;
    g_xWindow = window_;
    g_xGC = gc_;
    g_xVisual = visual_;
    return TRUE;
}

BOOL X_FrameBuf::CreateImage() {
    if (shmAvailable_) {
        TWReport::print("X_FrameBuf::OpenDisplay: set up shared memory stuff.\n");
        image_ = XShmCreateImage(display_, visual_, depth_, ZPixmap, nullptr, &shmInfo_, width_,
                                 height_);
        if (image_ == nullptr) {
            TWReport::error("X_FrameBuf::OpenDisplay: FAIL_IMAGE.\n");
            return FALSE;
        }
        // Only this user may reach the segment: it holds what the window
        // shows.
        shmInfo_.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image_->bytes_per_line) * height_,
                                IPC_CREAT | 0600);
        if (shmInfo_.shmid < 0) {
            TWReport::error("X_FrameBuf::OpenDisplay: FAIL_SHMGET.\n");
            DestroyImage();
            return FALSE;
        }
        shmInfo_.shmaddr = image_->data = static_cast<char*>(shmat(shmInfo_.shmid, nullptr, 0));
        if (shmInfo_.shmaddr == reinterpret_cast<char*>(-1)) {
            TWReport::error("X_FrameBuf::OpenDisplay: FAIL_SHMAT.\n");
            // Nobody is attached yet: without the removal mark the segment
            // would outlive the process.
            shmctl(shmInfo_.shmid, IPC_RMID, nullptr);
            shmInfo_.shmid = -1;
            image_->data = nullptr;
            DestroyImage();
            return FALSE;
        }
        shmInfo_.readOnly = False;
        g_shmAttachFailed = false;
        XErrorHandler previous = XSetErrorHandler(CatchShmAttachError);
        Status attached = XShmAttach(display_, &shmInfo_);
        XSync(display_, False);
        XSetErrorHandler(previous);
        // The server holds its own attachment now; marking the segment for
        // removal here means no exit path can leak it.
        shmctl(shmInfo_.shmid, IPC_RMID, nullptr);
        if (!attached || g_shmAttachFailed) {
            TWReport::error("X_FrameBuf::OpenDisplay: FAIL_SHMATTACH.\n");
            shmdt(shmInfo_.shmaddr);
            shmInfo_.shmaddr = reinterpret_cast<char*>(-1);
            image_->data = nullptr;
            DestroyImage();
            return FALSE;
        }
        if (shmPixmaps_) {
            sharedPixmap_ = XShmCreatePixmap(display_, window_, shmInfo_.shmaddr, &shmInfo_, width_,
                                             height_, depth_);
        }
        return TRUE;
    }

    TWReport::print("X_FrameBuf::OpenDisplay: no shared mem.\n");
    char* pixels =
        static_cast<char*>(std::malloc(static_cast<size_t>(width_) * height_ * bytesPerPixel_));
    if (pixels == nullptr) return FALSE;
    image_ = XCreateImage(display_, visual_, depth_, ZPixmap, 0, pixels, width_, height_, 8,
                          width_ * bytesPerPixel_);
    if (image_ == nullptr) {
        std::free(pixels);
        return FALSE;
    }
    return TRUE;
}

void X_FrameBuf::DestroyImage() {
    if (image_ == nullptr) return;
    if (shmAvailable_) {
        // The pixels live in the segment (or nowhere): never free them.
        image_->data = nullptr;
    }
    XDestroyImage(image_);
    image_ = nullptr;
}

void X_FrameBuf::FailAfterWindow() {
    XUnmapWindow(display_, window_);
    XFreeCursor(display_, invisibleCursor_);
    XFreeGC(display_, gc_);
    XDestroyWindow(display_, window_);
    XFreeColormap(display_, colormap_);
    XCloseDisplay(display_);
    display_ = nullptr;
    window_ = 0;
    gc_ = nullptr;
    invisibleCursor_ = 0;
    colormap_ = 0;
}

void X_FrameBuf::CloseDisplay() {
    if (!open_) return;
    if (shmAvailable_) {
        if (sharedPixmap_ != 0) XFreePixmap(display_, sharedPixmap_);
        sharedPixmap_ = 0;
        XShmDetach(display_, &shmInfo_);
        XFlush(display_);
        shmdt(shmInfo_.shmaddr);
        shmInfo_.shmaddr = reinterpret_cast<char*>(-1);
        shmInfo_.shmid = -1;
    }
    DestroyImage();
    FreeColormap();
    XUnmapWindow(display_, window_);
    XFreeCursor(display_, invisibleCursor_);
    XFreeGC(display_, gc_);
    XDestroyWindow(display_, window_);
    if (colormap_ != 0) XFreeColormap(display_, colormap_);
    colormap_ = 0;
    XCloseDisplay(display_);
    display_ = nullptr;
    window_ = 0;
    gc_ = nullptr;
    invisibleCursor_ = 0;
    open_ = false;
    if (g_xDisplay != nullptr) {
        g_xDisplay = nullptr;
        g_xWindow = 0;
        g_xGC = nullptr;
        g_xVisual = nullptr;
    }
}

M_WORD* X_FrameBuf::GetPixels() {
    if (!open_ || image_ == nullptr) return nullptr;
    return reinterpret_cast<M_WORD*>(image_->data);
}

void X_FrameBuf::PresentRect(int destX, int destY, int width, int height, int srcX, int srcY) {
    if (!open_ || width <= 0 || height <= 0) return;
    if (!shmAvailable_) {
        XPutImage(display_, window_, gc_, image_, srcX, srcY, destX, destY, width, height);
    } else if (sharedPixmap_ != 0) {
        XCopyArea(display_, sharedPixmap_, window_, gc_, srcX, srcY, width, height, destX, destY);
        XSync(display_, False);
    } else {
        XShmPutImage(display_, window_, gc_, image_, srcX, srcY, destX, destY, width, height,
                     False);
    }
}

void X_FrameBuf::Present() {
    if (!open_) return;
    PresentRect(0, 0, width_, height_, 0, 0);
    XFlush(display_);
}

void X_FrameBuf::PresentWrapped(int x, int y) {
    if (!open_) return;
    if (x == 0 && y == 0) {
        Present();
        return;
    }
    const int w = width_;
    const int h = height_;
    // The buffer is a ring in row order; pixel (x, y) goes to the top-left
    // corner and everything after it follows row by row.
    PresentRect(0, 0, w - x, h - y, x, y);
    if (x != 0) PresentRect(w - x, 0, x, h - y - 1, 0, y + 1);
    if (y != 0) PresentRect(0, h - y, w - x, y, x, 0);
    if (x != 0) PresentRect(w - x, h - y - 1, x, y + 1, 0, 0);
    XFlush(display_);
}

void X_FrameBuf::SetPalette(unsigned char* rgb) {
    // Only an 8-bit PseudoColor display has a palette; the client opens 15
    // and 16 bits only.
    if (!open_ || depth_ != 8 || rgb == nullptr) return;
    XColor colors[256];
    for (int i = 0; i < 256; ++i) {
        colors[i].pixel = static_cast<unsigned long>(i);
        colors[i].red = static_cast<unsigned short>(rgb[i * 3] * 256);
        colors[i].green = static_cast<unsigned short>(rgb[i * 3 + 1] * 256);
        colors[i].blue = static_cast<unsigned short>(rgb[i * 3 + 2] * 256);
        colors[i].flags = DoRed | DoGreen | DoBlue;
    }
    FreeColormap();
    colormap_ = XCreateColormap(display_, window_, visual_, AllocAll);
    ownColormap_ = true;
    XStoreColors(display_, colormap_, colors, 256);
}

void X_FrameBuf::InstallColormap() {
    if (open_ && ownColormap_) XSetWindowColormap(display_, window_, colormap_);
}

void X_FrameBuf::FreeColormap() {
    if (ownColormap_ && display_ != nullptr) {
        XFreeColormap(display_, colormap_);
        colormap_ = 0;
    }
    ownColormap_ = false;
}

// The X11 frame buffer: a TrueColor window at depth 15 or 16, its image in
// System V shared memory when the server offers the MIT shared-memory
// extension (with a shared pixmap when it offers those too), and the event
// pump that turns X events into queued input events (InputEvents.h).
//
// None of its operations lock: their callers hold the X11 mutex (the present
// and AllocateMainBitmap) except PumpEvents, which takes it only around its
// own Xlib calls so that the cursor thread can draw between events.  Only the
// platform layer and its tests include this header.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include "FrameBuf.h"

class X_FrameBuf : public CFrameBuf {
public:
    X_FrameBuf();
    ~X_FrameBuf() override;
    X_FrameBuf(const X_FrameBuf&) = delete;
    X_FrameBuf& operator=(const X_FrameBuf&) = delete;

    BOOL OpenDisplay(int width, int height, int depth) override;
    void CloseDisplay() override;
    void Present() override;
    void PresentWrapped(int x, int y) override;
    void Reserved5() override {}
    void SetPalette(unsigned char* rgb) override;
    void InstallColormap() override;
    void FreeColormap() override;
    M_WORD* GetPixels() override;
    void PumpEvents() override;
    int GetWidth() override { return width_; }
    int GetHeight() override { return height_; }

    // Copies one rectangle of the image to the window by the present path.
    void PresentRect(int destX, int destY, int width, int height, int srcX, int srcY);

    // Off, a server's shared pixmaps are not used even when offered: tests
    // and benchmarks reach the XShmPutImage path this way.
    static bool s_sharedPixmapsAllowed;

    bool IsOpen() const { return open_; }
    bool UsesSharedMemory() const { return shmAvailable_; }
    bool UsesSharedPixmap() const { return shmPixmaps_; }

private:
    void QueueKey(XKeyEvent& event, bool press);
    int FindAltModifier();
    BOOL CreateImage();
    void DestroyImage();
    void FailAfterWindow();

    bool open_ = false;
    int width_ = 0;
    int height_ = 0;
    int depth_ = 0;
    int bytesPerPixel_ = 0;
    int screen_ = 0;
    bool shmAvailable_ = false;
    bool shmPixmaps_ = false;
    Display* display_ = nullptr;
    Visual* visual_ = nullptr;
    Window window_ = 0;
    Window root_ = 0;
    GC gc_ = nullptr;
    Cursor invisibleCursor_ = 0;
    XShmSegmentInfo shmInfo_{};
    XImage* image_ = nullptr;
    Pixmap sharedPixmap_ = 0;
    unsigned int rootWidth_ = 0;
    unsigned int rootHeight_ = 0;
    Atom deleteWindowAtom_ = 0;
    Colormap colormap_ = 0;
    bool ownColormap_ = false;
};

// Published for the cursor code and ResizeMainWindow while a display is
// open (null and 0 otherwise).
extern Display* g_xDisplay;
extern Window g_xWindow;
extern GC g_xGC;
extern Visual* g_xVisual;
extern int g_xDepth;

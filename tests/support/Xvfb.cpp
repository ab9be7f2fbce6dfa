#include "support/Xvfb.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tw::test {

namespace {
constexpr int kStartTimeoutMs = 20000;
}

XvfbServer::XvfbServer(const XvfbOptions& options) {
    int fds[2];
    if (pipe(fds) != 0) {
        error_ = "pipe failed";
        return;
    }
    const std::string screen = std::to_string(options.width) + "x" +
                               std::to_string(options.height) + "x" + std::to_string(options.depth);
    const std::string fd = std::to_string(fds[1]);
    pid_ = fork();
    if (pid_ == 0) {
        // The server must not outlive a test that crashes.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        close(fds[0]);
        int null = open("/dev/null", O_RDWR);
        if (null >= 0) {
            dup2(null, 0);
            dup2(null, 1);
            dup2(null, 2);
        }
        std::vector<const char*> args = {"Xvfb", "-displayfd",   fd.c_str(),  "-screen",
                                         "0",    screen.c_str(), "-nolisten", "tcp"};
        if (options.noReset) args.push_back("-noreset");
        if (!options.sharedMemory) {
            args.push_back("-extension");
            args.push_back("MIT-SHM");
        }
        args.push_back(nullptr);
        execvp("Xvfb", const_cast<char* const*>(args.data()));
        _exit(127);
    }
    close(fds[1]);
    if (pid_ < 0) {
        close(fds[0]);
        error_ = "fork failed";
        return;
    }
    // The server writes its display number once it accepts connections.
    std::string number;
    for (;;) {
        pollfd p{fds[0], POLLIN, 0};
        int ready = poll(&p, 1, kStartTimeoutMs);
        if (ready <= 0) {
            error_ = "Xvfb did not report a display";
            break;
        }
        char c;
        ssize_t n = read(fds[0], &c, 1);
        if (n <= 0) {
            if (number.empty()) error_ = "Xvfb ended before it reported a display";
            break;
        }
        if (c == '\n') break;
        number.push_back(c);
    }
    close(fds[0]);
    if (number.empty()) {
        if (error_.empty()) error_ = "Xvfb reported no display";
        return;
    }
    display_ = ":" + number;
    const char* old = getenv("DISPLAY");
    hadDisplay_ = old != nullptr;
    if (old != nullptr) oldDisplay_ = old;
    setenv("DISPLAY", display_.c_str(), 1);
}

XvfbServer::~XvfbServer() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status;
        while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
    }
    if (!display_.empty()) {
        if (hadDisplay_)
            setenv("DISPLAY", oldDisplay_.c_str(), 1);
        else
            unsetenv("DISPLAY");
    }
}

XvfbClient::XvfbClient() {
    display_ = XOpenDisplay(nullptr);
}

XvfbClient::~XvfbClient() {
    if (display_ != nullptr) XCloseDisplay(display_);
}

std::vector<std::uint16_t> XvfbClient::ReadPixels(Window window, int width, int height) {
    std::vector<std::uint16_t> pixels;
    XSync(display_, False);
    XImage* image = XGetImage(display_, window, 0, 0, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr) return pixels;
    pixels.reserve(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(static_cast<std::uint16_t>(XGetPixel(image, x, y)));
    XDestroyImage(image);
    return pixels;
}

Image16 XvfbClient::ReadImage(Window window, int width, int height) {
    Image16 image;
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display_, window, &attributes) == 0) return image;
    image.width = width;
    image.height = height;
    image.depth = attributes.depth == 15 ? 15 : 16;
    image.pixels = ReadPixels(window, width, height);
    if (image.pixels.size() != static_cast<size_t>(width) * height) image.width = image.height = 0;
    return image;
}

void XvfbClient::FakeKey(unsigned long keysym, bool press) {
    KeyCode code = XKeysymToKeycode(display_, keysym);
    XTestFakeKeyEvent(display_, code, press ? True : False, CurrentTime);
    XSync(display_, False);
}

void XvfbClient::TypeText(const std::string& text) {
    static const char kShifted[] = "~!@#$%^&*()_+{}|:\"<>?";
    for (char c : text) {
        unsigned long keysym;
        if (c == '\n')
            keysym = XK_Return;
        else if (c == '\t')
            keysym = XK_Tab;
        else
            keysym = static_cast<unsigned char>(c);
        // A keysym that sits shifted on its key needs Shift held.
        bool shift = (c >= 'A' && c <= 'Z') || std::strchr(kShifted, c) != nullptr;
        if (shift) FakeKey(XK_Shift_L, true);
        FakeKey(keysym, true);
        FakeKey(keysym, false);
        if (shift) FakeKey(XK_Shift_L, false);
    }
}

void XvfbClient::FakeMotion(Window window, int x, int y) {
    int rootX = 0, rootY = 0;
    Window child;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), x, y, &rootX, &rootY,
                          &child);
    XTestFakeMotionEvent(display_, -1, rootX, rootY, CurrentTime);
    XSync(display_, False);
}

void XvfbClient::FakeButton(unsigned int button, bool press) {
    XTestFakeButtonEvent(display_, button, press ? True : False, CurrentTime);
    XSync(display_, False);
}

void XvfbClient::Click(Window window, int x, int y, unsigned int button) {
    FakeMotion(window, x, y);
    FakeButton(button, true);
    FakeButton(button, false);
}

void XvfbClient::SendKey(Window window, unsigned long keysym, unsigned int state, bool press) {
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xkey.type = press ? KeyPress : KeyRelease;
    event.xkey.display = display_;
    event.xkey.window = window;
    event.xkey.root = DefaultRootWindow(display_);
    event.xkey.state = state;
    event.xkey.keycode = XKeysymToKeycode(display_, keysym);
    event.xkey.same_screen = True;
    XSendEvent(display_, window, False, press ? KeyPressMask : KeyReleaseMask, &event);
    XFlush(display_);
}

void XvfbClient::SendButton(Window window, unsigned int button, int x, int y, bool press) {
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xbutton.type = press ? ButtonPress : ButtonRelease;
    event.xbutton.display = display_;
    event.xbutton.window = window;
    event.xbutton.root = DefaultRootWindow(display_);
    event.xbutton.button = button;
    event.xbutton.x = x;
    event.xbutton.y = y;
    event.xbutton.same_screen = True;
    XSendEvent(display_, window, False, press ? ButtonPressMask : ButtonReleaseMask, &event);
    XFlush(display_);
}

void XvfbClient::SendMotion(Window window, int x, int y) {
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xmotion.type = MotionNotify;
    event.xmotion.display = display_;
    event.xmotion.window = window;
    event.xmotion.root = DefaultRootWindow(display_);
    event.xmotion.x = x;
    event.xmotion.y = y;
    event.xmotion.same_screen = True;
    XSendEvent(display_, window, False, PointerMotionMask, &event);
    XFlush(display_);
}

void XvfbClient::SendDeleteWindow(Window window) {
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XFlush(display_);
}

std::string XvfbClient::WindowName(Window window) {
    char* name = nullptr;
    std::string result;
    if (XFetchName(display_, window, &name) && name != nullptr) {
        result = name;
        XFree(name);
    }
    return result;
}

XWindow XvfbClient::FindWindow(const std::string& title) {
    Window root = DefaultRootWindow(display_), parent, *children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display_, root, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && found == 0; ++i)
            if (WindowName(children[i]) == title) found = children[i];
        if (children != nullptr) XFree(children);
    }
    return found;
}

}  // namespace tw::test

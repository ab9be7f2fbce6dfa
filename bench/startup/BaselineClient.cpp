// The least an X client of the same shape does before its main loop: open
// the display, make a 640x480 window at depth 16 (15 when 16 is missing),
// show it, and write the loop line to "TWReport0.log".  It then waits to be
// ended, as the client does.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdio>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 1;
    const int screen = DefaultScreen(display);
    XVisualInfo info;
    if (!XMatchVisualInfo(display, screen, 16, TrueColor, &info) &&
        !XMatchVisualInfo(display, screen, 15, TrueColor, &info))
        return 1;
    const Window root = RootWindow(display, screen);
    XSetWindowAttributes attributes{};
    attributes.colormap = XCreateColormap(display, root, info.visual, AllocNone);
    const Window window =
        XCreateWindow(display, root, 10, 10, 640, 480, 3, info.depth, InputOutput, info.visual,
                      CWColormap | CWBorderPixel | CWBackPixel, &attributes);
    XStoreName(display, window, "baseline");
    XMapWindow(display, window);
    XSync(display, False);
    FILE* log = fopen("TWReport0.log", "w");
    if (log == nullptr) return 1;
    fputs("Main Program Loop. Start.\n", log);
    fflush(log);
    for (;;) pause();
}

// A private X server for window tests.  Each XvfbServer starts its own Xvfb
// on a free display (chosen by the server itself through -displayfd), waits
// until it accepts connections, points DISPLAY at it, and stops it again.
// XvfbClient is the test's own connection to it: it reads window pixels
// back and sends events as another client would.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/GoldenImage.h"

struct _XDisplay;

namespace tw::test {

// Xlib's Window, without pulling Xlib's macros into every test.
using XWindow = unsigned long;

struct XvfbOptions {
    int depth = 16;
    bool sharedMemory = true;  // false: -extension MIT-SHM
    int width = 1024;          // larger than the window, so all of it is on screen
    int height = 768;
    // false: the server resets whenever its last client leaves, as Xvfb
    // does by default (and hangs up connections made meanwhile).
    bool noReset = true;
};

class XvfbServer {
public:
    explicit XvfbServer(const XvfbOptions& options = XvfbOptions());
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // False when the server did not come up (the reason is in error()).
    bool ok() const { return !display_.empty(); }
    const std::string& display() const { return display_; }
    const std::string& error() const { return error_; }

private:
    pid_t pid_ = -1;
    std::string display_;
    std::string error_;
    std::string oldDisplay_;
    bool hadDisplay_ = false;
};

class XvfbClient {
public:
    // Connects to DISPLAY.
    XvfbClient();
    ~XvfbClient();
    XvfbClient(const XvfbClient&) = delete;
    XvfbClient& operator=(const XvfbClient&) = delete;

    _XDisplay* display() const { return display_; }

    // The window's pixels, row by row, as 16-bit values.
    std::vector<std::uint16_t> ReadPixels(XWindow window, int width, int height);
    // The same as a picture for golden-image comparison, at the window's
    // depth.
    Image16 ReadImage(XWindow window, int width, int height);

    // Real input through the XTEST extension, as a user's keyboard and mouse
    // would give it: the X server delivers it to whichever window has the
    // pointer or the focus.  Each call flushes and waits for the server.
    void FakeKey(unsigned long keysym, bool press);
    // Presses and releases the key of each character; upper case and the
    // shifted punctuation of a US keyboard go with Shift held.
    void TypeText(const std::string& text);
    // Moves the pointer to (x, y) of the window.
    void FakeMotion(XWindow window, int x, int y);
    void FakeButton(unsigned int button, bool press);
    // Moves the pointer to (x, y) of the window, then presses and releases.
    void Click(XWindow window, int x, int y, unsigned int button = 1);
    // Events sent to one window with XSendEvent, bypassing the server's
    // input handling.
    // A key event for the keysym, with the modifier state bits.
    void SendKey(XWindow window, unsigned long keysym, unsigned int state, bool press);
    void SendButton(XWindow window, unsigned int button, int x, int y, bool press);
    void SendMotion(XWindow window, int x, int y);
    // The window manager's close request.
    void SendDeleteWindow(XWindow window);
    // The window's title, or "" when it has none.
    std::string WindowName(XWindow window);
    // The top-level window of that title, or 0.
    XWindow FindWindow(const std::string& title);

private:
    _XDisplay* display_ = nullptr;
};

}  // namespace tw::test

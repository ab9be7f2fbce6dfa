// The display lock: the process-wide X11 mutex.  Xlib is called from two
// threads, the main thread (events, presenting, the display itself) and the
// cursor thread (pointer queries, cursor drawing); every call into Xlib from
// either thread holds this lock.  It is usable from program start, so that
// nothing can run an X call unlocked before the mouse manager starts.  It is
// recursive: a caller that already holds it may call a routine that takes it
// again (the cursor drawing inside the present).
#pragma once

#include <mutex>

std::recursive_mutex& X11Mutex();

// Holds the X11 mutex for its scope.
class X11Lock {
public:
    X11Lock() { X11Mutex().lock(); }
    ~X11Lock() { X11Mutex().unlock(); }
    X11Lock(const X11Lock&) = delete;
    X11Lock& operator=(const X11Lock&) = delete;
};

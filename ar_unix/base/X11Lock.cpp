#include "X11Lock.h"

std::recursive_mutex& X11Mutex() {
    // A function-local static: constructed on first use, before any thread
    // but the main one exists, and never destroyed while atexit handlers run.
    static std::recursive_mutex* mutex = new std::recursive_mutex;
    return *mutex;
}

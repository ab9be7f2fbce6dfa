#include "ErrorMessage.h"

#include <unistd.h>

#include <cstdio>

void ErrorMessage(const char* text, const char* caption, BOOL fatal) {
    fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
    if (fatal) {
        // _exit, not exit: the atexit chain must not run while the cursor
        // thread may still be drawing.  Flush the logs first.
        fflush(nullptr);
        _exit(1);
    }
}

// The cursor thread: it follows the pointer and redraws the software
// cursor, independently of how long a frame takes on the main thread.
#include <unistd.h>

#include "PlatformServices.h"
#include "X11Lock.h"
#include "X_FrameBuf.h"
#include "gumps/MouseManager.h"

void* MousePollThread(void*) {
    while (g_quitFlag.load() == 0) {
        bool found = false;
        int x = 0, y = 0;
        {
            X11Lock lock;
            if (g_xDisplay != nullptr) {
                Window root, child;
                int rootX, rootY;
                unsigned int mask;
                found = XQueryPointer(g_xDisplay, g_xWindow, &root, &child, &rootX, &rootY, &x, &y,
                                      &mask) != 0;
            }
        }
        if (found) {
            int heldX = 0, heldY = 0;
            MouseManager::GetMousePos(&heldX, &heldY);
            if (x != heldX || y != heldY || MouseManager::CursorNeedsRedraw()) {
                MouseManager::SetPos(x, y);
                MouseManager::MoveCursor(1);
            }
        }
        usleep(25000);
    }
    return nullptr;
}

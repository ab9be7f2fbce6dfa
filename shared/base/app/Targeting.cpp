// Target cursors requested by macros and object use, and the text commands
// that answer them.
#include <cstdio>
#include <cstring>

#include "App.h"
#include "Platform.h"
#include "gumps/MouseManager.h"
#include "net/PacketManager.h"
#include "world/ObjectQueries.h"

namespace {

constexpr int kNormalCursor = 17;
constexpr int kTargetCursor = 19;
constexpr M_BYTE kNumberedCommand = 47;
constexpr M_BYTE kNamedCommand = 39;

// The request of BeginTarget.  The command text is copied: the macro that
// made the request may change or go before the player picks.
char s_command[256];
int s_kind = 0;
int s_number = 0;

}  // namespace

void CApp::BeginTarget(const char* command, int kind, int number) {
    snprintf(s_command, sizeof s_command, "%s", command ? command : "");
    s_kind = kind;
    s_number = number;
    targetKind = kind;
    if (kind == 0) {
        CompleteTarget(nullptr);
        return;
    }
    PlatformNoOp();
    SetTargetCursor();
    targetCallback = CompleteTarget;
}

void CApp::CompleteTarget(CDrawItem* picked) {
    targetCallback = nullptr;
    char text[300];
    bool send = true;
    int x = 0, y = 0, z = 0;
    switch (s_kind) {
        case 1:  // a location
            if (!picked) {
                send = false;
                break;
            }
            GetObjectLocation(picked, &x, &y, &z);
            if (s_number)
                snprintf(text, sizeof text, "%d %d %d %d", s_number, x, y, z);
            else
                snprintf(text, sizeof text, "%s %d %d %d", s_command, x, y, z);
            break;
        case 0:
            if (s_number)
                snprintf(text, sizeof text, "%d", s_number);
            else
                snprintf(text, sizeof text, "%s", s_command);
            break;
        case 2:  // a mobile
            if (!picked || !IsMobileObject(picked)) {
                send = false;
                break;
            }
            if (s_number)
                snprintf(text, sizeof text, "%d %d", s_number,
                         static_cast<int>(GetObjectSerial(picked)));
            else
                snprintf(text, sizeof text, "%s %d", s_command,
                         static_cast<int>(GetObjectSerial(picked)));
            break;
        default:
            send = false;
            break;
    }
    if (send) SendTextCommand(s_number ? kNumberedCommand : kNamedCommand, text);
    EndTarget();
}

void CApp::EndTarget() {
    targeting = FALSE;
    MouseManager::SetCursorType(kNormalCursor);
}

void CApp::SetTargetCursor() {
    targeting = TRUE;
    MouseManager::SetCursorType(kTargetCursor);
}

void CApp::SendTextCommand(unsigned char type, const char* text) {
    PDSTRUCT packet;
    PacketManager::BuildTextCommand(&packet, type, text ? text : "");
    WriteToGame(&packet);
}

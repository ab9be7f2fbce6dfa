// The platform layer's side of the seam: what main calls to create the
// frame buffer and start the cursor thread, and the implementations of the
// seam's services that main installs at start-up (tw::Service, Service.h).
// The sound service is OssSound::Service() (OssSound.h).  Nothing here
// needs a window-system header.
#pragma once

#include "FrameBuf.h"
#include "KeyNames.h"
#include "Platform.h"

// Allocates an X_FrameBuf with its display closed; null on failure.
CFrameBuf* CreateFrameBuf();

// The cursor thread's body: polls the pointer every 25 ms and redraws the
// software cursor when it moved, until the quit flag is set.
void* MousePollThread(void* unused);

// The X11 window's back-buffer re-creation and present, its resize, and
// the web-browser hook.
PlatformHooks& X11PlatformHooks();

// The software cursor's window work on the X11 window (CursorWindow.h).
class CursorWindow;
CursorWindow& X11CursorWindow();

// The X11 keysym names.
KeyNames& X11KeyNames();

// The frame buffer: the client's one window and the 16-bit back buffer that
// every drawing routine writes into, and the key tables of the window
// system's keys.
//
// This is the game code's side of the platform seam: the abstract CFrameBuf,
// the one global frame buffer, the display size, the view offset and the
// ring start that scrolling moves.  The platform layer creates the frame
// buffer (X_FrameBuf) and installs the work behind AllocateMainBitmap
// (Platform.h, PlatformHooks).  Everything here lives for the process; the
// back-buffer pointer is valid only while a display is open and is re-set
// by AllocateMainBitmap whenever the buffer is re-created.
#pragma once

#include "TWTypes.h"

class CFrameBuf {
public:
    virtual ~CFrameBuf() = default;
    virtual BOOL OpenDisplay(int width, int height, int depth) = 0;
    virtual void CloseDisplay() = 0;
    virtual void Present() = 0;
    virtual void PresentWrapped(int x, int y) = 0;
    virtual void Reserved5() = 0;
    virtual void SetPalette(unsigned char* rgb) = 0;
    virtual void InstallColormap() = 0;
    virtual void FreeColormap() = 0;
    virtual M_WORD* GetPixels() = 0;
    // Moves every pending window event into the input-event queue
    // (InputEvents.h); it calls nothing else of the client.
    virtual void PumpEvents() = 0;
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
};

// The frame buffer that main creates and deletes.
extern CFrameBuf* g_frameBuf;

// The display size (640x480 unless the configuration or a window resize
// changed it), the view offset of the 640x480 play view inside a larger
// buffer, the back-buffer pixels (null while no display is open), and the
// ring start: the buffer index of the pixel shown at the view offset.  The
// ring start and the two view words are kept together; CApp's world reset
// clears all three.
extern int g_displayWidth;
extern int g_displayHeight;
extern int g_ringStart;
extern int g_viewX;
extern int g_viewY;
extern M_WORD* g_backBuffer;

// (Re)creates the frame buffer's image at the display size and points the
// back buffer at it; ends the program when no depth can be opened.
void AllocateMainBitmap();
void ResetBackBufferPointer();

// The key tables: virtual-key codes for keysyms 0x00-0xFF (A) and
// 0xFF00-0xFFFF (B).  A keysym is the window system's number of a key
// symbol; KeyNames.h turns names into keysyms and back.
void InitKeyTables();
extern M_DWORD g_keyTableA[256];
extern M_DWORD g_keyTableB[256];
// The code of a keysym by the two tables, 0 for any other keysym.
M_DWORD TranslateKeySym(unsigned long keysym);

// The last key captured by a key-capture field and its keysym with bit 30
// set; the modifier state of the last key; the alt modifier number (-1 until
// found in the modifier map, or set by the configuration).
extern M_DWORD g_lastCapturedKey;
extern M_DWORD g_lastCapturedKeySym;
extern int g_keyControl;
extern int g_keyAlt;
extern int g_keyShift;
extern int g_altModNum;

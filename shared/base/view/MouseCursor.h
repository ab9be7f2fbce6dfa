// The software cursor of the mouse manager (gumps/MouseManager.h): its
// pictures from static art, its drawing on the window between frames and in
// the back-buffer ring inside a present, and the map cell under a point.
//
// The 39 cursor arts (24659-24697) are loaded once at start, before the
// cursor thread starts, and freed at exit after it stopped.  Each art marks
// its hot spot with pixels of value 992 in its top row and its left column;
// those marker row and column are left out of the picture.  After loading,
// the save-under, the snapshot and the pictures are used only with the X11
// mutex held (the cursor thread's MoveCursor, the present's DrawCursor and
// EraseCursor); the size of the last drawn picture also has its own mutex
// for GetCursorSize.
#pragma once

#include "TWTypes.h"

class MouseCursorService;

// The view's implementation, installed by InstallViewServices.
MouseCursorService& ViewMouseCursor();

// The loaded picture of a cursor art, 5-5-5 or 5-6-5 as the display, null
// when it is not loaded.  For tests and benchmarks.
const M_WORD* CursorArtPicture(int art, int* width, int* height);

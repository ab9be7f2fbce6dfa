// CGump: the base class of every window.  Only what the platform layer uses
// so far is declared here: keys reach the gump with the keyboard focus, and a
// key-capture field hands the captured key to its parent.
#pragma once

#include "TWTypes.h"

class CGump {
public:
    virtual ~CGump() = default;

    // Takes a key code (navigation keys arrive as 0xE000 + code).
    virtual int HandleKey(int code) {
        (void)code;
        return 0;
    }
    // The key-capture queries a parent answers: whether it captures keys
    // and which child is its capture field.
    virtual BOOL CapturesKeys() { return FALSE; }
    virtual CGump* GetKeyCaptureField() { return nullptr; }
    // A child control was used (for a capture field: a key was captured).
    virtual void HandleButton(CGump* child) { (void)child; }

    // Links the gump at the head of the parent's children, or of the
    // top-level list when parent is null, and shows it.
    BOOL PutInGump(CGump* parent, BOOL show = TRUE);
    // Raise a gump to the top of the stack, minimise it, restore it.
    static void BringToFront(CGump* gump, int flag);
    static void Minimize(CGump* gump);
    static void Restore(CGump* gump);

    CGump* parent = nullptr;
    // Position relative to the parent (top level: the screen) and size.
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The gump with the keyboard focus, or null.
extern CGump* g_focusGump;

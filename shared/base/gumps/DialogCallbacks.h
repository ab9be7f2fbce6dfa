// Where the button callbacks of the game and communication dialogs go.
//
// Those dialogs lie above the gump framework, and several hold all the state
// their buttons act on (the bill's lines, a board's message list, the
// options pages, the pickers' entries).  Their CGump members (Gump.h,
// DialogCallbackList.h) hand the press to the one DialogCallbacks service,
// which the dialogs' module installs at start-up; it runs the press on the
// gump that holds the button.
#pragma once

#include "Service.h"
#include "gumps/DialogCallbackList.h"

class CGump;

enum class DialogCallback {
#define TW_DIALOG_CALLBACK_ENUM(name) name,
    TW_DIALOG_CALLBACKS(TW_DIALOG_CALLBACK_ENUM)
#undef TW_DIALOG_CALLBACK_ENUM
        Count
};

// The member's name ("PickerOK"), or "?" outside the list.
const char* DialogCallbackName(DialogCallback which);

class DialogCallbacks {
public:
    static constexpr const char* kServiceName = "DialogCallbacks";
    virtual ~DialogCallbacks() = default;
    // Runs the press on the gump that holds the button; the gump may be
    // closed by it.
    virtual void Run(DialogCallback which, CGump* gump) = 0;
};

// The button callbacks that the framework serves itself: opening the journal
// and the options window by their gump ids, the options window's cancel,
// and the hand-over of the dialogs' own callbacks to DialogCallbacks.
#include "gumps/DialogCallbacks.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"

namespace {

// The gump ids of CGumpManager::OpenGump.
constexpr int kJournalId = 7;
constexpr int kOptionsId = 5000;

constexpr const char* kNames[] = {
#define TW_DIALOG_CALLBACK_NAME(name) #name,
    TW_DIALOG_CALLBACKS(TW_DIALOG_CALLBACK_NAME)
#undef TW_DIALOG_CALLBACK_NAME
};
static_assert(sizeof kNames / sizeof kNames[0] == static_cast<size_t>(DialogCallback::Count));

}  // namespace

const char* DialogCallbackName(DialogCallback which) {
    const int index = static_cast<int>(which);
    return index >= 0 && index < static_cast<int>(DialogCallback::Count) ? kNames[index] : "?";
}

#define TW_DEFINE_DIALOG_CALLBACK(name)                                      \
    void CGump::name() {                                                     \
        tw::Service<DialogCallbacks>::Get().Run(DialogCallback::name, this); \
    }
TW_DIALOG_CALLBACKS(TW_DEFINE_DIALOG_CALLBACK)
#undef TW_DEFINE_DIALOG_CALLBACK

void CGump::OpenOptions() {
    CGumpManager::OpenGump(nullptr, kOptionsId, nullptr, 0);
}

void CGump::OpenTextGump() {
    CGumpManager::OpenGump(nullptr, kJournalId, nullptr, 0);
}

// The options window closes on its right button; its cancel button does the
// same.
void CGump::OptionsCancel() {
    HandleRButtonUp(0, 0);
}

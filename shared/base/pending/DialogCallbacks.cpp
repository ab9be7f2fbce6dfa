// Stand-in of the dialogs' button callbacks: the bill, the bulletin board,
// the fighting style, skill groups, the course map, the hue picker, the
// options pages and macros, the edit lists, the server's pickers and text
// query, the stack amount and the shop.  Each press is logged once per
// callback and does nothing else.
#include "gumps/DialogCallbacks.h"
#include "TWReport.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class DialogCallbacksStandIn : public DialogCallbacks {
public:
    void Run(DialogCallback which, CGump*) override {
        const int index = static_cast<int>(which);
        if (index < 0 || index >= static_cast<int>(DialogCallback::Count) || said_[index]) return;
        said_[index] = true;
        TWReport::notice("CGump::%s: not built yet.\n", DialogCallbackName(which));
    }

private:
    bool said_[static_cast<int>(DialogCallback::Count)] = {};
};

}  // namespace

void InstallPendingDialogCallbacks() {
    InstallStandIn<DialogCallbacksStandIn, DialogCallbacks>();
}

// Stand-in of the scrolling text box of the communication dialogs, which the
// creation gumps show their descriptions in: no box is made, so the
// descriptions are not shown.
#include "login/DescriptionBox.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class HTMLBoxStandIn : public HTMLBoxMaker {
public:
    CGump* MakeHTMLBox(CGump*, int, const M_WORD*, int, int, int, int) override {
        TW_PENDING("HTMLBox::HTMLBox");
        return nullptr;
    }
    void DeleteHTMLBox(CGump*) override {}
};

}  // namespace

void InstallPendingHTMLBox() {
    InstallStandIn<HTMLBoxStandIn, HTMLBoxMaker>();
}

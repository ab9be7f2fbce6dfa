// The screen update's road to the speech input line.
#include "App.h"
#include "AppServices.h"
#include "view/InputLineRedraw.h"

namespace {

class InputLine final : public InputLineRedraw {
public:
    void RedrawInputLine() override { CApp::RedrawInputLine(); }
};

}  // namespace

InputLineRedraw& ApplicationInputLine() {
    static InputLine line;
    return line;
}

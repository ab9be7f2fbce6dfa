#include "support/fakes/FakeHtmlMessages.h"

#include "comm/HtmlMessages.h"
#include "support/TwTest.h"

namespace tw::fake {

int& HtmlMessageDeletes() {
    static int calls = 0;
    return calls;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { HtmlMessageDeletes() = 0; });
    return true;
}();
}  // namespace

}  // namespace tw::fake

void DeleteHtmlMessages() {
    ++tw::fake::HtmlMessageDeletes();
}

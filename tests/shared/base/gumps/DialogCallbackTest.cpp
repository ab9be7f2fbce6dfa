// The dialogs' button callbacks whose windows are not built yet: a press
// reaches the installed stand-in, which says so once per callback and
// leaves the window alone.
#include <string>

#include "GumpTestSupport.h"
#include "gumps/ButtonGump.h"

namespace {

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

class DialogCallbackTest : public tw::test::GumpTest {};

TEST_F(DialogCallbackTest, AStandInCallbackSaysOncePerCallbackThatItIsNotBuilt) {
    tw::test::TestGump* picker = Open(100, 100, 200, 100, nullptr, "string picker");
    const GumpCallback callbacks[] = {&CGump::PickerOK, &CGump::BillArm, &CGump::PickUpAmount};
    for (GumpCallback callback : callbacks) {
        auto* button =
            new CButtonGump(10, 10, picker, CButtonGump::PUSH, CButtonGump::UP, callback, 0, 0, 0);
        button->width = button->height = 20;
        button->PutInGump(picker);
        for (int press = 0; press < 2; ++press) {
            button->HandleLButtonDown(1, 1);
            button->HandleLButtonUp(1, 1);
        }
    }
    EXPECT_EQ(g_gumpList, picker) << "the window stays open";
    const std::string log = ReportLog();
    for (const char* line : {"CGump::PickerOK: not built yet.", "CGump::BillArm: not built yet.",
                             "CGump::PickUpAmount: not built yet."})
        EXPECT_EQ(Count(log, line), 1u) << line;
}

}  // namespace

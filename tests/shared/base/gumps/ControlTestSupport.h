// The fixture of the control tests (input fields, list boxes, choice lists):
// the gump fixture with bitmap fonts, the gump art the controls draw, an
// owner gump that records what its controls tell it, a settable clock and
// pictures of a gump's own bitmap.
#pragma once

#include <string>
#include <vector>

#include "GumpTestSupport.h"
#include "support/GoldenImage.h"

namespace tw::test {

// The owner of the controls: records each operation a control calls as
// "<Operation> <gump name>" (or with the point for a right click).
class RecordingOwner : public CGump {
public:
    RecordingOwner();

    void HandleButton(CGump* child) override { Record("HandleButton", child); }
    void OnActivate() override { calls.push_back("OnActivate"); }
    void OnAccept() override { calls.push_back("OnAccept"); }
    void OnCancel() override { calls.push_back("OnCancel"); }
    void HandleChildEvent(CGump* child) override { Record("HandleChildEvent", child); }
    void SelectEntry(CGump* field) override { Record("SelectEntry", field); }
    void OpenListBox(CGump* field) override { Record("OpenListBox", field); }
    void Reveal() override { calls.push_back("Reveal"); }
    void HandleRButtonUp(int x, int y) override {
        calls.push_back("HandleRButtonUp " + std::to_string(x) + " " + std::to_string(y));
    }

    std::vector<std::string> calls;

private:
    void Record(const char* what, CGump* gump) {
        calls.push_back(std::string(what) + " " + (gump ? gump->name : "null"));
    }
};

class ControlTest : public GumpTest {
public:
    // Fonts 0, 1, 5, 6 and 9: the 5 x 7 design, 6 pixels a character, in
    // grey (so hues apply), except '*', 3 pixels wide.
    static constexpr int kCharWidth = 6;
    static constexpr int kStarWidth = 3;
    // Gump art of the fields: plain backgrounds 100 x 20.
    static constexpr int kFieldArt = 1000, kEmptyArt = 1001, kHoverArt = 1002, kSelectedArt = 1003,
                         kReadOnlyArt = 1004;
    // The list box's column: top and bottom pieces 120 x 6, middle pieces
    // 100 x 10.
    static constexpr int kColumnArt = 2480;
    static constexpr int kColumnTop = 6, kColumnBottom = 6;

protected:
    void SetUp() override;
    void TearDown() override;

    // The clock every control reads.
    static void SetNow(M_DWORD ms);
    static M_DWORD Now();

    // The gump's own bitmap (frame 0) as a picture.
    static Image16 BitmapOf(CGump* gump);
    // The pixel of the bitmap at (x, y).
    static M_WORD BitmapPixel(CGump* gump, int x, int y);

    RecordingOwner* owner = nullptr;
};

}  // namespace tw::test

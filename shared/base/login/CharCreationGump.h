// The appearance gump of character creation: name, sex, hair and facial
// hair styles, five colour pickers and a preview of the figure.  Its
// forward arrow runs the name check and opens the starting-city map; its
// back arrow shows the profession gump again.
#pragma once

#include "gumps/ButtonGump.h"
#include "gumps/ChoiceGump.h"
#include "gumps/Gump.h"
#include "gumps/InputControlGump.h"
#include "login/HueControl.h"

class CCharCreationGump : public CGump {
public:
    enum Picker { kHairPicker, kFacialPicker, kSkinPicker, kShirtPicker, kPantsPicker, kPickers };
    enum ColourButton {
        kHairColour,
        kFacialColour,
        kSkinTone,
        kShirtColour,
        kPantsColour,
        kSkirtColour,
        kColourButtons
    };
    static constexpr int kFrameArt = 1260;
    static constexpr int kPreviewX = 238, kPreviewY = 98;
    static constexpr int kHairRows = 11, kFacialRows = 8;

    struct HairRow {
        const char* name;
        int maleItem, femaleItem;
    };
    struct FacialRow {
        const char* name;
        int item;
    };
    static const HairRow kHair[kHairRows];
    static const FacialRow kFacial[kFacialRows];
    // The preview art of a hair or facial hair item for a sex; 0 none.
    static int HairArt(int item, BOOL female);
    static int FacialArt(int item);

    CCharCreationGump();
    ~CCharCreationGump() override;

    void Render();
    void HandleButton(CGump* child) override;
    void OpenListBox(CGump* field) override;
    void OnAccept() override;
    void OnCancel() override;
    int GetTooltipId(int, int) override { return -1; }
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    BOOL IsCharCreationGump() override { return TRUE; }

    // The callbacks of its buttons.
    void ToggleSex();
    void CheckCharName();
    void OpenProfessionGump();

    CInputLineGump* hairField = nullptr;
    CInputLineGump* facialField = nullptr;
    CInputControlGump* nameField = nullptr;
    CButtonGump* maleButton = nullptr;
    CButtonGump* femaleButton = nullptr;
    CHueControl* pickers[kPickers] = {};
    CPanelChoiceGump* colourButtons[kColourButtons] = {};
    CInputControlGump* facialLabel = nullptr;
    int skinHue = 0, hairHue = 0, facialHue = 0, pantsHue = 0, shirtHue = 0;
    int hairRow = 1, facialRow = 0;
    int hairItem = 8251, facialItem = 0;
    BOOL female = FALSE;
};

// The steps between the creation gumps: the name check, going back and
// forth between the profession and appearance gumps, the starting-city map,
// the tutorial, and gathering CharCreateInfo for the create-character
// message.
#pragma once

#include "gumps/Gump.h"

class CCharCreationGump;
class LanguageSection;
class USimStr;

// The map of the starting cities.
class CVeldMapGump : public CGump {
public:
    static constexpr int kCities = 9;
    static constexpr int kDescriptionFlags = 0x2002;
    struct City {
        const char* name;
        int x, y;
    };
    static const City kCityTable[kCities];

    CVeldMapGump(CGump* owner, int mapArt);
    ~CVeldMapGump() override;

    // Whether a city is offered: all in custom mode, else cities 1-4.
    static BOOL Offered(int city);
    int HitCity(int x, int y);
    void Select(int x, int y);
    // The description of a city from the "citytext" section: its title and
    // each paragraph after two newlines.  False when the section has no
    // block for it.
    BOOL CityText(int city, USimStr* text);
    void UpdateDescription();
    void Render();

    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleMouseMove(int x, int y) override;
    void Tick() override;

    // The arrows' callbacks.
    void CreateCharacter();
    void BackToAppearance();

    int mapArt;
    int highlighted = 2, selected = 2, hovered = 2;
    // The description of the selected city, or null.
    CGump* descriptionBox = nullptr;
    // The city descriptions ("citytext"), or null when missing.
    LanguageSection* texts = nullptr;
    char selectedName[65] = {};
    BOOL pressed = FALSE;
    int pressX = 0, pressY = 0;
    int tickPhase = 0;
    int clickCount = 0;
    M_DWORD clickTime = 0;
    BOOL longPress = FALSE;
};

// The tutorial pages shown before the character is sent.
class CTutorialGump : public CGump {
public:
    static constexpr int kPages = 9;
    static const char* const kPageNames[kPages + 1];

    CTutorialGump();
    ~CTutorialGump() override;

    // The picture file of a page ("1gen.tga", or "skill%02d.tga" for the
    // skill pages).
    static void PictureName(int page, char* out, size_t size);
    BOOL LoadPage(int page);
    // The texts of the page's language section over its picture.
    void DrawPageText(const char* section);

    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    BOOL IsInGameArea() override { return TRUE; }
    BOOL IsDisposable() override { return FALSE; }

    void TutorialNext();
    void TutorialBack();
    void TutorialDone();

    int page = 0;
    BOOL done = FALSE;
    // Set once the create-character message went out: Done sends it once.
    BOOL sent = FALSE;
};

namespace creation {
void CheckCharName(CCharCreationGump* gump);
void OpenProfessionGump(CGump* caller);
// Gathers CharCreateInfo from the appearance gump and the city, then opens
// the tutorial or sends the message.
void CreateCharacter(int selectedCity);
// The lowest slot no listed character uses.
int FreeSlot();
// The server's city value for a selected index: an index outside the list
// the server sent falls back to its first city.
M_BYTE CityValue(int selected);
}  // namespace creation

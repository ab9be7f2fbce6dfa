// The steps between the creation gumps (CreationFlow.h), the starting-city
// map, the tutorial and the CharacterCreation service.
#include "login/CreationFlow.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "Clock.h"
#include "FileManager.h"
#include "TWReport.h"
#include "config/Config.h"
#include "gumps/ButtonGump.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "gumps/TgaPicture.h"
#include "gumps/TiledDraw.h"
#include "gumps/WaitingGump.h"
#include "login/CharCreation.h"
#include "login/CharCreationGump.h"
#include "login/CreationGumps.h"
#include "login/DescriptionBox.h"
#include "login/LoginRoad.h"
#include "login/ProfessionGump.h"
#include "resources/FontManager.h"
#include "resources/GumpArt.h"
#include "resources/SpanHandlers.h"
#include "resources/UnicodeFont.h"
#include "strings/LanguageManager.h"

CharCreateRecord CharCreateInfo;
ProfessionGump* pProfessionGump = nullptr;
CCharCreationGump* pCharCreationGump = nullptr;
CVeldMapGump* pCityGump = nullptr;
CTutorialGump* pTutorialGump = nullptr;

namespace {

constexpr int kDoubleClickMs = 250;

void ReleaseCapture(CGump* g) {
    if (MouseManager::GetCapture() == g) MouseManager::SetCapture(nullptr);
}

CButtonGump* Arrow(CGump* owner, int x, int up, int pressed, int hover, GumpCallback call) {
    auto* b =
        new CButtonGump(x, 445, owner, CButtonGump::PUSH, CButtonGump::UP, call, up, pressed, 0);
    b->hoverArt = hover;
    b->PutInGump(owner);
    return b;
}

BOOL SendNow() {
    CreationRequests& app = tw::Service<CreationRequests>::Get();
    return app.SendCreateChar(CharCreateInfo);
}

}  // namespace

namespace creation {

void DrawLabel(const BlitTarget& target, int x, int y, int font, int hue, const char* text,
               int clipRight) {
    int w = 0, h = 0, baseline = 0;
    if (!text || !FontManager::GetStringSize(font, text, &w, &h, &baseline)) return;
    FontManager::DrawStringBufEllips(x, y + baseline, font, hue, text,
                                     target.Clipped(RECT{0, 0, clipRight, target.height}));
}

void OpenMessage(const char* text, CGump* owner) {
    owner->visible = FALSE;
    CGumpManager::OpenWaitingGump(text, owner, TRUE, TRUE, FALSE);
}

void OpenProfessionGump(CGump* caller) {
    if (pProfessionGump) {
        pProfessionGump->visible = TRUE;
    } else {
        pProfessionGump = new ProfessionGump();
        pProfessionGump->PutInGump(nullptr);
    }
    if (caller) caller->visible = FALSE;
}

void CheckCharName(CCharCreationGump* gump) {
    const char* name = gump->nameField->text;
    if (strlen(name) < 2) return OpenMessage("Your character name is too short.", gump);
    if (tw::Service<CreationRequests>::Get().IsBadName(name))
        return OpenMessage("Unacceptable name.", gump);
    gump->visible = FALSE;
    snprintf(CharCreateInfo.name, sizeof CharCreateInfo.name, "%.*s",
             CharCreateRecord::kFieldSize - 1, name);
    if (!pCityGump) {
        pCityGump = new CVeldMapGump(gump, 5528);
        pCityGump->PutInGump(nullptr);
    }
}

int FreeSlot() {
    for (int slot = 0; slot < login::kCharSlots; ++slot)
        if (!login::g_road.characters[slot].name[0]) return slot;
    return 0;
}

M_BYTE CityValue(int selected) {
    const int count = login::g_road.cityCount;
    if (count <= 0) return 0;
    if (selected < 0) selected = 0;
    if (selected >= count) {
        TWReport::warning(
            "CGump::CreateCharacter: city %d is not in the server's list of %d; its first city "
            "is taken.\n",
            selected, count);
        selected = 0;
    }
    return static_cast<M_BYTE>(login::g_road.cityIndex[selected]);
}

void CreateCharacter(int selectedCity) {
    if (CCharCreationGump* g = pCharCreationGump) {
        CharCreateInfo.sex = g->female ? 1 : 0;
        // Hues go out as the number + 1; "no hue" (-1) goes out as 0.
        auto wire = [](int hue) { return static_cast<M_WORD>(std::max(hue, -1) + 1); };
        CharCreateInfo.skinHue = wire(g->skinHue);
        CharCreateInfo.hairStyle = static_cast<M_WORD>(g->hairItem);
        CharCreateInfo.hairHue = wire(g->hairHue);
        CharCreateInfo.facialHairStyle = g->female ? 0 : static_cast<M_WORD>(g->facialItem);
        CharCreateInfo.facialHairHue = wire(g->facialHue);
        CharCreateInfo.shirtHue = wire(g->shirtHue);
        CharCreateInfo.pantsHue = wire(g->pantsHue);
    }
    snprintf(CharCreateInfo.password, sizeof CharCreateInfo.password, "%s", Password);
    // The setting holds 29 characters; the name field allows 16.
    snprintf(PlayerName, sizeof PlayerName, "%.*s", static_cast<int>(sizeof PlayerName - 1),
             CharCreateInfo.name);
    saveConfigDirective(CFG_PlayerName, CharCreateInfo.name);
    if (SavePassword) {
        char scrambled[CharCreateRecord::kFieldSize];
        snprintf(scrambled, sizeof scrambled, "%s", CharCreateInfo.password);
        ScramblePassword(scrambled);
        saveConfigDirective(CFG_Password, scrambled);
    }
    CharCreateInfo.city = CityValue(selectedCity);
    CharCreateInfo.slot = static_cast<M_DWORD>(FreeSlot());

    if (FILE* f = FileManager::open("1gen.tga", "rb")) {
        FileManager::close(f);
        if (!pTutorialGump) {
            pTutorialGump = new CTutorialGump();
            pTutorialGump->PutInGump(nullptr);
        }
        return;
    }
    SendNow();
}

}  // namespace creation

// ---- CVeldMapGump ----------------------------------------------------------------------

const CVeldMapGump::City CVeldMapGump::kCityTable[kCities] = {
    {"Ashby", 101, 143},     {"Duskfen", 247, 96},      {"Calder", 173, 203},
    {"Westmarch", 335, 160}, {"Stonereach", 200, 307},  {"Pellham", 335, 252},
    {"Corriston", 161, 396}, {"Fenwick Isle", 99, 247}, {"Ambrose", 277, 133},
};

CVeldMapGump::CVeldMapGump(CGump* owner, int mapArtIn)
    : CGump(0, 0, nullptr, nullptr, 1, 640, 480), mapArt(mapArtIn) {
    name = "map gump";
    ownerGump = owner;
    NewFrameBlock(0, width, height);
    snprintf(selectedName, sizeof selectedName, "%s", kCityTable[selected].name);
    // Loaded once: a missing section is not looked for at every choice.
    texts = LanguageManager::loadSection("citytext", LanguageManager::getUserLanguageCode(),
                                         "citytext", FALSE, FALSE);
    Arrow(this, 610, 5540, 5542, 5541, static_cast<GumpCallback>(&CVeldMapGump::CreateCharacter));
    Arrow(this, 586, 5537, 5539, 5538, static_cast<GumpCallback>(&CVeldMapGump::BackToAppearance));
    UpdateDescription();
    Render();
}

CVeldMapGump::~CVeldMapGump() {
    if (pCityGump == this) pCityGump = nullptr;
}

BOOL CVeldMapGump::Offered(int city) {
    if (city < 0 || city >= kCities) return FALSE;
    return g_customMode || ((30 >> city) & 1);
}

int CVeldMapGump::HitCity(int px, int py) {
    for (int c = 0; c < kCities; ++c) {
        if (!Offered(c)) continue;
        int w = 0, h = 0, baseline = 0;
        FontManager::GetStringSize(3, kCityTable[c].name, &w, &h, &baseline);
        const City& city = kCityTable[c];
        if (px >= city.x && px <= city.x + w && py >= city.y - h && py <= city.y + h) return c;
    }
    return -1;
}

void CVeldMapGump::Render() {
    M_WORD* pixels = FramePixels(0);
    if (!pixels) return;
    std::fill_n(pixels, static_cast<size_t>(pitch) * height, 0);
    const BlitTarget t(pixels, pitch, width, height);
    DrawGumpArt(CopySpanTransparent, mapArt, 57, 49, t);
    DrawGumpArt(CopySpanTransparent, 5536, 0, 4, t);
    for (int c = 0; c < kCities; ++c) {
        if (!Offered(c)) continue;
        const City& city = kCityTable[c];
        DrawGumpArt(CopySpanTransparent, c == highlighted ? 1210 : 1209, city.x + (c == 3 ? 60 : 0),
                    city.y, t);
        const int hue = c == highlighted ? 1153 : c == hovered ? 153 : 88;
        creation::DrawLabel(t, city.x, city.y, 3, hue, city.name, width);
    }
}

BOOL CVeldMapGump::CityText(int city, USimStr* text) {
    if (!texts || city < 0) return FALSE;
    const int count = texts->getNumStrings();
    // Entries past the section's count are missing; asking for them would
    // only log.
    auto entry = [&](int i) -> const M_WORD* {
        if (i >= count) return nullptr;
        USimStr* s = texts->getStr(i);
        return s ? s->c_str() : nullptr;
    };
    static const USimStr kEnd(".END");
    int i = 0;
    for (int ends = 0; ends < city + 1; ++i) {
        const M_WORD* e = entry(i);
        if (!e) return FALSE;
        if (kEnd == e) ++ends;
    }
    const M_WORD* title = entry(i);
    if (!title) return FALSE;
    *text = title;
    for (const M_WORD* paragraph = entry(++i); paragraph && kEnd != paragraph;
         paragraph = entry(++i)) {
        *text += static_cast<M_WORD>('\n');
        *text += static_cast<M_WORD>('\n');
        *text += paragraph;
    }
    return TRUE;
}

void CVeldMapGump::UpdateDescription() {
    USimStr text;
    if (selected < 0 || !CityText(selected, &text)) return;
    HTMLBoxMaker& maker = tw::Service<HTMLBoxMaker>::Get();
    maker.DeleteHTMLBox(descriptionBox);
    descriptionBox = maker.MakeHTMLBox(this, kDescriptionFlags, text.c_str(), 452, 60, 173, 367);
}

void CVeldMapGump::Select(int px, int py) {
    const int c = HitCity(px, py);
    if (c != -1 && c != selected) {
        snprintf(selectedName, sizeof selectedName, "%s", kCityTable[c].name);
        highlighted = selected = c;
        UpdateDescription();
    }
    Render();
}

BOOL CVeldMapGump::HitTest(int px, int py) {
    return px >= 0 && py >= 0 && px < FrameWidth(0) + 200 && py < FrameHeight(0) + 150;
}

void CVeldMapGump::HandleMouseMove(int px, int py) {
    hovered = HitCity(px, py);
    Render();
}

void CVeldMapGump::HandleLButtonDown(int px, int py) {
    Select(px, py);
    pressX = px, pressY = py;
    pressed = TRUE;
    tickPhase = 1;
    CGump::BringToFront(this, 1);
    if (clickCount != 1) {
        clickCount = 1;
        clickTime = GetTimeMs();
    } else {
        clickCount = 2;
    }
}

void CVeldMapGump::Tick() {
    if (clickCount == 1 && GetTimeMs() - clickTime > static_cast<M_DWORD>(kDoubleClickMs)) {
        clickCount = 0;
        if (pressed) longPress = TRUE;
    }
    if (pressed) {
        tickPhase = !tickPhase;
        if (tickPhase) Select(pressX, pressY);
    }
}

void CVeldMapGump::HandleLButtonUp(int, int) {
    pressed = FALSE;
    ReleaseCapture(this);
    if (longPress) {
        longPress = FALSE;
        clickCount = 0;
    } else if (clickCount == 2) {
        clickCount = 0;
        creation::CreateCharacter(selected);
    }
}

void CVeldMapGump::CreateCharacter() {
    creation::CreateCharacter(selected);
}

void CVeldMapGump::BackToAppearance() {
    if (pCharCreationGump) pCharCreationGump->visible = TRUE;
    visible = FALSE;
    // Deleting the map from its own button's callback: the button framework
    // allows the owner to close during the call.
    delete this;
}

// ---- CTutorialGump ---------------------------------------------------------------------

const char* const CTutorialGump::kPageNames[kPages + 1] = {"1gen", "2gen", "3gen", "4gen", "5gen",
                                                           "6gen", "1",    "2",    "3",    ""};

CTutorialGump::CTutorialGump() : CGump(0, 0, nullptr, nullptr, 1, 640, 480) {
    name = "tutorial gump";
    artId = 0;
    if (M_WORD* pixels = NewFrameBlock(0, width, height)) {
        // The colour (8, 8, 8) in the frame's pixel format.
        M_WORD grey = static_cast<M_WORD>((8 >> 3) << 10 | (8 >> 3) << 5 | (8 >> 3));
        if (use565) grey = static_cast<M_WORD>((grey & 0x1F) | ((grey & 0x7FE0) << 1));
        std::fill_n(pixels, static_cast<size_t>(pitch) * height, grey);
    }
    LoadPage(0);
    // The pane behind the buttons: two framed halves over (535, 408) to
    // (638, 477).
    // A child, so that it stays over every page's picture.
    auto* pane = new CGump(535, 408, this, nullptr, 1, 103, 69);
    if (M_WORD* panePixels = pane->NewFrameBlock(0, 103, 69)) {
        DrawTiledFrameAt(0, 0, 52, 69, 5054, panePixels - 2, TRUE);
        DrawTiledFrameAt(52, 0, 51, 69, 5054, panePixels - 2, TRUE);
        creation::DrawLabel(BlitTarget(panePixels, pane->pitch, 103, 69), 10, 4, 2, 847, "Tutorial",
                            103);
    }
    pane->PutInGump(this);
    Arrow(this, 610, 5540, 5542, 5541, static_cast<GumpCallback>(&CTutorialGump::TutorialNext));
    Arrow(this, 586, 5537, 5539, 5538, static_cast<GumpCallback>(&CTutorialGump::TutorialBack));
    auto* doneButton =
        new CButtonGump(545, 445, this, CButtonGump::PUSH, CButtonGump::UP,
                        static_cast<GumpCallback>(&CTutorialGump::TutorialDone), 1153, 1155, 0);
    doneButton->hoverArt = 1154;
    doneButton->PutInGump(this);
}

CTutorialGump::~CTutorialGump() {
    if (pTutorialGump == this) pTutorialGump = nullptr;
}

void CTutorialGump::PictureName(int pageIn, char* out, size_t size) {
    const char* pageName = kPageNames[std::clamp(pageIn, 0, kPages)];
    if (pageName[0] >= '1' && pageName[0] <= '3' && pageName[1] == 0)
        snprintf(out, size, "skill%02d.tga", CharCreateInfo.skills[pageName[0] - '1'].index + 1);
    else
        snprintf(out, size, "%s.tga", pageName);
}

BOOL CTutorialGump::LoadPage(int pageIn) {
    char file[32];
    PictureName(pageIn, file, sizeof file);
    M_WORD* pixels = FramePixels(0);
    if (!pixels || !LoadTGAIntoBitmap(file, pixels, width, height, pitch)) return FALSE;
    // Pictures load as 5-5-5 pixels; a 5-6-5 frame takes them widened.
    if (use565)
        for (size_t i = 0; i < static_cast<size_t>(pitch) * height; ++i)
            pixels[i] = static_cast<M_WORD>((pixels[i] & 0x1F) | ((pixels[i] & 0x7FE0) << 1));
    // The page's text lies on its picture; it is drawn once, when the
    // picture is loaded, rather than at every redraw.
    *strrchr(file, '.') = 0;
    DrawPageText(file);
    return TRUE;
}

void CTutorialGump::DrawPageText(const char* section) {
    LanguageSection* s = LanguageManager::loadSection(
        section, LanguageManager::getUserLanguageCode(), section, FALSE, FALSE);
    M_WORD* pixels = FramePixels(0);
    if (!s || !pixels) return;
    const BlitTarget t(pixels, pitch, width, height);
    const int oldFont = UnicodeGetCurrentFont();
    const int oldSpace = UnicodeGetSpaceWidth();
    for (int i = 0; i < s->getNumStrings(); ++i) {
        USimStr* text = s->getStr(i);
        if (!text) continue;
        int rgb = 0xFFFFFF, font = 1;
        // No colour, or black (which would not show), is white.
        if (!s->getColor(i, rgb) || rgb == 0) rgb = 0xFFFFFF;
        if (!s->getFont(i, font)) font = 1;
        M_WORD colour = static_cast<M_WORD>(((rgb >> 19) & 31) << 10 | ((rgb >> 11) & 31) << 5 |
                                            ((rgb >> 3) & 31));
        if (use565) colour = static_cast<M_WORD>((colour & 0x1F) | ((colour & 0x7FE0) << 1));
        UnicodeSetCurrentFont(font);
        UnicodeSetSpaceWidth(4);
        UnicodeSetStyle(2);
        UnicodeDrawString(t, text->c_str(), s->getPosX(i), s->getPosY(i), colour);
        UnicodeRestoreStyle();
        UnicodeSetCurrentFont(oldFont);
        UnicodeSetSpaceWidth(oldSpace);
    }
}

BOOL CTutorialGump::HitTest(int px, int py) {
    return px >= 0 && py >= 0 && px < width && py < height;
}

void CTutorialGump::HandleLButtonDown(int, int) {
    CGump::BringToFront(this, 1);
}

void CTutorialGump::HandleLButtonUp(int, int) {
    ReleaseCapture(this);
}

void CTutorialGump::TutorialNext() {
    if (done) return TutorialDone();
    // Pages whose pictures are missing are passed over.
    while (++page < kPages)
        if (LoadPage(page)) return;
    page = kPages;
    done = TRUE;
    TutorialDone();
}

void CTutorialGump::TutorialBack() {
    while (page > 0)
        if (LoadPage(--page)) return;
    delete this;
}

void CTutorialGump::TutorialDone() {
    done = TRUE;
    // However often Done (or Next past the end) is pressed, one message.
    if (sent) return;
    sent = TRUE;
    SendNow();
}

// ---- The service -----------------------------------------------------------------------

namespace {

class CreationService : public CharacterCreation {
public:
    void OpenProfessionGump() override { creation::OpenProfessionGump(nullptr); }
    void CloseCreationGumps() override {
        delete pTutorialGump;
        delete pCityGump;
        delete pCharCreationGump;
        delete pProfessionGump;
    }
};

}  // namespace

void InstallCharacterCreation() {
    static CreationService service;
    tw::Service<CharacterCreation>::Install(&service);
}

// ---- The profession gump's arrows -------------------------------------------------------

void ProfessionGump::AcceptInitSkills() {
    const int* s = skillIndices;
    if (s[0] == s[1] || s[0] == s[2] || s[1] == s[2]) {
        creation::OpenMessage("You must have three unique skills chosen!", this);
        return;
    }
    if (pCharCreationGump) {
        pCharCreationGump->visible = TRUE;
    } else {
        pCharCreationGump = new CCharCreationGump();
        pCharCreationGump->PutInGump(nullptr);
    }
    visible = FALSE;
    StoreChoices();
}

void ProfessionGump::BackFromSkills() {
    if (login::g_road.characterCount > 0) {
        tw::Service<LoginScreens>::Get().ShowCharacterList();
    } else {
        BackToShardList();
        // When the login server could not be reached, the message says so
        // over this gump, which its OK shows again: the player is not left
        // on an empty screen.
        if (CGumpManager::pWaitingGump && CGumpManager::pWaitingGump->ownerGump == this) return;
    }
    delete this;
}

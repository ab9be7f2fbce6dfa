// The first gump of character creation: the tree of professions of
// "prof.txt" as picture buttons, the stat and skill sliders that a leaf
// profession presets and custom mode frees, and the skill list of the
// custom-mode skill slots.  Its forward arrow goes on to the appearance
// gump once three different skills are chosen; its back arrow leaves
// creation.
//
// The gump owns its profession records and its two slider groups; the
// sliders, buttons and the skill list are its children.  It writes what it
// shows into CharCreateInfo after every change.
#pragma once

#include <memory>
#include <vector>

#include "gumps/Gump.h"
#include "login/CreationControls.h"
#include "login/ProfessionFile.h"

class ProfessionGump;
class USimStr;

class ProfessionButton : public CGump {
public:
    static constexpr int kFrameArt = 1417;
    static constexpr int kCustomArt = 5504;
    // profession null: the custom-mode button.
    ProfessionButton(int x, int y, ProfessionGump* gump, Profession* profession);

    void Render();
    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;

    Profession* profession;
    ProfessionGump* gump;
    BOOL pressed = FALSE;
};

class ProfessionGump : public CGump, public NotifyTarget {
public:
    enum Code {
        kBack = 0,
        kSkillButton0 = 7,
        kSkillChosen = 10,
        kStatMoved = 11,
        kSkillMoved = 12,
    };
    static constexpr int kStatTotal = 65;
    static constexpr int kSkillTotal = 100;
    static constexpr int kPictureArt = 5545;
    static constexpr int kDescriptionFlags = 0x2022;

    ProfessionGump();
    ~ProfessionGump() override;

    void ReadProfessions();
    void LinkParents();
    Profession* FindProfession(const char* name);
    void ShowProfession(Profession* p);
    void ClearButtons();
    void UpdateDescription();
    void Render();
    void OnNotify(int code) override;
    void StoreChoices();
    // Entry `entry` of the "professn" section, or null.  Entry numbers
    // are reckoned from the file's numbers, so they are wide.
    const M_WORD* Text(long long entry);
    // The description of index -1 (the introduction), 0 (custom mode) or a
    // profession's Desc + 1: the title, a newline and the body; the
    // introduction has no title.
    void DescriptionText(long long index, USimStr* text);
    // A profession button was released (profession null: custom mode).
    void Select(Profession* profession);

    // The whole screen, like the other front-end screens: the arrows lie
    // outside the painted frame, where its pixels are clear.
    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;

    // The arrows' callbacks.
    void AcceptInitSkills();
    void BackFromSkills();

    // The description of the current choice, or null.
    CGump* descriptionBox = nullptr;
    CProfScrollChoiceGump* skillList = nullptr;
    int pendingSlot = 0;
    CSimpleButtonGump* backButton = nullptr;
    SkillButtonGump* skillButtons[3] = {};
    std::unique_ptr<SliderGroup> statGroup;
    SliderGump* statSliders[3] = {};
    std::unique_ptr<SliderGroup> skillGroup;
    SliderGump* skillSliders[3] = {};
    int skillIndices[3] = {};
    BOOL showValues = FALSE;
    Profession* current = nullptr;
    Profession* previous = nullptr;
    ProfessionList professions;
    std::vector<ProfessionButton*> buttons;
    // The captions and descriptions ("professn"), or null when missing.
    class LanguageSection* texts = nullptr;
};

// Set while custom mode is chosen; the city map offers every city then.
extern BOOL g_customMode;

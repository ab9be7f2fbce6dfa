// The small controls of character creation: the notify interface through
// which they report, the three-art button, the balanced sliders of the
// stats and skills, the "Click here" skill buttons and the skill list.
//
// A slider shows one value of min..max on a track of 96 pixels; a group of
// three keeps the sum of its values at a total by taking the difference of
// a moved slider from the other two (SliderGroup::Balance).
#pragma once

#include <vector>

#include "gumps/ChoiceGump.h"
#include "gumps/Gump.h"
#include "gumps/InputControlGump.h"

class NotifyTarget {
public:
    virtual ~NotifyTarget() = default;
    virtual void OnNotify(int code) = 0;
};

// A button of three gump arts (normal, highlighted, pressed) that tells its
// target its code on release.
class CSimpleButtonGump : public CGump {
public:
    CSimpleButtonGump(int x, int y, CGump* owner, int normalArt, int highlightArt, int pressedArt,
                      NotifyTarget* target, int code);
    CSimpleButtonGump();

    void Render();
    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleMouseMove(int x, int y) override;
    void HandleMouseMoveAway() override;

    int normalArt = 0, highlightArt = 0, pressedArt = 0;
    NotifyTarget* target = nullptr;
    int code = 0;
    BOOL pressed = FALSE;
    BOOL highlighted = FALSE;
};

class SliderGump;
class SliderGroup;

class SliderThumbGump : public CGump {
public:
    static constexpr int kArt = 216;
    explicit SliderThumbGump(SliderGump* slider);

    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleMouseDrag(int x, int y) override;

    SliderGump* slider;
    BOOL dragging = FALSE;
    int pressX = 0;
};

class SliderGump : public CGump, public NotifyTarget {
public:
    // Pixels of the track that span min..max.
    static constexpr int kTrackSpan = 96;
    SliderGump();

    // Stores the value clamped to min..max; tells nobody.
    void SetValue(int v);
    int GetValue() const { return value; }
    void SetMin(int v) { min = v; }
    void SetMax(int v) { max = v; }
    // Puts the thumb where the value stands.
    void UpdateThumb();
    // The thumb moved to x: the value follows and the group balances.
    void OnNotify(int thumbX) override;

    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;

    SliderThumbGump* thumb = nullptr;
    SliderGroup* group = nullptr;
    int id = 0;
    int min = 0;
    int max = 100;
    int value = 0;
};

class SliderGroup : public NotifyTarget {
public:
    SliderGroup(NotifyTarget* target, int code, int total);

    void AddSlider(SliderGump* slider);
    SliderGump* GetSlider(int id) const;
    // A slider of the group moved (its id): balance, then report the code.
    void OnNotify(int id) override;
    // Brings the sum back to the total by moving the two other sliders; the
    // moved one keeps its value.
    void Balance(SliderGump* moved);
    int Sum() const;

    NotifyTarget* target;
    int code;
    int lastMoved = 0;
    int total;
    int fillTotal;
    std::vector<SliderGump*> sliders;
};

// The "Click here" label of a custom-mode skill slot; its release reports.
class SkillButtonGump : public CInputLineGump {
public:
    SkillButtonGump(int x, int y, CGump* owner);
    void SetNotifyTarget(NotifyTarget* t) { target = t; }
    void SetNotifyCode(int c) { code = c; }
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;

    NotifyTarget* target = nullptr;
    int code = 0;
};

// The list of offered skills that fills a custom-mode skill slot: one row
// per skill of the skill list in name order, except the skills
// IsSkillOffered refuses.  A row's id is the skill's index.
class CProfScrollChoiceGump : public CScrollChoiceGump {
public:
    CProfScrollChoiceGump(int x, int y, CGump* owner);
    // The rows from the skill list (login/SkillList.h).
    void FillSkills();
    int GetSelection() const { return selection; }
    void SetNotifyTarget(NotifyTarget* t) { target = t; }
    void SetNotifyCode(int c) { code = c; }

    void DrawContents(const RECT& dirty) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void Tick() override {}
    BOOL IsInGameArea() override { return FALSE; }

    NotifyTarget* target = nullptr;
    int code = 10;
    int selection = -1;
};

// The skills the creation list offers: all but "stealth", "remove trap" and
// "necromancy" (letter case aside).
BOOL IsSkillOffered(const char* name);

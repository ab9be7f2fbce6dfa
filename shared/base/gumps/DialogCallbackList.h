// The button callbacks whose work belongs wholly to a game or communication
// dialog: each X(name) is a CGump member (Gump.h) that hands the press to
// that dialog through DialogCallbacks (DialogCallbacks.h), and an entry of
// the DialogCallback enumeration.  One list keeps the members, the enum and
// their names in step.
#pragma once

#define TW_DIALOG_CALLBACKS(X)                                                                  \
    /* Shop: the buy list or sell reply, and the bill's buttons. */                             \
    X(ShopAccept) X(BillClear) X(BillArm) X(BillSelectPrev) X(BillSelectNext)                   \
    /* Bulletin board, its message and post gumps. */                                           \
    X(BBScrollList) X(BBScrollListUp) X(BBNewPost) X(BBMsgScrollDown) X(BBMsgScrollUp)          \
    X(BBRequestMessage) X(BBReply) X(BBPost)                                                    \
    /* Fighting style. */                                                                       \
    X(FightSlider1Up) X(FightSlider1Down) X(FightSlider2Up) X(FightSlider2Down) X(FightToggle)  \
    X(FightApply) X(FightAccept)                                                                \
    /* Skill groups. */                                                                         \
    X(DeleteSkillGroup) X(RenameSkillGroup) X(NewSkillGroup)                                    \
    /* Course map. */                                                                           \
    X(CourseEdit) X(CoursePlot)                                                                 \
    /* Hue picker. */                                                                           \
    X(HueSliderUp) X(HueSliderDown)                                                             \
    /* Client options: hues, pages, macros, sliders, the filter lock. */                        \
    X(PickEmoteHue) X(PickSpeechHue) X(OptionsApply) X(OptionsTakeSettings)                     \
    X(OptionsPageDefaults) X(DeleteMacro) X(NextMacro) X(PrevMacro) X(NewMacro)                 \
    X(OptSliderUp) X(OptSliderDown) X(OptSlider2Up) X(OptSlider2Down) X(FilterUnlock)           \
    X(FilterSetPassword) X(FilterOpenPage) X(FilterLockPage) X(OptionsPage1) X(OptionsPage2)    \
    X(OptionsPage0) X(OptionsMarkPages)                                                         \
    /* Macro list and edit lists. */                                                            \
    X(MacroListDown) X(MacroListUp) X(ListScrollDown) X(ListScrollUp)                           \
    /* The server's text query, string picker and object picker. */                             \
    X(StringQueryCancel) X(StringQueryOkay) X(PickerOK) X(PickerCancel)                         \
    X(ObjPickerScrollLeft) X(ObjPickerScrollRight)                                              \
    /* The amount gump of a stack. */                                                           \
    X(PickUpAmount)

// What the speech display and the speech sender ask of the application
// object, which owns the ignore list, the spam throttle and the speech and
// emote hues and fonts.  The application implements this interface and main
// installs it at start-up.
#pragma once

#include "TWTypes.h"

class AppSpeech {
public:
    static constexpr const char* kServiceName = "AppSpeech";
    virtual ~AppSpeech() = default;

    // The ignore list: a speaker on it is silent.
    virtual BOOL IsSerialInList(int serial) = 0;
    // The spam throttle: may a line go now, count a line that went, announce
    // that one waits, and hold a 16-bit line back with its value and mode.
    virtual BOOL SpeechAllowed() = 0;
    virtual void AddSpeechSpam(int amount) = 0;
    virtual void QueueSpamSpeech() = 0;
    virtual void QueueUnicodeSay(const M_WORD* text, int value, int mode) = 0;
    // Holds an 8-bit line back (its length without the terminator).
    virtual void QueueSay(const char* text, int length, int mode) = 0;
    // The hue and font of speech, and of emotes.
    virtual M_WORD SpeechHue() = 0;
    virtual M_WORD SpeechFont() = 0;
    virtual M_WORD EmoteHue() = 0;
    virtual M_WORD EmoteFont() = 0;
    // The speech line's ".version" command.
    virtual void ShowVersion() = 0;
};

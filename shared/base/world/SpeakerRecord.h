// The speaker record: who speaks the text that a bark gump is about to show,
// and what kind of text it is.  Whoever makes a bark gump sets it just
// before (the speech display, the object names of the world model, the text
// manager) and the bark gump reads it when it is made.  It lives for the
// process; main thread only.
#pragma once

#include "TWTypes.h"

constexpr int SPEAKER_NAME_SIZE = 30;
enum SpeechKind : M_BYTE {
    SPEECH_KIND_SYSTEM = 1,
    SPEECH_KIND_OVER_OBJECT = 2,
    SPEECH_KIND_OVER_OBJECT_IN_GUMP = 3,
};
extern char g_speakerName[SPEAKER_NAME_SIZE];
extern M_BYTE g_speechKind;

// Records the Unicode speech sent and shown by the code under test.
#pragma once

#include <string>
#include <vector>

#include "TWTypes.h"

namespace tw::fake {

struct UnicodeSpeech {
    std::vector<M_WORD> text;  // without the terminator
    int value;
    int mode;
};

std::vector<UnicodeSpeech>& unicodeSpeech();

// Every ShowUnicodeSpeech call.
struct ShownSpeech {
    M_DWORD serial;
    int graphic;
    int type;
    int hue;
    int font;
    std::string language;
    std::string name;
    std::vector<M_WORD> text;  // without the terminator
};
std::vector<ShownSpeech>& shownSpeech();
// The value of the last SetServerFeatureFlag call (FALSE after a reset).
BOOL& serverFeatureFlag();

}  // namespace tw::fake

// Records the Unicode speech sent by the code under test.
#pragma once

#include <vector>

#include "TWTypes.h"

namespace tw::fake {

struct UnicodeSpeech {
    std::vector<M_WORD> text;  // without the terminator
    int value;
    int mode;
};

std::vector<UnicodeSpeech>& unicodeSpeech();

}  // namespace tw::fake

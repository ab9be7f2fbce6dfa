// Records the 0xAD messages the code under test writes on the connection.
#pragma once

#include <string>
#include <vector>

#include "TWTypes.h"

namespace tw::fake {

struct SpeechWrite {
    int mode;
    int hue;
    int font;
    std::string language;
    std::vector<M_WORD> text;  // without the terminator
};
std::vector<SpeechWrite>& SpeechWrites();

}  // namespace tw::fake

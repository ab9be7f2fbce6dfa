// Recording stand-in of the Unicode bark gumps: every one made, with the
// speaker record as it stood when it was made.
#pragma once

#include <string>
#include <vector>

#include "TWTypes.h"

class CDynamicObj;
class CGump;

namespace tw::fake {

struct UnicodeBark {
    CDynamicObj* object;
    std::vector<M_WORD> text;  // without the terminator
    int hue;
    int font;
    std::string language;
    CGump* gump;
    std::string speakerName;
    int speechKind;
};

std::vector<UnicodeBark>& UnicodeBarks();

}  // namespace tw::fake

// The gumps of character creation find one another through one global
// pointer each, which the gump's destructor clears.
#pragma once

#include "TWTypes.h"
#include "resources/BlitTarget.h"

class ProfessionGump;
class CCharCreationGump;
class CVeldMapGump;
class CTutorialGump;

extern ProfessionGump* pProfessionGump;
extern CCharCreationGump* pCharCreationGump;
extern CVeldMapGump* pCityGump;
extern CTutorialGump* pTutorialGump;

namespace creation {
// One line of 8-bit text with its top at y, cut with an ellipsis at
// clipRight.
void DrawLabel(const BlitTarget& target, int x, int y, int font, int hue, const char* text,
               int clipRight);
// Opens a message box owned by the gump, which is hidden under it.
void OpenMessage(const char* text, class CGump* owner);
}  // namespace creation

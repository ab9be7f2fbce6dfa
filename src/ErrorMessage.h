// The client's error box: "caption: text" on standard error.  A fatal one
// ends the process at once with a failure status.
#pragma once

#include "TWTypes.h"

void ErrorMessage(const char* text, const char* caption, BOOL fatal);

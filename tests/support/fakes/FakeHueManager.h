// Stand-in of the hue table: tests set the hues they use.
#pragma once

#include "resources/HueManager.h"

namespace tw::fake {
// The hue of that number, created (all zero) on first use; numbers outside
// 0-2999 name no hue.
Hue& HueEntry(int number);
}  // namespace tw::fake

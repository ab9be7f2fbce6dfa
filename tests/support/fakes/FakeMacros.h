// Stand-in of the macro list: tests build their own list.
#pragma once

#include "app/Macros.h"

namespace tw::fake {
// Appends a macro for the key code and modifier state; the list is emptied
// between tests.
CMacro& AddMacro(unsigned code, bool control, bool alt, bool shift);
}  // namespace tw::fake

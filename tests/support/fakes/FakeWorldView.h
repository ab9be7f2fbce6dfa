// Recording stand-in of the world view's screen state.
#pragma once

namespace tw::fake {
// How often InvalidateScreen ran.
int& InvalidateScreenCalls();
}  // namespace tw::fake

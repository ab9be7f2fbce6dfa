// Recording stand-in of the world view's screen state.
#pragma once

namespace tw::fake {
// How often InvalidateScreen ran.
int& InvalidateScreenCalls();
// How often ClearWorldLightLevels ran.
int& ClearLightCalls();
// How often RelinkPathBackPointers ran.
int& RelinkCalls();
}  // namespace tw::fake

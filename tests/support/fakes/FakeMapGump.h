// Records the play-area gump calls made by the code under test.
#pragma once

namespace tw::fake {
// How often the play area was told to forget the object under the pointer.
int& HoverForgets();
}  // namespace tw::fake

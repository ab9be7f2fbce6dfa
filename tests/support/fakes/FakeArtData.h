// Stand-in of the art look-ups for tests that run without the resources:
// no static or gump art exists, and art ids are not remapped.  Records the
// static-art ids asked for.
#pragma once

#include <vector>

namespace tw::fake {
std::vector<int>& ArtRequests();
}  // namespace tw::fake

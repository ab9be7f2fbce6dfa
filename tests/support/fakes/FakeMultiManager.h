// Stand-in of the multis: SetObjectMulti records the call and places the
// object alone (as with a missing definition); lists that are freed or
// destroyed are counted.
#pragma once

#include <vector>

namespace tw::fake {

struct MultiCall {
    const void* object;
    int x, y, z, multiNumber;
};
struct MultiState {
    std::vector<MultiCall> calls;
    int listsFreed = 0;
    int listsDestroyed = 0;
};
MultiState& Multis();

}  // namespace tw::fake

// Records the walk code calls made by the code under test.
#pragma once

#include <string>
#include <vector>

namespace tw::fake {
// "ClearWalkQueue", "WalkByKey <direction> <key state>", "Update",
// "RequestMove <direction> <running> <check>".
std::vector<std::string>& MoveCalls();
}  // namespace tw::fake

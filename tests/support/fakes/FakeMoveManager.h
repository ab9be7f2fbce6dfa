// Stand-in of the walk code: records its calls ("ClearWalkQueue",
// "WalkByKey <direction> <key state>", "Update") and the walk requests
// made, holds the walk state that the mobiles read (tests set it), and
// gives a walking mobile its z as draw z.
#pragma once

#include <string>
#include <vector>

namespace tw::fake {
// "ClearWalkQueue", "WalkByKey <direction> <key state>", "Update",
// "RequestMove <direction> <running> <check>".
std::vector<std::string>& MoveCalls();

struct MoveRequest {
    int direction;
    unsigned running;
    int check;
};
std::vector<MoveRequest>& MoveRequests();
int& DrawZCalls();

}  // namespace tw::fake
